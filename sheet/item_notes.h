// What the quote sheet window and the add-item dialog know about items: the remark shown
// for a clicked item, the extra works the dialog offers and their usual unit prices.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "prices/price_book.h"

namespace rq {

// The remark for an item name, or nothing when the item has none (the window then keeps
// the remark it showed before). Every door, whatever its kind, is "成品门".
std::optional<std::string_view> ItemRemark(std::string_view itemName);

// The usual unit price of an extra work, as the book's 增项 section gives it (kept by the
// book, which must outlive the text), or nothing for a work without one (the door casings and
// tiling are priced case by case, so the price field is left alone).
std::optional<std::string_view> DefaultUnitPrice(std::string_view itemName, const PriceBook& book = BuiltInPriceBook());

// The add-item dialog's lists, in the order the user sees them, and its starting texts.
std::span<const std::string_view> AddItemNames();
std::span<const std::string_view> AddItemQuantities();
std::span<const std::string_view> AddItemUnitPrices();

inline constexpr std::string_view kAddItemInitialName = "包水管";
inline constexpr std::string_view kAddItemInitialQuantity = "1";
inline constexpr std::string_view kAddItemInitialUnitPrice = "98";

}  // namespace rq
