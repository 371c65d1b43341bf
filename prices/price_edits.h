// Changes a user makes to a price book, each one operation that reports what it replaced, so
// that the window can show it and a later undo can put it back: one price typed over, a
// section or the whole book raised or lowered by a percentage, the company's prices restored.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "prices/price_book.h"

namespace rq {

// One figure of the book before and after a change.
struct PriceChange {
    std::size_t index = 0;
    std::int64_t before = 0; // hundredths, as PriceItem::hundredths
    std::int64_t after = 0;
    bool operator==(const PriceChange&) const = default;
};

// What a change did, or why it was refused (then the book is as it was).
struct PriceEditResult {
    std::optional<Text> problem;
    std::vector<PriceChange> changes; // only the figures that moved
};

// The 单价 typed into one item: a price with at most two decimals, a fee's rate with or
// without its "%", at most 100 %. A refusal names the item and keeps the old figure.
PriceEditResult EditPrice(PriceBook& book, std::size_t index, std::string_view typed);

// How a raised or lowered price is rounded: to whole yuan, or to 0.1 yuan.
enum class PriceRounding { WholeYuan, Tenth };

// The largest change 调价 takes, in hundredths of a per cent either way: prices at most
// ten times higher, or down to nothing.
inline constexpr std::int64_t kMaxAdjustUp = 100'000;
inline constexpr std::int64_t kMaxAdjustDown = 10'000;

// `hundredths` raised by `percentHundredths` (1000 is +10 %), rounded half up to the step:
// 13 yuan + 10 % is 14.3, so 14 in whole yuan and 14.3 in tenths.
std::int64_t AdjustedHundredths(std::int64_t hundredths, std::int64_t percentHundredths, PriceRounding rounding);

// Every unit price of `section` (all sections when empty) raised or lowered by the
// percentage. The fee rates are percentages of the items already, and stay as they are.
PriceEditResult AdjustPrices(
    PriceBook& book, std::string_view section, std::int64_t percentHundredths, PriceRounding rounding);

// Every figure back to the company's own; the book keeps its name.
PriceEditResult RestoreBuiltInPrices(PriceBook& book);

// Puts back what a change replaced (the figures it reports, in reverse).
void UndoPriceChanges(PriceBook& book, const std::vector<PriceChange>& changes);

// The book's sections in the order they first appear.
std::vector<Text> BookSections(const PriceBook& book);

} // namespace rq
