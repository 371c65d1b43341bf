// Price books from spreadsheet workbooks (.xlsx): the first worksheet, read as a table with
// the CSV's columns 分类, 项目, 单位, 等级, 单价 and the same checks, line by line. A
// workbook is a zip of XML parts: libzip opens it, expat reads the parts.
#pragma once

#include <string_view>

#include "prices/price_book_csv.h"

namespace rq {

// As ReadPriceBookCsv: `name` is the book's (a workbook has no room for it), every refused
// line is named by its row in the sheet, nothing is taken unless the whole sheet is sound.
PriceBookReadResult ReadPriceBookXlsx(std::string_view bytes, Text name);

} // namespace rq
