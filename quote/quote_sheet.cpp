#include "quote/quote_sheet.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "convert/named_values.h"
#include "quote/whole_yuan.h"

namespace rq {

namespace {

bool validColumn(int column) { return column >= 0 && column < kSheetColumnCount; }

constexpr double kNoTotal = std::numeric_limits<double>::quiet_NaN();

// TextToNumber never reads a NaN, so NaN can stand for the empty cell.
double totalValueOf(std::string_view total) { return total.empty() ? kNoTotal : TextToNumber(total); }

// Project files store these names: a name, once released, never changes.
constexpr NamedValue<RowKind> kKindNames[] = {
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

std::string_view RowKindName(RowKind kind) { return NameOf(kKindNames, kind); }

std::optional<RowKind> RowKindFromName(std::string_view name) { return ValueNamed(kKindNames, name); }

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

std::string_view QuoteSheet::GetCell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || !validColumn(column))
        return {};
    return m_texts.text(row, column);
}

RowTexts QuoteSheet::RowCells(int row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    return m_texts.texts(row);
}

QuoteRow QuoteSheet::row(int index) const
{
    const RowTexts cells = RowCells(index);
    QuoteRow copy;
    std::copy(cells.begin(), cells.end(), copy.begin());
    return copy;
}

std::vector<QuoteRow> QuoteSheet::CopyRows() const
{
    std::vector<QuoteRow> rows;
    rows.reserve(static_cast<std::size_t>(RowCount()));
    for (int index = 0; index < RowCount(); ++index)
        rows.push_back(row(index));
    return rows;
}

bool QuoteSheet::SameCells(int row, const QuoteSheet& other, int otherRow) const
{
    return row >= 0 && row < RowCount() && otherRow >= 0 && otherRow < other.RowCount() &&
           m_texts.sameRow(row, other.m_texts, otherRow);
}

void QuoteSheet::SetCell(int row, int column, std::string_view text)
{
    if (row < 0 || row >= RowCount() || !validColumn(column))
        return;
    if (column == kTotal) {
        // A total row's own figure is in no sum: writing it keeps the sums taken.
        m_totals[static_cast<std::size_t>(row)] = totalValueOf(text);
        if (CountsInTotals(m_kinds[static_cast<std::size_t>(row)]))
            forgetSumsFrom(row);
    }
    m_texts.setText(row, column, text);
}

std::optional<double> QuoteSheet::TotalValue(int row) const
{
    if (row < 0 || row >= RowCount() || std::isnan(m_totals[static_cast<std::size_t>(row)]))
        return std::nullopt;
    return m_totals[static_cast<std::size_t>(row)];
}

std::int32_t QuoteSheet::CountedTotalBefore(int end) const
{
    const int stop = std::clamp(end, 0, RowCount());
    if (m_sums.empty())
        m_sums.push_back(0);
    const int kept = stop / kSumSpacing;
    while (static_cast<int>(m_sums.size()) <= kept) {
        const int from = (static_cast<int>(m_sums.size()) - 1) * kSumSpacing;
        m_sums.push_back(addTotals(m_sums.back(), from, from + kSumSpacing));
    }
    return addTotals(m_sums[static_cast<std::size_t>(kept)], kept * kSumSpacing, stop);
}

std::int32_t QuoteSheet::addTotals(std::int32_t sum, int from, int to) const
{
    for (int row = from; row < to; ++row) {
        const double total = m_totals[static_cast<std::size_t>(row)];
        if (!std::isnan(total) && CountsInTotals(m_kinds[static_cast<std::size_t>(row)]))
            sum = AddToRunningTotal(sum, total);
    }
    return sum;
}

void QuoteSheet::forgetSumsFrom(int row)
{
    // A sum kept covers only rows above `row` while it ends at or above it: those stay.
    const std::size_t keep = static_cast<std::size_t>(std::max(row, 0) / kSumSpacing) + 1;
    if (m_sums.size() > keep)
        m_sums.resize(keep);
}

namespace {

RowTexts textsOf(const QuoteRow& cells)
{
    RowTexts texts;
    std::copy(cells.begin(), cells.end(), texts.begin());
    return texts;
}

}  // namespace

void QuoteSheet::AppendBlankRow() { appendRow({}, RowKind::Blank); }

void QuoteSheet::AppendHeaderRow(std::string_view label, RowKind kind)
{
    RowTexts cells;
    cells[kItemName] = label;
    appendRow(cells, kind);
}

void QuoteSheet::AppendRow(const QuoteRow& cells, RowKind kind) { appendRow(textsOf(cells), kind); }

void QuoteSheet::appendRow(const RowTexts& cells, RowKind kind) { appendRow(cells, kind, totalValueOf(cells[kTotal])); }

void QuoteSheet::appendRow(const RowTexts& cells, RowKind kind, double totalValue)
{
    m_totals.push_back(totalValue);
    m_texts.append(cells);
    m_kinds.push_back(kind);
}

void QuoteSheet::AppendRowFrom(const QuoteSheet& source, int row)
{
    if (row < 0 || row >= source.RowCount())
        return;
    // Read before anything is added: the source may be this sheet.
    const RowKind kind = source.m_kinds[static_cast<std::size_t>(row)];
    const double total = source.m_totals[static_cast<std::size_t>(row)];
    m_texts.appendFrom(source.m_texts, row);
    m_kinds.push_back(kind);
    m_totals.push_back(total);
}

void QuoteSheet::Clear()
{
    m_texts.clear();
    m_kinds.clear();
    m_totals.clear();
    m_sums.clear();
}

void QuoteSheet::Reserve(int rows)
{
    const std::size_t count = rows > 0 ? static_cast<std::size_t>(rows) : 0;
    m_texts.reserve(static_cast<int>(count));
    m_kinds.reserve(count);
    m_totals.reserve(count);
}

namespace {

// An item's total as written, and as TextToNumber reads it back.
struct ItemTotal {
    Text text;
    double value;
};

ItemTotal itemTotal(std::string_view quantity, std::string_view unitPrice, TotalForm form)
{
    double product = TextToNumber(quantity) * TextToNumber(unitPrice);
    if (form == TotalForm::Single) {
        Text text = NumberToShortText(product);
        const double value = TextToNumber(text);
        return {std::move(text), value};
    }
    // Whole yuan are cut, never rounded up (199.9 is 199) - but a product that is a whole
    // number in decimals must not lose a yuan to binary fractions: 5.1 x 170 is 867, not
    // the 866.9999999999999 a double computes.
    const double nearest = std::round(product);
    if (std::fabs(product - nearest) <= std::fabs(nearest) * 1e-12)
        product = nearest;
    // A total past the 32-bit whole yuan is written in full, not wrapped round to a
    // negative: the quote that holds it is refused as out of range (quote/amount_range.h).
    if (std::isfinite(product) && !FitsWholeYuan(product)) {
        Text text = NumberToText(std::trunc(product));
        const double value = TextToNumber(text);
        return {std::move(text), value};
    }
    // Whole yuan read back as the very number they were written from: most totals of a
    // large quote are these, and need not be read from their text again.
    const std::int32_t yuan = ToInteger(product);
    return {IntegerToText(yuan), static_cast<double>(yuan)};
}

}  // namespace

Text ItemTotalText(std::string_view quantity, std::string_view unitPrice, TotalForm form)
{
    return itemTotal(quantity, unitPrice, form).text;
}

void QuoteSheet::AppendItemRow(std::string_view name, std::string_view unit, std::string_view quantity,
                               std::string_view unitPrice, bool numbered, TotalForm form, int runPosition)
{
    Text serial = runPosition != 0 ? IntegerToText(runPosition) : Text();
    // Items count on within a room: the header row above the first item has an empty
    // serial, so every room starts again at 1. A blank row above leaves the number alone.
    const int above = RowCount() - 1;
    if (numbered && !GetCell(above, kItemName).empty())
        serial = NumberToText(TextToNumber(GetCell(above, kSerial)) + 1);
    // The total is taken from the texts as written, so a rounded quantity is priced rounded.
    const ItemTotal total = itemTotal(quantity, unitPrice, form);
    appendRow({serial, name, unit, quantity, unitPrice, total.text}, RowKind::Item, total.value);
}

void QuoteSheet::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_texts.erase(row);
    m_kinds.erase(m_kinds.begin() + row);
    m_totals.erase(m_totals.begin() + row);
    forgetSumsFrom(row);
}

void QuoteSheet::InsertRow(int row, const QuoteRow& cells, RowKind kind)
{
    if (row < 0 || row > RowCount())
        return;
    m_totals.insert(m_totals.begin() + row, totalValueOf(cells[kTotal]));
    m_texts.insert(row, textsOf(cells));
    m_kinds.insert(m_kinds.begin() + row, kind);
    forgetSumsFrom(row);
}

void QuoteSheet::InsertRowFrom(int row, const QuoteSheet& source, int sourceRow)
{
    if (row < 0 || row > RowCount() || sourceRow < 0 || sourceRow >= source.RowCount())
        return;
    const RowKind kind = source.m_kinds[static_cast<std::size_t>(sourceRow)];
    const double total = source.m_totals[static_cast<std::size_t>(sourceRow)];
    m_texts.insert(row, source.m_texts.texts(sourceRow));
    m_totals.insert(m_totals.begin() + row, total);
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
    m_texts.replace(first, last, std::move(rows.m_texts));
    replaceRange(m_kinds, from, to, std::move(rows.m_kinds));
    replaceRange(m_totals, from, to, std::move(rows.m_totals));
    rows.Clear();
    forgetSumsFrom(first);
}

void QuoteSheet::Truncate(int rowCount)
{
    if (rowCount >= 0 && rowCount < RowCount()) {
        m_texts.truncate(rowCount);
        m_kinds.resize(static_cast<std::size_t>(rowCount));
        m_totals.resize(static_cast<std::size_t>(rowCount));
        forgetSumsFrom(rowCount);
    }
}

}  // namespace rq
