// The spreadsheet module: the workbook written with libxlsxwriter, loaded by WriteXlsx
// for the first .xlsx of a run (see modules/module_loader.h).
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "document/xlsx/xlsx_module.h"
#include "document/xlsx_writer.h"

namespace rq {
namespace {

constexpr double kTitleSize = 14;
constexpr int kMinColumnWidth = 6;
constexpr int kMaxColumnWidth = 80;
constexpr int kProgressStep = 256;
constexpr double kLinePoints = 15;  // the height of a line of text at the default font
// Item heads further down than this are not frozen: the frozen rows would fill the window.
constexpr int kMaxFrozenRows = 24;

// The library's own words for a failure are English; the user gets ours, and its number
// for whoever has to look further.
Text LibraryFailure(const std::string& path, lxw_error error)
{
    return "无法写入文件 " + path + "（电子表格无法生成，错误代码 " + std::to_string(static_cast<int>(error)) + "）";
}

// The workbook's formats, made once each: bold or not, wrapped at its line breaks or not,
// and how a figure is written.
class Formats {
public:
    explicit Formats(lxw_workbook* workbook)
        : m_workbook(workbook)
    {
    }

    lxw_format* get(bool bold, const std::string& numberFormat, bool wrap = false)
    {
        const auto key = std::make_tuple(bold, wrap, numberFormat);
        if (const auto found = m_formats.find(key); found != m_formats.end())
            return found->second;
        lxw_format* format = nullptr;
        if (bold || wrap || !numberFormat.empty()) {
            format = workbook_add_format(m_workbook);
            if (bold)
                format_set_bold(format);
            if (wrap) {
                format_set_text_wrap(format);
                format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
            }
            if (!numberFormat.empty())
                format_set_num_format(format, numberFormat.c_str());
        }
        m_formats.emplace(key, format);
        return format;
    }

private:
    lxw_workbook* m_workbook;
    std::map<std::tuple<bool, bool, std::string>, lxw_format*> m_formats;
};

// A text with a line break shows its lines only in a cell set to wrap.
bool BreaksLines(const Text& text) { return text.find('\n') != Text::npos; }

// The lines a wrapped text takes in a cell `width` characters wide, Chinese counting two.
int WrappedLineCount(std::string_view text, int width)
{
    int lines = 0;
    while (true) {
        const std::size_t end = text.find('\n');
        lines += std::max(1, (DisplayWidth(text.substr(0, end)) + width - 1) / std::max(width, 1));
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 1);
    }
}

// "0.00" for two decimals, "0%" for a whole percentage: the figure shows as the quote wrote it.
std::string NumberFormatOf(const CellNumber& number)
{
    if (number.exponent)
        return number.percent ? "0.00E+00%" : "General";
    std::string format = "0";
    if (number.decimals > 0)
        format += "." + std::string(static_cast<std::size_t>(number.decimals), '0');
    if (number.percent)
        format += '%';
    return format;
}

class SheetWriter {
public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet, const std::string& path)
        : m_sheet(sheet)
        , m_formats(workbook)
        , m_path(path)
    {
    }

    void text(int row, int column, const Text& value, lxw_format* format)
    {
        if (value.empty() && !format)
            return;
        check(worksheet_write_string(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                     value.c_str(), format));
    }

    void cell(int row, int column, const Text& value, bool bold, bool figure)
    {
        CellNumber number;
        if (figure && ReadCellNumber(value, number)) {
            check(worksheet_write_number(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                         number.value, m_formats.get(bold, NumberFormatOf(number))));
            return;
        }
        text(row, column, value, m_formats.get(bold, {}, BreaksLines(value)));
    }

    // A table's heads in bold and its rows; returns the row after it.
    int table(int row, const std::vector<Text>& heads, const std::vector<bool>& figureColumns,
              const std::vector<DocumentRow>& rows)
    {
        for (std::size_t column = 0; column < heads.size(); ++column)
            text(row, static_cast<int>(column), heads[column], m_formats.get(true, {}));
        row += heads.empty() ? 0 : 1;
        for (const DocumentRow& shown : rows) {
            tableRow(row++, shown, figureColumns);
            if (!m_problem.empty())
                break;
        }
        return row;
    }

    void tableRow(int row, const DocumentRow& shown, const std::vector<bool>& figureColumns)
    {
        const bool bold = shown.emphasis != RowEmphasis::Plain;
        for (std::size_t column = 0; column < shown.cells.size(); ++column) {
            const bool figure = column < figureColumns.size() && figureColumns[column];
            cell(row, static_cast<int>(column), shown.cells[column], bold, figure);
        }
    }

    // A line above the tables: one with line breaks (the notes) wraps across the width of
    // the table, as tall as its lines; others run on over the empty cells to their right.
    void line(int row, const Text& value, lxw_format* format, const std::vector<int>& widths)
    {
        const int columns = static_cast<int>(widths.size());
        if (!BreaksLines(value) || columns < 2) {
            text(row, 0, value, format ? format : (BreaksLines(value) ? m_formats.get(false, {}, true) : nullptr));
            return;
        }
        check(worksheet_merge_range(m_sheet, static_cast<lxw_row_t>(row), 0, static_cast<lxw_row_t>(row),
                                    static_cast<lxw_col_t>(columns - 1), value.c_str(), m_formats.get(false, {}, true)));
        int width = 0;
        for (const int column : widths)
            width += column;
        check(worksheet_set_row(m_sheet, static_cast<lxw_row_t>(row), kLinePoints * WrappedLineCount(value, width),
                                nullptr));
    }

    Formats& formats() { return m_formats; }
    const Text& problem() const { return m_problem; }

private:
    void check(lxw_error error)
    {
        if (error == LXW_NO_ERROR || !m_problem.empty())
            return;
        m_problem = error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED
                        ? "无法写入文件 " + m_path + "（有一格的文字超过 32767 个字符，电子表格放不下）"
                        : LibraryFailure(m_path, error);
    }

    lxw_worksheet* m_sheet;
    Formats m_formats;
    std::string m_path;
    Text m_problem;
};

// Columns of the widest table: the items, the rooms or the estimate's figures.
int TableColumns(const QuoteDocument& document)
{
    int columns = document.ColumnCount();
    for (const DocumentTable* table : {&document.rooms, &document.figures}) {
        columns = std::max(columns, static_cast<int>(table->heads.size()));
        for (const DocumentRow& row : table->rows)
            columns = std::max(columns, static_cast<int>(row.cells.size()));
    }
    return columns;
}

// Widths in characters of a fixed-width font, Chinese counting two, over the table only:
// the head lines may run across the empty cells to their right.
std::vector<int> ColumnWidths(const QuoteDocument& document)
{
    std::vector<int> widths(static_cast<std::size_t>(TableColumns(document)), 0);
    const auto widen = [&](std::size_t column, const Text& text) {
        widths[column] = std::max(widths[column], DisplayWidth(text));
    };
    const auto widenAll = [&](const std::vector<Text>& heads, const std::vector<DocumentRow>& rows) {
        for (std::size_t column = 0; column < heads.size(); ++column)
            widen(column, heads[column]);
        for (const DocumentRow& row : rows) {
            for (std::size_t column = 0; column < row.cells.size(); ++column)
                widen(column, row.cells[column]);
        }
    };
    widenAll(document.columnHeads, document.rows);
    widenAll(document.rooms.heads, document.rooms.rows);
    widenAll(document.figures.heads, document.figures.rows);
    for (int& width : widths)
        width = std::clamp(width + 2, kMinColumnWidth, kMaxColumnWidth);
    return widths;
}

// The library prints its own English lines ("[ERROR] workbook_close(): ...") to standard
// error; the user reads our Chinese reason instead, so they go nowhere while it works.
class QuietLibrary {
public:
    QuietLibrary()
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && nowhere >= 0)
            ::dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0)
            ::close(nowhere);
    }
    ~QuietLibrary()
    {
        if (m_saved < 0)
            return;
        const int error = errno;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        errno = error;
    }
    QuietLibrary(const QuietLibrary&) = delete;
    QuietLibrary& operator=(const QuietLibrary&) = delete;

private:
    int m_saved = -1;
};

WriteResult WriteWorkbook(const QuoteDocument& document, const std::string& path, const std::string& temporary,
                          const ProgressCallback& progress)
{
    const QuietLibrary quiet;
    // A sheet of many rooms can need more rows than a worksheet has: told before anything is
    // packed, not after minutes of work in the library's words.
    const std::vector<Text> headLines = HeadLines(document);
    const Text basis = BasisLine(document);
    const auto tableRows = [](const DocumentTable& table) {
        return table.rows.empty() ? 0 : table.heads.size() + table.rows.size() + 1;
    };
    const std::size_t rowsNeeded = headLines.size() + 1 + (basis.empty() ? 0 : 2) + tableRows(document.rooms) +
                                   (document.columnHeads.empty() ? 0 : 1) + document.rows.size() +
                                   tableRows(document.figures) + 1 + document.signatureLines.size();
    if (rowsNeeded > LXW_ROW_MAX)
        return Failed("无法写入文件 " + path + "（报价单有 " + std::to_string(rowsNeeded) + " 行，电子表格最多只能放 "
                      + std::to_string(LXW_ROW_MAX) + " 行；可以输出 .csv 或 .pdf）");
    lxw_workbook* workbook = workbook_new(temporary.c_str());
    if (!workbook)
        return Failed(WriteProblem(path, errno));
    const Text name = WorksheetName(document.title);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.c_str());
    if (!sheet) {
        workbook_close(workbook);
        return Failed("无法写入文件 " + path + "（工作表名称无效）");
    }
    SheetWriter writer(workbook, sheet, path);
    const std::vector<int> widths = ColumnWidths(document);

    lxw_format* titleFormat = workbook_add_format(workbook);
    format_set_bold(titleFormat);
    format_set_font_size(titleFormat, kTitleSize);
    int row = 0;
    for (const Text& line : headLines) {
        writer.line(row, line, row == 0 ? titleFormat : nullptr, widths);
        ++row;
    }
    ++row;  // an empty row between the head and the tables
    if (!basis.empty()) {
        writer.line(row, basis, nullptr, widths);
        row += 2;
    }
    if (!document.rooms.rows.empty())
        row = writer.table(row, document.rooms.heads, document.rooms.figureColumns, document.rooms.rows) + 1;
    if (!document.columnHeads.empty()) {
        for (std::size_t column = 0; column < document.columnHeads.size(); ++column)
            writer.text(row, static_cast<int>(column), document.columnHeads[column], writer.formats().get(true, {}));
        ++row;
        // The heads stay in view however far down the sheet is scrolled, when the rows
        // above them leave room for the items.
        if (row <= kMaxFrozenRows)
            worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(row), 0);
    }
    const int total = static_cast<int>(document.rows.size());
    for (int index = 0; index < total && writer.problem().empty(); ++index, ++row) {
        if (index % kProgressStep == 0 && progress && !progress(index, total)) {
            workbook_close(workbook);
            return Stopped();
        }
        writer.tableRow(row, document.rows[static_cast<std::size_t>(index)], document.figureColumns);
    }
    if (!document.figures.rows.empty())
        row = writer.table(row + 1, document.figures.heads, document.figures.figureColumns, document.figures.rows);
    ++row;
    for (const Text& line : document.signatureLines)
        writer.text(row++, 0, line, nullptr);
    for (std::size_t column = 0; column < widths.size(); ++column)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column), widths[column],
                             nullptr);
    if (!writer.problem().empty()) {
        workbook_close(workbook);
        return Failed(writer.problem());
    }
    // The workbook reaches the disk only as it is closed: a full disk shows here, and the
    // system's reason says so in the user's words, not the library's.
    errno = 0;
    if (const lxw_error error = workbook_close(workbook); error != LXW_NO_ERROR) {
        const bool fileError = error >= LXW_ERROR_CREATING_XLSX_FILE && error <= LXW_ERROR_ZIP_CLOSE;
        return Failed(fileError && errno != 0 ? WriteProblem(path, errno)
                                              : LibraryFailure(path, error));
    }
    // A stop asked for while the workbook was packed still counts: nothing replaces the file.
    if (progress && !progress(total, total))
        return Stopped();
    return {};
}

}  // namespace
}  // namespace rq

extern "C" __attribute__((visibility("default"))) rq::WorkbookWriter renoquoteWorkbookWriter() { return &rq::WriteWorkbook; }
