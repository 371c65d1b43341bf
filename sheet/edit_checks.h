// Whether an edit of a quote sheet may be made: the total it writes must be a finite
// number, and no total it leads to may leave the range of whole yuan. Checked before the
// edit, so that a refused edit changes nothing at all. The Try calls check and edit in one.
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

// Before "删除此项": deleting a row of negative amount raises the items, and the fees with them.
std::optional<Text> CheckDeleteRow(const QuoteSheet& sheet, std::string_view caption, int row,
                                   const PriceBook& book = BuiltInPriceBook());

// An edit made, with what it changed, or refused with the message to show and nothing changed.
struct EditOutcome {
    std::optional<Text> refusal;
    SheetChange change;
};

EditOutcome TryModifyRow(QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields,
                         const PriceBook& book, SheetListener* listener = nullptr);
EditOutcome TryDeleteRow(QuoteSheet& sheet, std::string_view caption, int row, const PriceBook& book,
                         SheetListener* listener = nullptr);
EditOutcome TryAddItem(QuoteSheet& sheet, std::string_view caption, const AddedItem& item, const PriceBook& book,
                       SheetListener* listener = nullptr);
EditOutcome TryAddItemToRoom(QuoteSheet& sheet, std::string_view caption, int row, const AddedItem& item,
                             const PriceBook& book, SheetListener* listener = nullptr);

} // namespace rq
