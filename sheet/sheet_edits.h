// Edits of a finished quote sheet: change or delete a row, add an extra item, and bring the
// fees and totals at the foot up to date. The caption tells a half- from a full-package sheet.
// Each edit returns what it changed (see SheetChange), to be taken back or made again, and
// tells a listener of each step as it is made.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "prices/price_book.h"
#include "quote/quote_sheet.h"
#include "sheet/sheet_change.h"

namespace rq {

// The four texts of the edit fields: columns 项目名称, 单位, 数量 and 单价 of a row.
struct ItemFields {
    Text name;
    Text unit;
    Text quantity;
    Text unitPrice;
    bool operator==(const ItemFields&) const = default;
};

// What the user picked or typed in the add-item dialog.
struct AddedItem {
    Text name;
    Text quantity;
    Text unitPrice;
};

// True for the caption of a full-package sheet ("全包装修详细报价"); any other caption is a
// half-package sheet.
bool IsFullPackageCaption(std::string_view caption);

// The four edit texts of a clicked row; a row outside the sheet (-1: none) gives four
// empty texts.
ItemFields FieldsOfRow(const QuoteSheet& sheet, int row);

// The items of the rooms before the fee section: every 总计 that counts in totals above the
// first row of the fee section (or of the whole sheet when there is none), summed in whole
// yuan. The fee section is found by the kinds of its rows, never by their names.
std::int32_t HalfPackageSubtotal(const QuoteSheet& sheet);

// Brings the totals up to date after an edit: every "工程总造价" becomes the sum of the rows
// above it, and the last row receives the sum of every row that counts but itself. A last
// row that is no total row (the blank row left when "工程总造价" was deleted) becomes a row
// holding a sum, never counted again. Fee rows are not recomputed; both sheet modes add
// up alike.
void RecomputeTotals(QuoteSheet& sheet, std::string_view caption);

// "修改": writes the four texts into `row` and prices it (a row named like a fee as a
// percentage of the half-package subtotal, any other row as quantity × unit price,
// untruncated), then prices every fee row again on the new subtotal (see FeeTotal, with
// the book the sheet was priced with) and updates the totals; a full-package sheet gets a
// fresh blank row and "全包总价格" at its foot. The row keeps its kind, whatever it is
// called now, except a blank row (or one holding a sum) the user typed into: that becomes
// an item of its own. A row outside the sheet (-1: none) is not changed, but the fees and
// totals still are. Texts equal to the row's own change nothing at all (a rounded figure
// such as 防水工程 194 is not priced again into 194.4): an empty change then.
SheetChange ModifyRow(QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields,
                      const PriceBook& book = BuiltInPriceBook(), SheetListener* listener = nullptr);

// "删除此项": removes `row` (none outside the sheet), then prices the fee rows again on
// what is left and recomputes the totals.
SheetChange DeleteRow(QuoteSheet& sheet, std::string_view caption, int row, const PriceBook& book = BuiltInPriceBook(),
                      SheetListener* listener = nullptr);

// "确定添加": puts the item, marked "-" and with unit "增", at the end of the block of added
// items above the fee section, then rebuilds the fee section and "工程总造价" over all
// items. Of the old fee section only rows the user typed into stay, above the added items,
// and a fee whose unit, quantity or rate the user set keeps them in its new row.
// On a full-package sheet the main-material section is kept below the new "工程总造价" and
// a fresh "全包总价格" closes the sheet. The fee rates are the book's, the one the sheet
// was priced with.
SheetChange AddItem(QuoteSheet& sheet, std::string_view caption, const AddedItem& item,
                    const PriceBook& book = BuiltInPriceBook(), SheetListener* listener = nullptr);

// The row after the last item of the room `row` belongs to (its header or one of its
// items, above the fee section): where "在此房间添加项" puts an item. -1 when the row is
// part of no room (a blank row, the added items' block, the fees, the main materials).
int RoomBlockEnd(const QuoteSheet& sheet, int row);

// "在此房间添加项": puts the item, marked "-" and with unit "增" like any added item, at the
// end of the block of the room `row` belongs to, then prices the fees again and updates the
// totals as after 修改. Nothing changed (an empty change) when the row is part of no room.
SheetChange AddItemToRoom(QuoteSheet& sheet, std::string_view caption, int row, const AddedItem& item,
                          const PriceBook& book = BuiltInPriceBook(), SheetListener* listener = nullptr);

// Whether rows and kinds form a sheet the edits can work on (used to refuse a project
// file): empty optional when sound, else a short Chinese message naming the first
// offending row (1-based) and what is wrong.
std::optional<Text> CheckSheetStructure(const QuoteSheet& sheet, std::string_view caption);

}  // namespace rq
