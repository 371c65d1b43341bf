// The foot of a quote: transport, rubbish and management fees on the items, the project
// total, and for a full package the grand total over everything. Both read only what the
// sheet's 总计 column says, so edited and added rows count exactly like computed ones; which
// rows count follows from their kind, never from a name the user may have typed.
#pragma once

#include <iterator>
#include <optional>
#include <span>
#include <string_view>

#include "prices/price_book.h"
#include "quote/quote_sheet.h"
#include "quote/whole_yuan.h"

namespace rq {

inline constexpr std::string_view kOtherSection = "其它的";
inline constexpr std::string_view kProjectTotal = "工程总造价";
inline constexpr std::string_view kFullPackageTotal = "全包总价格";

// The fee rows in sheet order, priced as a percentage of the items, not as quantity × unit
// price. Their units and rates are the price book's (section 费用); the transport fee takes
// one rate, the floor-dependent rates in its remark are advice only.
inline constexpr std::string_view kFeeNames[] = {"材料搬运费", "垃圾清理费用", "工程管理费"};

// The most the fees can add to the items they are priced on, as a fraction: a book holds
// no rate above 100 %.
constexpr double MaxFeeShare() { return static_cast<double>(std::size(kFeeNames)); }

// Whether a row of this name is a fee, priced as a percentage of the items.
bool IsFeeName(std::string_view name);

// The running total of the 总计 cells of rows [fromRow, toRow) that count in totals (see
// CountsInTotals); from the top of the sheet, the sheet's kept running totals.
std::int32_t SumTotals(const QuoteSheet& sheet, int fromRow, int toRow);

// The running total over all the sheet's rows going on from `sumAbove`: the total of a
// sheet built or handed out in parts, this being the latest part.
std::int32_t ContinuedTotal(const QuoteSheet& sheet, std::int32_t sumAbove);

// The 总计 of a fee row priced on `items` (the items above the fee section). A row as the
// quote writes it (the book's name and unit, quantity 1, the book's rate) takes exactly the
// quote's figure; a row whose unit, quantity or rate the user changed takes quantity × rate
// per cent of the items, as 修改 prices a fee. A row no longer named as a fee is priced as
// any item and gets nothing here.
std::optional<Text> FeeTotal(const RowTexts& cells, std::int32_t items, const PriceBook& book);

// Appends "其它的", the three fee rows, a blank row and "工程总造价". `sumAbove` is the running
// total of the rows that the sheet's rows will stand below, when they are built apart to
// take the place of a fee section (确定添加); the sums go on from it.
// The fee units and rates come from the book, except where `kept` holds a fee row of the
// same name whose figures the user set: that row's unit, quantity and rate stay.
void AppendFeesAndProjectTotal(QuoteSheet& sheet, std::int32_t sumAbove = 0,
                               const PriceBook& book = BuiltInPriceBook(), std::span<const QuoteRow> kept = {});

// Appends a blank row and "全包总价格" over every total except "工程总造价"; `sumAbove` as for
// the fees, when the sheet is the last part of one handed out in parts.
void AppendFullPackageTotal(QuoteSheet& sheet, std::int32_t sumAbove = 0);

}  // namespace rq
