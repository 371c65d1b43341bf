#include "sheet/sheet_change.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace rq {

namespace {

void writeCell(QuoteSheet& sheet, SheetListener* listener, int row, int column, std::string_view text)
{
    sheet.SetCell(row, column, text);
    if (listener != nullptr)
        listener->cellChanged(row, column);
}

// The step's rows are kept for another undo or redo: the sheet takes a copy.
void replaceRows(QuoteSheet& sheet, SheetListener* listener, int at, int removed, const QuoteSheet& rows)
{
    if (listener != nullptr)
        listener->rowsReplacing(at, removed, rows.RowCount());
    sheet.ReplaceRows(at, at + removed, QuoteSheet(rows));
    if (listener != nullptr)
        listener->rowsReplaced(at, removed, rows.RowCount());
}

}  // namespace

int SheetChange::firstRow() const
{
    int first = -1;
    for (const SheetStep& step : steps) {
        const int row = std::visit(
            [](const auto& s) {
                if constexpr (std::is_same_v<std::decay_t<decltype(s)>, RowsStep>)
                    return s.at;
                else
                    return s.row;
            },
            step);
        first = first < 0 ? row : std::min(first, row);
    }
    return first;
}

void SheetEditor::SetCell(int row, int column, std::string_view text)
{
    if (row < 0 || row >= m_sheet.RowCount() || column < 0 || column >= kSheetColumnCount)
        return;
    const std::string_view before = m_sheet.GetCell(row, column);
    if (before == text)
        return;
    // The text may lie in the sheet itself: copy it before the sheet changes.
    CellStep step{row, column, Text(before), Text(text)};
    writeCell(m_sheet, m_listener, row, column, step.after);
    m_change.steps.emplace_back(std::move(step));
}

void SheetEditor::SetKind(int row, RowKind kind)
{
    if (row < 0 || row >= m_sheet.RowCount() || m_sheet.GetKind(row) == kind)
        return;
    m_change.steps.emplace_back(KindStep{row, m_sheet.GetKind(row), kind});
    m_sheet.SetKind(row, kind);
}

void SheetEditor::ReplaceRows(int begin, int end, QuoteSheet&& rows)
{
    begin = std::clamp(begin, 0, m_sheet.RowCount());
    end = std::clamp(end, begin, m_sheet.RowCount());
    if (begin == end && rows.RowCount() == 0)
        return;
    RowsStep step{begin, {}, std::move(rows)};
    for (int row = begin; row < end; ++row)
        step.removed.AppendRowFrom(m_sheet, row);
    replaceRows(m_sheet, m_listener, begin, end - begin, step.inserted);
    m_change.steps.emplace_back(std::move(step));
}

void SheetEditor::RemoveRow(int row)
{
    if (row >= 0 && row < m_sheet.RowCount())
        ReplaceRows(row, row + 1, {});
}

void SheetEditor::Truncate(int rowCount)
{
    if (rowCount >= 0 && rowCount < m_sheet.RowCount())
        ReplaceRows(rowCount, m_sheet.RowCount(), {});
}

void SheetEditor::Append(QuoteSheet&& rows)
{
    ReplaceRows(m_sheet.RowCount(), m_sheet.RowCount(), std::move(rows));
}

void UndoChange(QuoteSheet& sheet, const SheetChange& change, SheetListener* listener)
{
    for (auto step = change.steps.rbegin(); step != change.steps.rend(); ++step) {
        if (const auto* cell = std::get_if<CellStep>(&*step))
            writeCell(sheet, listener, cell->row, cell->column, cell->before);
        else if (const auto* kind = std::get_if<KindStep>(&*step))
            sheet.SetKind(kind->row, kind->before);
        else if (const auto* rows = std::get_if<RowsStep>(&*step))
            replaceRows(sheet, listener, rows->at, rows->inserted.RowCount(), rows->removed);
    }
}

void RedoChange(QuoteSheet& sheet, const SheetChange& change, SheetListener* listener)
{
    for (const SheetStep& step : change.steps) {
        if (const auto* cell = std::get_if<CellStep>(&step))
            writeCell(sheet, listener, cell->row, cell->column, cell->after);
        else if (const auto* kind = std::get_if<KindStep>(&step))
            sheet.SetKind(kind->row, kind->after);
        else if (const auto* rows = std::get_if<RowsStep>(&step))
            replaceRows(sheet, listener, rows->at, rows->removed.RowCount(), rows->inserted);
    }
}

}  // namespace rq
