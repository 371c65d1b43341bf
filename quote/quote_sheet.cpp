#include "quote/quote_sheet.h"

#include <cmath>

namespace rq {

namespace {

const Text kEmpty;

bool validColumn(int column) { return column >= 0 && column < kSheetColumnCount; }

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
    if (row >= 0 && row < RowCount())
        m_kinds[static_cast<std::size_t>(row)] = kind;
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
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
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
    m_rows.push_back(std::move(cells));
    m_kinds.push_back(kind);
}

void QuoteSheet::Clear()
{
    m_rows.clear();
    m_kinds.clear();
}

void QuoteSheet::Reserve(int rows)
{
    const std::size_t count = rows > 0 ? static_cast<std::size_t>(rows) : 0;
    m_rows.reserve(count);
    m_kinds.reserve(count);
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
    row[kTotal] = ItemTotalText(row[kQuantity], row[kUnitPrice], form);
}

void QuoteSheet::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    m_kinds.erase(m_kinds.begin() + row);
}

void QuoteSheet::InsertRow(int row, QuoteRow cells, RowKind kind)
{
    if (row < 0 || row > RowCount())
        return;
    m_rows.insert(m_rows.begin() + row, std::move(cells));
    m_kinds.insert(m_kinds.begin() + row, kind);
}

void QuoteSheet::Truncate(int rowCount)
{
    if (rowCount >= 0 && rowCount < RowCount()) {
        m_rows.resize(static_cast<std::size_t>(rowCount));
        m_kinds.resize(static_cast<std::size_t>(rowCount));
    }
}

}  // namespace rq
