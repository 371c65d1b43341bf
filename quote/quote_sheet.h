// The quote sheet: rows of six texts (序号, 项目名称, 单位, 数量, 单价, 总计) and the row writer
// that every part of a quote appends through. All figures live as text; every later total
// is computed from what the cells say.
#pragma once

#include <array>
#include <vector>

#include "convert/convert.h"

namespace rq {

enum SheetColumn { kSerial = 0, kItemName, kUnit, kQuantity, kUnitPrice, kTotal, kSheetColumnCount };

using QuoteRow = std::array<Text, kSheetColumnCount>;

// How an item row writes its total: whole yuan, truncated (most items), or the short
// single-precision form, untruncated (the three painting items).
enum class TotalForm { WholeYuan, Single };

class QuoteSheet {
public:
    int RowCount() const { return static_cast<int>(m_rows.size()); }

    // A cell never written, or outside the sheet, reads as the empty text.
    const Text& GetCell(int row, int column) const;
    // Outside the sheet nothing is written.
    void SetCell(int row, int column, Text text);

    void AppendBlankRow();
    void AppendHeaderRow(Text label);
    // Appends one item row: optional run position (1..3, 0 for none) into 序号, then the
    // numbering from the row above when `numbered`, then the four texts; the total is
    // computed from the quantity and unit price as read back from the cells.
    void AppendItemRow(Text name, Text unit, Text quantity, Text unitPrice, bool numbered, TotalForm form,
                       int runPosition = 0);

    // Row-level edits used by the sheet operations; out-of-range rows change nothing.
    void RemoveRow(int row);
    void InsertRow(int row, QuoteRow cells);
    void Truncate(int rowCount);
    void Clear() { m_rows.clear(); }
    // Room for `rows` rows without moving the ones already written (large quotes).
    void Reserve(int rows) { m_rows.reserve(rows > 0 ? static_cast<std::size_t>(rows) : 0); }

    const std::vector<QuoteRow>& rows() const { return m_rows; }
    const QuoteRow& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    bool operator==(const QuoteSheet&) const = default;

private:
    std::vector<QuoteRow> m_rows;
};

// The total of an item row as the writer computes it, from the quantity and unit-price texts.
Text ItemTotalText(const Text& quantity, const Text& unitPrice, TotalForm form);

}  // namespace rq
