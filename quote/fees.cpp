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

namespace {

// The running total over the sheet's rows, going on from `sumAbove`.
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

}  // namespace

void AppendFeesAndProjectTotal(QuoteSheet& sheet, std::int32_t sumAbove, const PriceBook& book)
{
    const std::int32_t items = ContinuedTotal(sheet, sumAbove);
    sheet.AppendHeaderRow(Text(kOtherSection), RowKind::FeeHeader);
    for (const std::size_t place : FeePlaces()) {
        const PriceItem& fee = book.at(place);
        sheet.AppendRow({"", fee.name, fee.unit, "1", fee.price, NumberToText(static_cast<double>(items) * fee.Rate())},
                        RowKind::Fee);
    }
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kProjectTotal), RowKind::ProjectTotal);
    const int last = sheet.RowCount() - 1;
    sheet.SetCell(last, kTotal, IntegerToText(ContinuedTotal(sheet, sumAbove)));
}

void AppendFullPackageTotal(QuoteSheet& sheet)
{
    const std::int32_t everything = SumTotals(sheet, 0, sheet.RowCount());
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kFullPackageTotal), RowKind::FullPackageTotal);
    sheet.SetCell(sheet.RowCount() - 1, kTotal, IntegerToText(everything));
}

}  // namespace rq
