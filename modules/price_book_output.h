// A price book written to the file the user named, in the form its extension says:
// .renoquote-prices or .json (the book's own form), .csv (UTF-8 with BOM) or .xlsx (through
// the spreadsheet module, loaded on first use).
#pragma once

#include <optional>
#include <string>

#include "prices/price_book.h"

namespace rq {

// Nothing when written; else why not, in Chinese (the old file then untouched).
std::optional<Text> WritePriceBookFile(const std::string& path, const PriceBook& book);

} // namespace rq
