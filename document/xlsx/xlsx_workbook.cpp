// The spreadsheet module: the workbook written with libxlsxwriter, loaded by WriteXlsx
// for the first .xlsx of a run (see modules/module_loader.h).
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "document/xlsx/xlsx_module.h"
#include "document/xlsx_writer.h"

namespace rq {
namespace {

constexpr double kTitleSize = 14;
constexpr int kMinColumnWidth = 6;
constexpr int kMaxColumnWidth = 80;
constexpr int kProgressStep = 256;

// The library's own words for a failure are English; the user gets ours, and its number
// for whoever has to look further.
Text LibraryFailure(const std::string& path, lxw_error error)
{
    return "无法写入文件 " + path + "（电子表格无法生成，错误代码 " + std::to_string(static_cast<int>(error)) + "）";
}

// The workbook's formats, made once each: bold or not, and how a figure is written.
class Formats {
public:
    explicit Formats(lxw_workbook* workbook)
        : m_workbook(workbook)
    {
    }

    lxw_format* get(bool bold, const std::string& numberFormat)
    {
        const auto key = std::make_pair(bold, numberFormat);
        if (const auto found = m_formats.find(key); found != m_formats.end())
            return found->second;
        lxw_format* format = nullptr;
        if (bold || !numberFormat.empty()) {
            format = workbook_add_format(m_workbook);
            if (bold)
                format_set_bold(format);
            if (!numberFormat.empty())
                format_set_num_format(format, numberFormat.c_str());
        }
        m_formats.emplace(key, format);
        return format;
    }

private:
    lxw_workbook* m_workbook;
    std::map<std::pair<bool, std::string>, lxw_format*> m_formats;
};

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
        text(row, column, value, m_formats.get(bold, {}));
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

// Widths in characters of a fixed-width font, Chinese counting two, over the table only:
// the head lines may run across the empty cells to their right.
std::vector<int> ColumnWidths(const QuoteDocument& document)
{
    std::vector<int> widths(static_cast<std::size_t>(document.ColumnCount()), 0);
    const auto widen = [&](std::size_t column, const Text& text) {
        widths[column] = std::max(widths[column], DisplayWidth(text));
    };
    for (std::size_t column = 0; column < document.columnHeads.size(); ++column)
        widen(column, document.columnHeads[column]);
    for (const DocumentRow& row : document.rows) {
        for (std::size_t column = 0; column < row.cells.size(); ++column)
            widen(column, row.cells[column]);
    }
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
    const std::size_t rowsNeeded = headLines.size() + 1 + (document.columnHeads.empty() ? 0 : 1) + document.rows.size();
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

    lxw_format* titleFormat = workbook_add_format(workbook);
    format_set_bold(titleFormat);
    format_set_font_size(titleFormat, kTitleSize);
    int row = 0;
    for (const Text& line : headLines) {
        writer.text(row, 0, line, row == 0 ? titleFormat : nullptr);
        ++row;
    }
    ++row;  // an empty row between the head and the table
    if (!document.columnHeads.empty()) {
        for (std::size_t column = 0; column < document.columnHeads.size(); ++column)
            writer.text(row, static_cast<int>(column), document.columnHeads[column], writer.formats().get(true, {}));
        ++row;
        // The heads stay in view however far down the sheet is scrolled.
        worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(row), 0);
    }
    const int total = static_cast<int>(document.rows.size());
    for (int index = 0; index < total && writer.problem().empty(); ++index, ++row) {
        if (index % kProgressStep == 0 && progress && !progress(index, total)) {
            workbook_close(workbook);
            return Stopped();
        }
        const DocumentRow& shown = document.rows[static_cast<std::size_t>(index)];
        const bool bold = shown.emphasis != RowEmphasis::Plain;
        for (std::size_t column = 0; column < shown.cells.size(); ++column) {
            const bool figure = column < document.figureColumns.size() && document.figureColumns[column];
            writer.cell(row, static_cast<int>(column), shown.cells[column], bold, figure);
        }
    }
    const std::vector<int> widths = ColumnWidths(document);
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
