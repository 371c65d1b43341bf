// Price-book files (.renoquote-prices): UTF-8 JSON, described in docs/price-book-file.md, and
// the form of the built-in book's data file. Reading is as strict as for projects: a book is
// taken whole or not at all, and every problem is named.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "prices/price_book.h"

namespace rq {

inline constexpr std::string_view kPriceBookFormatName = "renoquote-prices";
inline constexpr int kPriceBookFormatVersion = 1;
inline constexpr std::string_view kPriceBookFileSuffix = ".renoquote-prices";
// A book of a few hundred items is some 20 KB; anything near this is no price book.
inline constexpr std::size_t kMaxPriceBookFileBytes = 1u << 20;

struct PriceBookReadResult {
    std::optional<PriceBook> book; // set exactly when the file was accepted
    std::vector<Text> problems; // otherwise every problem found, for the user
};

// One item a line, so that two books compare line by line.
std::string WritePriceBookJson(const PriceBook& book);

// A syntax error names its line and column; then each item's problems, by item.
PriceBookReadResult ReadPriceBookJson(std::string_view bytes);

// The items as written, checked one by one but not against the built-in book: how the
// built-in book itself is read. False, with the problems, when any is unsound.
// `places`, when given, receives where each read item stands ("第 3 项："), for messages.
bool ReadBookItems(std::string_view bytes, Text& name, std::vector<PriceItem>& items, std::vector<Text>& problems,
    std::vector<Text>* places = nullptr);

} // namespace rq
