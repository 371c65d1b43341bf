// Price-book files as the user names them: read by their extension (.renoquote-prices or .json
// as JSON, .csv as CSV in UTF-8 or GBK, .xlsx as a workbook), whole or not at all.
#pragma once

#include <optional>
#include <string>

#include "convert/outcome.h"
#include "prices/price_book.h"

namespace rq {

inline constexpr std::string_view kPriceBookSuffixProblem
    = "价格表文件的扩展名应当是 .renoquote-prices、.json、.csv 或 .xlsx";

// The book, or every problem one a line, each after the file's name, with status 1 when the
// file could not be read and 2 when it was refused.
Outcome<PriceBook> ReadPriceBookFile(const std::string& path);

// A CSV book takes the file's name without its folder and extension ("北京 2026 年 3 月").
Text BookNameFromPath(const std::string& path);

} // namespace rq
