// The spreadsheet module's price-book workbook: one sheet named after the book, the CSV's
// columns with the heading row frozen, prices as numbers and fee rates as percentages, so
// that a spreadsheet can compute with them and the book reads back figure for figure.
#include <xlsxwriter.h>

#include <string>

#include "document/xlsx/xlsx_module.h"
#include "document/xlsx_writer.h"
#include "prices/price_book_csv.h"

namespace rq {
namespace {

// Wide enough for the longest Chinese names a book allows, two columns a character.
constexpr double kColumnWidths[] = { 14, 22, 8, 6, 10 };

// "0%", "0.0%" or "0.00%": a rate shown as the book writes it.
const char* RateFormat(std::int64_t hundredths)
{
    return hundredths % 100 == 0 ? "0%" : hundredths % 10 == 0 ? "0.0%" : "0.00%";
}

std::optional<Text> WritePriceBookWorkbook(const PriceBook& book, const std::string& temporary)
{
    lxw_workbook* workbook = workbook_new(temporary.c_str());
    if (!workbook)
        return Text("无法建立工作簿文件");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, WorksheetName(book.name()).c_str());
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* rates[3];
    const char* codes[3] = { "0%", "0.0%", "0.00%" };
    for (int i = 0; i < 3; ++i) {
        rates[i] = workbook_add_format(workbook);
        format_set_num_format(rates[i], codes[i]);
    }
    lxw_error error = LXW_NO_ERROR;
    const auto check = [&](lxw_error result) {
        if (error == LXW_NO_ERROR)
            error = result;
    };
    for (lxw_col_t column = 0; column < std::size(kCsvHeadings); ++column) {
        check(worksheet_write_string(sheet, 0, column, Text(kCsvHeadings[column]).c_str(), bold));
        check(worksheet_set_column(sheet, column, column, kColumnWidths[column], nullptr));
    }
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 1;
    for (const PriceItem& item : book.items()) {
        check(worksheet_write_string(sheet, row, 0, item.section.c_str(), nullptr));
        check(worksheet_write_string(sheet, row, 1, item.name.c_str(), nullptr));
        check(worksheet_write_string(sheet, row, 2, item.unit.c_str(), nullptr));
        if (item.level != 0)
            check(worksheet_write_number(sheet, row, 3, item.level, nullptr));
        if (item.IsFee()) {
            const std::string_view code = RateFormat(item.hundredths);
            lxw_format* format = rates[code == "0%" ? 0 : code == "0.0%" ? 1 : 2];
            check(worksheet_write_number(sheet, row, 4, static_cast<double>(item.hundredths) / 10'000, format));
        } else {
            check(worksheet_write_number(sheet, row, 4, static_cast<double>(item.hundredths) / 100, nullptr));
        }
        ++row;
    }
    const lxw_error closed = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR)
        return Text(lxw_strerror(error));
    return std::nullopt;
}

} // namespace
} // namespace rq

extern "C" __attribute__((visibility("default"))) rq::PriceBookWorkbookWriter renoquotePriceBookWriter()
{
    return &rq::WritePriceBookWorkbook;
}
