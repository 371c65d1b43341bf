#include "quote/fees.h"

#include <array>

namespace rq {

namespace {

// Where each fee's unit and rate sit in every price book, looked up once.
const std::array<std::size_t, std::size(kFeeNames)>& FeePlaces()
{
    static const auto places = [] {
        std::array<std::size_t, std::size(kFeeNames)> found{};
        for (std::size_t i = 0; i < found.size(); ++i)
            found[i] = PlaceInBook(kFeeSection, kFeeNames[i]);
        return found;
    }();
    return places;
}

}  // namespace

namespace {

const PriceItem* BookFee(std::string_view name, const PriceBook& book)
{
    for (const std::size_t place : FeePlaces())
        if (book.at(place).name == name)
            return &book.at(place);
    return nullptr;
}

// The quote's own figure: the share of the items at the book's rate.
Text StandardFeeTotal(std::int32_t items, const PriceItem& fee)
{
    return NumberToText(static_cast<double>(items) * fee.Rate());
}

}  // namespace

std::optional<Text> FeeTotal(const RowTexts& cells, std::int32_t items, const PriceBook& book)
{
    const PriceItem* fee = BookFee(cells[kItemName], book);
    if (fee == nullptr)
        return std::nullopt;
    if (cells[kUnit] == fee->unit && cells[kQuantity] == "1" && cells[kUnitPrice] == fee->price)
        return StandardFeeTotal(items, *fee);
    // A rate typed as "6%" reads as 6: per cent of the items.
    return NumberToText(TextToNumber(cells[kQuantity]) * TextToNumber(cells[kUnitPrice]) * static_cast<double>(items)
                        / 100);
}

bool IsFeeName(std::string_view name)
{
    for (std::string_view fee : kFeeNames)
        if (fee == name)
            return true;
    return false;
}

std::int32_t SumTotals(const QuoteSheet& sheet, int fromRow, int toRow)
{
    // The fees, the project total and the full-package total all add up from the top: the
    // sheet sums each row once, however many totals are taken.
    if (fromRow <= 0)
        return sheet.CountedTotalBefore(toRow);
    std::int32_t sum = 0;
    for (int row = fromRow; row < toRow; ++row) {
        const std::optional<double> total = sheet.TotalValue(row);
        if (total && CountsInTotals(sheet.GetKind(row)))
            sum = AddToRunningTotal(sum, *total);
    }
    return sum;
}

std::int32_t ContinuedTotal(const QuoteSheet& sheet, std::int32_t sumAbove)
{
    if (sumAbove == 0)
        return SumTotals(sheet, 0, sheet.RowCount());
    std::int32_t sum = sumAbove;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const std::optional<double> total = sheet.TotalValue(row);
        if (total && CountsInTotals(sheet.GetKind(row)))
            sum = AddToRunningTotal(sum, *total);
    }
    return sum;
}

void AppendFeesAndProjectTotal(QuoteSheet& sheet, std::int32_t sumAbove, const PriceBook& book,
                               std::span<const QuoteRow> kept)
{
    const std::int32_t items = ContinuedTotal(sheet, sumAbove);
    sheet.AppendHeaderRow(Text(kOtherSection), RowKind::FeeHeader);
    for (const std::size_t place : FeePlaces()) {
        const PriceItem& fee = book.at(place);
        QuoteRow row{"", fee.name, fee.unit, "1", fee.price, StandardFeeTotal(items, fee)};
        for (const QuoteRow& own : kept) {
            if (own[kItemName] != fee.name)
                continue;
            row = own;
            const RowTexts cells{row[0], row[1], row[2], row[3], row[4], row[5]};
            row[kTotal] = FeeTotal(cells, items, book).value_or(Text());
            break;
        }
        sheet.AppendRow(row, RowKind::Fee);
    }
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kProjectTotal), RowKind::ProjectTotal);
    const int last = sheet.RowCount() - 1;
    sheet.SetCell(last, kTotal, IntegerToText(ContinuedTotal(sheet, sumAbove)));
}

void AppendFullPackageTotal(QuoteSheet& sheet, std::int32_t sumAbove)
{
    const std::int32_t everything = ContinuedTotal(sheet, sumAbove);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kFullPackageTotal), RowKind::FullPackageTotal);
    sheet.SetCell(sheet.RowCount() - 1, kTotal, IntegerToText(everything));
}

}  // namespace rq
