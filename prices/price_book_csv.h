// Price books as CSV for spreadsheet programs, with the columns 分类, 项目, 单位, 等级, 单价:
// written as UTF-8 with a byte-order mark (or the common spreadsheets show the Chinese as
// mojibake), read as UTF-8 or as GBK, which older spreadsheets write. A fee's 单价 is its
// rate ("2%"); an empty 等级 means the same figure at every grade.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "prices/price_book_json.h"

namespace rq {

inline constexpr std::string_view kCsvHeadings[] = { "分类", "项目", "单位", "等级", "单价" };

std::string WritePriceBookCsv(const PriceBook& book);

// A CSV file has no room for the book's name: `name` is taken (the file's name, say). Every
// refused line is named with its reason, and nothing is taken unless the whole file is sound.
PriceBookReadResult ReadPriceBookCsv(std::string_view bytes, Text name);

// One line of a table of prices as a spreadsheet holds it, its cells as texts.
struct PriceBookRow {
    int line = 0; // where the line is in its file or sheet, from 1, for messages
    std::vector<Text> fields;
};

// The lines of a table, headed by kCsvHeadings, as the CSV reader takes them: blank lines
// skipped, every refused line named, nothing taken unless all are sound.
PriceBookReadResult ReadPriceBookRows(std::vector<PriceBookRow> rows, Text name);

} // namespace rq
