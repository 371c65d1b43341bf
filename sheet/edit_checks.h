// Whether an edit of a quote sheet may be made: the total it writes must be a finite
// number, and no total it leads to may leave the range of whole yuan. Checked before the
// edit, so that a refused edit changes nothing at all.
#pragma once

#include <optional>
#include <string_view>

#include "sheet/sheet_edits.h"

namespace rq {

// Before "修改": the message to show ("数量太大，…" naming the field, or "金额超出范围：…"
// naming the item), or nothing when ModifyRow may go ahead.
std::optional<Text> CheckModifyRow(const QuoteSheet& sheet, std::string_view caption, int row,
                                   const ItemFields& fields, const PriceBook& book = BuiltInPriceBook());

// Before "确定添加": the same for AddItem.
std::optional<Text> CheckAddItem(const QuoteSheet& sheet, std::string_view caption, const AddedItem& item,
                                 const PriceBook& book = BuiltInPriceBook());

// Before "在此房间添加项": the same for AddItemToRoom.
std::optional<Text> CheckAddItemToRoom(const QuoteSheet& sheet, std::string_view caption, int row,
                                       const AddedItem& item, const PriceBook& book = BuiltInPriceBook());

} // namespace rq
