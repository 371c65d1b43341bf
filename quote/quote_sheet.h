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
#include "quote/row_store.h"

namespace rq {

enum SheetColumn { kSerial = 0, kItemName, kUnit, kQuantity, kUnitPrice, kTotal, kSheetColumnCount };

// A row's six cells as texts of their own, to write into a sheet or compare with one.
using QuoteRow = std::array<Text, kSheetColumnCount>;
static_assert(kSheetColumnCount == kRowTextCount);

// The column heads, on screen, in every document and on the command line's first line.
inline constexpr std::array<std::string_view, kSheetColumnCount> kSheetHeads
    = {"序号", "项目名称", "单位", "数量", "单价", "总计"};

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
    int RowCount() const { return m_texts.size(); }

    // A cell never written, or outside the sheet, reads as the empty text. The text read
    // stays valid until the sheet next changes.
    std::string_view GetCell(int row, int column) const;
    // Outside the sheet nothing is written. The text may be read from this same sheet.
    void SetCell(int row, int column, std::string_view text);
    // The six cells of a row, valid until the sheet next changes; all empty outside it.
    RowTexts RowCells(int row) const;
    // The six cells of a row, copied; all empty outside the sheet.
    QuoteRow row(int index) const;
    // Every row, copied: for small sheets (tests, comparisons).
    std::vector<QuoteRow> CopyRows() const;
    // Whether `row` has the same six texts as `otherRow` of `other`.
    bool SameCells(int row, const QuoteSheet& other, int otherRow) const;

    // Outside the sheet a row reads as RowKind::Blank and takes no kind.
    RowKind GetKind(int row) const;
    void SetKind(int row, RowKind kind);

    void AppendBlankRow();
    // A header carries only its label: a room type, or the label of a fee or total row.
    void AppendHeaderRow(std::string_view label, RowKind kind = RowKind::RoomHeader);
    // Appends a row exactly as given (used by project loading and the fee writer).
    void AppendRow(const QuoteRow& cells, RowKind kind);
    // Appends row `row` of `source` (which may be this sheet), its kind along.
    void AppendRowFrom(const QuoteSheet& source, int row);
    // Appends one item row: optional run position (1..3, 0 for none) into 序号, then the
    // numbering from the row above when `numbered`, then the four texts; the total is
    // computed from the quantity and unit price as read back from the cells.
    void AppendItemRow(std::string_view name, std::string_view unit, std::string_view quantity,
                       std::string_view unitPrice, bool numbered, TotalForm form, int runPosition = 0);

    // Row-level edits used by the sheet operations; out-of-range rows change nothing.
    void RemoveRow(int row);
    void InsertRow(int row, const QuoteRow& cells, RowKind kind);
    // Inserts row `sourceRow` of `source` (another sheet) at `row`, its kind along.
    void InsertRowFrom(int row, const QuoteSheet& source, int sourceRow);
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

    // Rows and kinds; the sums kept beside them are the same for equal sheets.
    bool operator==(const QuoteSheet& other) const { return m_texts == other.m_texts && m_kinds == other.m_kinds; }

private:
    // Forgets the running totals from `row` on, after a change there.
    void forgetSumsFrom(int row);
    // `sum` with the counted totals of rows [from, to) added, one after another.
    std::int32_t addTotals(std::int32_t sum, int from, int to) const;
    void appendRow(const RowTexts& cells, RowKind kind);
    // The same, with the total as TextToNumber reads it already known.
    void appendRow(const RowTexts& cells, RowKind kind, double totalValue);

    RowStore m_texts;              // every row's six cells
    std::vector<RowKind> m_kinds;  // one per row, in step with m_texts
    std::vector<double> m_totals;  // each row's 总计 as TextToNumber reads it; NaN when empty
    // Running totals are kept at every kSumSpacing-th row: m_sums[k] is the total over rows
    // [0, k * kSumSpacing). A sum between two adds fewer than kSumSpacing totals to the one
    // kept above it, and a sheet of a million rows keeps 16,000 sums, not a million. Kept
    // across calls of the const CountedTotalBefore, forgotten from a changed row on.
    static constexpr int kSumSpacing = 64;
    mutable std::vector<std::int32_t> m_sums;
};

// The total of an item row as the writer computes it, from the quantity and unit-price texts.
Text ItemTotalText(std::string_view quantity, std::string_view unitPrice, TotalForm form);

}  // namespace rq
