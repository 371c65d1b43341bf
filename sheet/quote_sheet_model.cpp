#include "sheet/quote_sheet_model.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "qtcore/qt_text.h"

namespace rq {

namespace {

// Above this many rows a splice copies the tail once instead of shifting it row by row.
constexpr int kRowByRowSplice = 32;

// Appends rows [from, from + count) of `source`, each with its kind.
void appendRows(QuoteSheet& sheet, const QuoteSheet& source, int from, int count)
{
    for (int i = 0; i < count; ++i)
        sheet.AppendRowFrom(source, from + i);
}

// Removes `count` rows at `at`.
void cutRows(QuoteSheet& sheet, int at, int count)
{
    if (count <= kRowByRowSplice) {
        for (int i = 0; i < count; ++i)
            sheet.RemoveRow(at);
        return;
    }
    QuoteSheet tail;
    for (int row = at + count; row < sheet.RowCount(); ++row)
        tail.AppendRowFrom(sheet, row);
    sheet.Truncate(at);
    appendRows(sheet, tail, 0, tail.RowCount());
}

// Inserts rows [from, from + count) of `source` at `at`.
void spliceInRows(QuoteSheet& sheet, int at, const QuoteSheet& source, int from, int count)
{
    if (count <= kRowByRowSplice) {
        for (int i = 0; i < count; ++i)
            sheet.InsertRowFrom(at + i, source, from + i);
        return;
    }
    QuoteSheet tail;
    appendRows(tail, sheet, at, sheet.RowCount() - at);
    sheet.Truncate(at);
    appendRows(sheet, source, from, count);
    appendRows(sheet, tail, 0, tail.RowCount());
}

// Where the rows that came or went sit: the place that leaves the fewest other rows
// changed. An edit of a quote adds or removes one block (a deleted row, an added-items
// block) and rewrites a few totals; this finds that block without a general diff.
struct Splice {
    int at = 0; // first row of the block, in the longer sheet
    int count = 0; // rows in the block
};

Splice findSplice(const QuoteSheet& longer, const QuoteSheet& shorter)
{
    const int k = longer.RowCount() - shorter.RowCount();
    const int shortCount = shorter.RowCount();
    const auto same = [&](int longRow, int shortRow) { return longer.SameCells(longRow, shorter, shortRow); };
    int prefix = 0;
    while (prefix < shortCount && same(prefix, prefix))
        ++prefix;
    int suffix = 0;
    while (suffix < shortCount - prefix && same(longer.RowCount() - 1 - suffix, shortCount - 1 - suffix))
        ++suffix;
    const int last = shortCount - suffix; // the block starts somewhere in [prefix, last]

    // cost(L) = rows above L that differ + rows below the block that differ after the shift.
    std::vector<int> below(static_cast<std::size_t>(last - prefix + 1), 0);
    for (int at = last - 1; at >= prefix; --at)
        below[at - prefix] = below[at + 1 - prefix] + (same(at + k, at) ? 0 : 1);
    Splice best { prefix, k };
    int bestCost = below[0];
    int above = 0;
    for (int at = prefix + 1; at <= last; ++at) {
        above += same(at - 1, at - 1) ? 0 : 1;
        const int cost = above + below[at - prefix];
        if (cost < bestCost) {
            bestCost = cost;
            best.at = at;
        }
    }
    return best;
}

} // namespace

QuoteSheetModel::QuoteSheetModel(QuoteSheet sheet, QObject* parent)
    : QAbstractTableModel(parent)
    , m_sheet(std::move(sheet))
{
}

void QuoteSheetModel::edit(const std::function<void(QuoteSheet&)>& operation)
{
    QuoteSheet next = m_sheet;
    operation(next);
    adopt(std::move(next));
}

void QuoteSheetModel::adopt(QuoteSheet next)
{
    const int oldCount = m_sheet.RowCount();
    const int newCount = next.RowCount();
    if (oldCount > newCount) {
        const Splice block = findSplice(m_sheet, next);
        beginRemoveRows({}, block.at, block.at + block.count - 1);
        cutRows(m_sheet, block.at, block.count);
        endRemoveRows();
    } else if (newCount > oldCount) {
        const Splice block = findSplice(next, m_sheet);
        beginInsertRows({}, block.at, block.at + block.count - 1);
        spliceInRows(m_sheet, block.at, next, block.at, block.count);
        endInsertRows();
    }
    // Same number of rows now: what still differs is changed cells.
    const QuoteSheet before = std::exchange(m_sheet, std::move(next));
    announceChangedRows(before, 0, m_sheet.RowCount());
}

void QuoteSheetModel::announceChangedRows(const QuoteSheet& before, int from, int to)
{
    int runStart = -1;
    int firstColumn = kSheetColumnCount;
    int lastColumn = -1;
    const auto flush = [&](int runEnd) {
        if (runStart >= 0)
            Q_EMIT dataChanged(index(runStart, firstColumn), index(runEnd, lastColumn), { Qt::DisplayRole });
        runStart = -1;
        firstColumn = kSheetColumnCount;
        lastColumn = -1;
    };
    for (int row = from; row < to; ++row) {
        if (before.SameCells(row, m_sheet, row)) {
            flush(row - 1);
            continue;
        }
        if (runStart < 0)
            runStart = row;
        const RowTexts was = before.RowCells(row);
        const RowTexts now = m_sheet.RowCells(row);
        for (int column = 0; column < kSheetColumnCount; ++column) {
            if (was[column] != now[column]) {
                firstColumn = std::min(firstColumn, column);
                lastColumn = std::max(lastColumn, column);
            }
        }
    }
    flush(to - 1);
}

int QuoteSheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_sheet.RowCount();
}

int QuoteSheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSheetColumnCount;
}

QVariant QuoteSheetModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    return toQString(m_sheet.GetCell(index.row(), index.column()));
}

QVariant QuoteSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= kSheetColumnCount)
            return {};
        return toQString(kSheetHeads[static_cast<std::size_t>(section)]);
    }
    return section + 1;
}

Qt::ItemFlags QuoteSheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace rq
