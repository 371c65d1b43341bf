#include "quote/quote_sheet.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "quote/fees.h"

#include "quote/amount_range.h"

namespace rq {

namespace {

const Text kEmpty;

bool validColumn(int column) { return column >= 0 && column < kSheetColumnCount; }

constexpr double kNoTotal = std::numeric_limits<double>::quiet_NaN();

// TextToNumber never reads a NaN, so NaN can stand for the empty cell.
double totalValueOf(const Text& total) { return total.empty() ? kNoTotal : TextToNumber(total); }

struct KindName {
    RowKind kind;
    std::string_view name;
};

// Project files store these names: a name, once released, never changes.
constexpr KindName kKindNames[] = {
    {RowKind::RoomHeader, "room-header"},
    {RowKind::Item, "item"},
    {RowKind::AddedItem, "added-item"},
    {RowKind::Blank, "blank"},
    {RowKind::FeeHeader, "fee-header"},
    {RowKind::Fee, "fee"},
    {RowKind::ProjectTotal, "project-total"},
    {RowKind::FullPackageTotal, "full-package-total"},
    {RowKind::Sum, "sum"},
};

}  // namespace

std::string_view RowKindName(RowKind kind)
{
    for (const KindName& entry : kKindNames)
        if (entry.kind == kind)
            return entry.name;
    return {};
}

std::optional<RowKind> RowKindFromName(std::string_view name)
{
    for (const KindName& entry : kKindNames)
        if (entry.name == name)
            return entry.kind;
    return std::nullopt;
}

RowKind QuoteSheet::GetKind(int row) const
{
    if (row < 0 || row >= RowCount())
        return RowKind::Blank;
    return m_kinds[static_cast<std::size_t>(row)];
}

void QuoteSheet::SetKind(int row, RowKind kind)
{
    if (row >= 0 && row < RowCount()) {
        RowKind& kept = m_kinds[static_cast<std::size_t>(row)];
        if (CountsInTotals(kept) != CountsInTotals(kind))
            forgetSumsFrom(row);
        kept = kind;
    }
}

const Text& QuoteSheet::GetCell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || !validColumn(column))
        return kEmpty;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void QuoteSheet::SetCell(int row, int column, Text text)
{
    if (row < 0 || row >= RowCount() || !validColumn(column))
        return;
    if (column == kTotal) {
        // A total row's own figure is in no sum: writing it keeps the sums taken.
        m_totals[static_cast<std::size_t>(row)] = totalValueOf(text);
        if (CountsInTotals(m_kinds[static_cast<std::size_t>(row)]))
            forgetSumsFrom(row);
    }
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

std::optional<double> QuoteSheet::TotalValue(int row) const
{
    if (row < 0 || row >= RowCount() || std::isnan(m_totals[static_cast<std::size_t>(row)]))
        return std::nullopt;
    return m_totals[static_cast<std::size_t>(row)];
}

std::int32_t QuoteSheet::CountedTotalBefore(int end) const
{
    const std::size_t stop = static_cast<std::size_t>(std::clamp(end, 0, RowCount()));
    if (m_sums.empty())
        m_sums.push_back(0);
    while (m_sums.size() <= stop) {
        const std::size_t row = m_sums.size() - 1;
        std::int32_t sum = m_sums.back();
        if (!std::isnan(m_totals[row]) && CountsInTotals(m_kinds[row]))
            sum = AddToRunningTotal(sum, m_totals[row]);
        m_sums.push_back(sum);
    }
    return m_sums[stop];
}

void QuoteSheet::forgetSumsFrom(int row)
{
    // m_sums[row] covers the rows above `row` only, and stays.
    const std::size_t keep = static_cast<std::size_t>(std::max(row, 0)) + 1;
    if (m_sums.size() > keep)
        m_sums.resize(keep);
}

void QuoteSheet::AppendBlankRow() { AppendRow({}, RowKind::Blank); }

void QuoteSheet::AppendHeaderRow(Text label, RowKind kind)
{
    QuoteRow cells;
    cells[kItemName] = std::move(label);
    AppendRow(std::move(cells), kind);
}

void QuoteSheet::AppendRow(QuoteRow cells, RowKind kind)
{
    m_totals.push_back(totalValueOf(cells[kTotal]));
    m_rows.push_back(std::move(cells));
    m_kinds.push_back(kind);
}

void QuoteSheet::Clear()
{
    m_rows.clear();
    m_kinds.clear();
    m_totals.clear();
    m_sums.clear();
}

void QuoteSheet::Reserve(int rows)
{
    const std::size_t count = rows > 0 ? static_cast<std::size_t>(rows) : 0;
    m_rows.reserve(count);
    m_kinds.reserve(count);
    m_totals.reserve(count);
}

Text ItemTotalText(const Text& quantity, const Text& unitPrice, TotalForm form)
{
    double product = TextToNumber(quantity) * TextToNumber(unitPrice);
    if (form == TotalForm::Single)
        return NumberToShortText(product);
    // Whole yuan are cut, never rounded up (199.9 is 199) - but a product that is a whole
    // number in decimals must not lose a yuan to binary fractions: 5.1 x 170 is 867, not
    // the 866.9999999999999 a double computes.
    const double nearest = std::round(product);
    if (std::fabs(product - nearest) <= std::fabs(nearest) * 1e-12)
        product = nearest;
    // A total past the 32-bit whole yuan is written in full, not wrapped round to a
    // negative: the quote that holds it is refused as out of range (quote/amount_range.h).
    if (std::isfinite(product) && !FitsWholeYuan(product))
        return NumberToText(std::trunc(product));
    return IntegerToText(ToInteger(product));
}

void QuoteSheet::AppendItemRow(Text name, Text unit, Text quantity, Text unitPrice, bool numbered, TotalForm form,
                               int runPosition)
{
    AppendRow({}, RowKind::Item);
    const int last = RowCount() - 1;
    if (runPosition != 0)
        SetCell(last, kSerial, IntegerToText(runPosition));
    // Items count on within a room: the header row above the first item has an empty
    // serial, so every room starts again at 1. A blank row above leaves the number alone.
    if (numbered && !GetCell(last - 1, kItemName).empty())
        SetCell(last, kSerial, NumberToText(TextToNumber(GetCell(last - 1, kSerial)) + 1));
    QuoteRow& row = m_rows.back();
    row[kItemName] = std::move(name);
    row[kUnit] = std::move(unit);
    row[kQuantity] = std::move(quantity);
    row[kUnitPrice] = std::move(unitPrice);
    // The total is taken from the cells as written, so a rounded quantity is priced rounded.
    SetCell(last, kTotal, ItemTotalText(row[kQuantity], row[kUnitPrice], form));
}

void QuoteSheet::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    m_kinds.erase(m_kinds.begin() + row);
    m_totals.erase(m_totals.begin() + row);
    forgetSumsFrom(row);
}

void QuoteSheet::InsertRow(int row, QuoteRow cells, RowKind kind)
{
    if (row < 0 || row > RowCount())
        return;
    m_totals.insert(m_totals.begin() + row, totalValueOf(cells[kTotal]));
    m_rows.insert(m_rows.begin() + row, std::move(cells));
    m_kinds.insert(m_kinds.begin() + row, kind);
    forgetSumsFrom(row);
}

namespace {

template <typename T>
void replaceRange(std::vector<T>& items, std::size_t begin, std::size_t end, std::vector<T>&& with)
{
    const std::size_t common = std::min(end - begin, with.size());
    std::move(with.begin(), with.begin() + static_cast<std::ptrdiff_t>(common),
              items.begin() + static_cast<std::ptrdiff_t>(begin));
    const auto rest = items.begin() + static_cast<std::ptrdiff_t>(begin + common);
    if (with.size() > common)
        items.insert(rest, std::make_move_iterator(with.begin() + static_cast<std::ptrdiff_t>(common)),
                     std::make_move_iterator(with.end()));
    else
        items.erase(rest, items.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace

void QuoteSheet::ReplaceRows(int begin, int end, QuoteSheet&& rows)
{
    const int first = std::clamp(begin, 0, RowCount());
    const int last = std::clamp(end, first, RowCount());
    const auto from = static_cast<std::size_t>(first);
    const auto to = static_cast<std::size_t>(last);
    replaceRange(m_rows, from, to, std::move(rows.m_rows));
    replaceRange(m_kinds, from, to, std::move(rows.m_kinds));
    replaceRange(m_totals, from, to, std::move(rows.m_totals));
    rows.Clear();
    forgetSumsFrom(first);
}

void QuoteSheet::Truncate(int rowCount)
{
    if (rowCount >= 0 && rowCount < RowCount()) {
        m_rows.resize(static_cast<std::size_t>(rowCount));
        m_kinds.resize(static_cast<std::size_t>(rowCount));
        m_totals.resize(static_cast<std::size_t>(rowCount));
        forgetSumsFrom(rowCount);
    }
}

}  // namespace rq
