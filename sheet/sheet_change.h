// What an edit of a quote sheet changed, step by step, with enough of the old rows to take
// it back exactly: rows that gave way to others (kinds along), cells rewritten, kinds
// changed. Undo and redo replay the steps; a window listening is told of each as it happens,
// so a sheet of a million rows shows an edit without being copied or compared.
#pragma once

#include <variant>
#include <vector>

#include "quote/quote_sheet.h"

namespace rq {

// Told of every step as it is made, on the sheet, in order (the sheet window's model).
class SheetListener {
public:
    // Rows [at, at + removed) give way to `inserted` new rows.
    virtual void rowsReplacing(int at, int removed, int inserted) = 0;
    virtual void rowsReplaced(int at, int removed, int inserted) = 0;
    virtual void cellChanged(int row, int column) = 0;

protected:
    ~SheetListener() = default;
};

struct CellStep {
    int row = 0;
    int column = 0;
    Text before;
    Text after;
};

struct KindStep {
    int row = 0;
    RowKind before = RowKind::Blank;
    RowKind after = RowKind::Blank;
};

struct RowsStep {
    int at = 0;
    QuoteSheet removed;
    QuoteSheet inserted;
};

using SheetStep = std::variant<CellStep, KindStep, RowsStep>;

// The steps of one edit in the order they were made; none when the edit changed nothing.
struct SheetChange {
    std::vector<SheetStep> steps;
    bool empty() const { return steps.empty(); }
    // The first row the edit touched; -1 when it touched none.
    int firstRow() const;
};

// The one way the sheet edits change a sheet: every change is written down as a step and
// told to the listener, if any.
class SheetEditor {
public:
    explicit SheetEditor(QuoteSheet& sheet, SheetListener* listener = nullptr)
        : m_sheet(sheet), m_listener(listener)
    {
    }

    const QuoteSheet& sheet() const { return m_sheet; }
    int RowCount() const { return m_sheet.RowCount(); }
    std::string_view GetCell(int row, int column) const { return m_sheet.GetCell(row, column); }
    RowKind GetKind(int row) const { return m_sheet.GetKind(row); }

    // Outside the sheet, or with the text or kind already there, nothing is written.
    void SetCell(int row, int column, std::string_view text);
    void SetKind(int row, RowKind kind);
    // Rows [begin, end) give way to `rows`, kinds along.
    void ReplaceRows(int begin, int end, QuoteSheet&& rows);
    void RemoveRow(int row);
    void Truncate(int rowCount);
    void Append(QuoteSheet&& rows);

    // The steps without the room their list grew into: a step holding rows is large, and a
    // project's history keeps thousands of changes.
    SheetChange take()
    {
        m_change.steps.shrink_to_fit();
        return std::move(m_change);
    }

private:
    QuoteSheet& m_sheet;
    SheetListener* m_listener;
    SheetChange m_change;
};

// Takes back an edit made on `sheet` (the sheet as the edit left it), last step first.
void UndoChange(QuoteSheet& sheet, const SheetChange& change, SheetListener* listener = nullptr);
// Makes it again on the sheet as it was before the edit.
void RedoChange(QuoteSheet& sheet, const SheetChange& change, SheetListener* listener = nullptr);

}  // namespace rq
