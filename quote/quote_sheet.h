// The quote sheet: rows of six texts (序号, 项目名称, 单位, 数量, 单价, 总计) and the row writer
// that every part of a quote appends through. All figures live as text; every later total
// is computed from what the cells say. Each row also carries what it is, so that the edits
// never have to guess a row's part in the sheet from texts the user may have changed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "convert/convert.h"

namespace rq {

enum SheetColumn { kSerial = 0, kItemName, kUnit, kQuantity, kUnitPrice, kTotal, kSheetColumnCount };

using QuoteRow = std::array<Text, kSheetColumnCount>;

// What a row of the sheet is: set when it is written, kept by every edit, never shown.
// Sum is a row that took the sum of the sheet because its total row was deleted.
enum class RowKind : std::uint8_t {
    RoomHeader,
    Item,
    AddedItem,
    Blank,
    FeeHeader,
    Fee,
    ProjectTotal,
    FullPackageTotal,
    Sum
};

// Stable names, kept in project files; never change one once released:
// "room-header", "item", "added-item", "blank", "fee-header", "fee",
// "project-total", "full-package-total", "sum"
std::string_view RowKindName(RowKind kind);
std::optional<RowKind> RowKindFromName(std::string_view name);

// Whether a row's 总计 is part of the sums: every row's but the total rows' and a row's
// holding an earlier sum, which would count the rows above it twice.
constexpr bool CountsInTotals(RowKind kind)
{
    return kind != RowKind::ProjectTotal && kind != RowKind::FullPackageTotal && kind != RowKind::Sum;
}

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

    // Outside the sheet a row reads as RowKind::Blank and takes no kind.
    RowKind GetKind(int row) const;
    void SetKind(int row, RowKind kind);

    void AppendBlankRow();
    // A header carries only its label: a room type, or the label of a fee or total row.
    void AppendHeaderRow(Text label, RowKind kind = RowKind::RoomHeader);
    // Appends a row exactly as given (used by project loading and the fee writer).
    void AppendRow(QuoteRow cells, RowKind kind);
    // Appends one item row: optional run position (1..3, 0 for none) into 序号, then the
    // numbering from the row above when `numbered`, then the four texts; the total is
    // computed from the quantity and unit price as read back from the cells.
    void AppendItemRow(Text name, Text unit, Text quantity, Text unitPrice, bool numbered, TotalForm form,
                       int runPosition = 0);

    // Row-level edits used by the sheet operations; out-of-range rows change nothing.
    void RemoveRow(int row);
    void InsertRow(int row, QuoteRow cells, RowKind kind);
    void Truncate(int rowCount);
    // Rows [begin, end) give way to `rows`, kinds along, in one step: the rows below move
    // once, by the difference in number, however many they are (确定添加 rebuilds the fee
    // section above the main materials of every room this way).
    void ReplaceRows(int begin, int end, QuoteSheet&& rows);
    void Clear();
    // Room for `rows` rows without moving the ones already written (large quotes).
    void Reserve(int rows);

    // The running total in whole yuan (see AddToRunningTotal) of the 总计 cells of rows
    // [0, end) whose kind counts in totals. Sums already taken are kept while rows are
    // only appended or changed further down, so the engine reads each total once, and an
    // edit of a large sheet adds up only from the first row it changed.
    std::int32_t CountedTotalBefore(int end) const;
    // The 总计 cell of `row` as a number; empty when the cell is empty or outside the sheet.
    std::optional<double> TotalValue(int row) const;

    const std::vector<QuoteRow>& rows() const { return m_rows; }
    const QuoteRow& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    // Rows and kinds; the sums kept beside them are the same for equal sheets.
    bool operator==(const QuoteSheet& other) const { return m_rows == other.m_rows && m_kinds == other.m_kinds; }

private:
    // Forgets the running totals from `row` on, after a change there.
    void forgetSumsFrom(int row);

    std::vector<QuoteRow> m_rows;
    std::vector<RowKind> m_kinds;  // one per row, in step with m_rows
    std::vector<double> m_totals;  // each row's 总计 as TextToNumber reads it; NaN when empty
    // m_sums[i]: the running total over rows [0, i), for i up to m_sums.size() - 1; kept
    // across calls of the const CountedTotalBefore, forgotten from a changed row on.
    mutable std::vector<std::int32_t> m_sums;
};

// The total of an item row as the writer computes it, from the quantity and unit-price texts.
Text ItemTotalText(const Text& quantity, const Text& unitPrice, TotalForm form);

}  // namespace rq
