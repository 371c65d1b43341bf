#include "sheet/edit_checks.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "quote/amount_range.h"
#include "quote/fees.h"
#include "sheet/sheet_change.h"

namespace rq {

namespace {

// The fees add their share of the items to every total below them: 11 % at the built-in
// rates, at most 100 % each in any price book, and whatever rate the user typed into a fee
// row (every fee row is priced again after each edit). One per cent more keeps the bound
// above it whatever the rounding of the rows.
double FeeGrowth(const QuoteSheet& sheet, int projectTotal)
{
    double typed = 0;
    for (int row = std::max(projectTotal - 6, 0); row < projectTotal; ++row)
        if (sheet.GetKind(row) == RowKind::Fee)
            typed += std::fabs(TextToNumber(sheet.GetCell(row, kQuantity)) * TextToNumber(sheet.GetCell(row, kUnitPrice)))
                     / 100;
    return 1.0 + std::max(MaxFeeShare(), typed) + 0.01;
}

// A quantity or unit price typed past the largest double ("1e309", ten thousand nines)
// would write "inf" or "nan" as the total, which then reads back as 0 and silently drops
// out of the sums.
std::optional<Text> NonFiniteTotal(double quantity, double unitPrice, double factor)
{
    if (!std::isfinite(quantity))
        return "数量太大，无法计算这一项的总计";
    if (!std::isfinite(unitPrice))
        return "单价太大，无法计算这一项的总计";
    if (!std::isfinite(quantity * unitPrice * factor))
        return "数量和单价太大，无法计算这一项的总计";
    return std::nullopt;
}

double AmountIn(const QuoteSheet& sheet, int row)
{
    return std::fabs(TextToNumber(sheet.GetCell(row, kTotal)));
}

// How far the sums an edit writes can reach: the grand total in the last row, plus twice
// (the fees on the change, and "工程总造价" moving "全包总价格" along) the project total,
// the fee rows above it and the change itself. Reads only the foot of the sheet: the
// project total is near the end, below it only the main materials of a full package.
std::optional<double> ReachOfEdit(const QuoteSheet& sheet, double change)
{
    int projectTotal = sheet.RowCount() - 1;
    while (projectTotal >= 0 && sheet.GetKind(projectTotal) != RowKind::ProjectTotal)
        --projectTotal;
    if (projectTotal < 0)
        return std::nullopt; // a foot the user took apart: only trying the edit tells
    double footAmounts = AmountIn(sheet, projectTotal);
    for (int row = std::max(projectTotal - 4, 0); row < projectTotal; ++row)
        footAmounts += AmountIn(sheet, row);
    return AmountIn(sheet, sheet.RowCount() - 1) + 2 * FeeGrowth(sheet, projectTotal) * (footAmounts + change)
           + sheet.RowCount();
}

bool withinReach(const QuoteSheet& sheet, double change)
{
    const std::optional<double> reach = ReachOfEdit(sheet, change);
    return reach && *reach <= kLargestYuan;
}

Text outOfRange(std::string_view name)
{
    return Text(kAmountOutOfRange) + "「" + Text(name) + "」使报价超过 " + Text(kLargestYuanText) + " 元，请检查数量和单价";
}

// What an edit is checked on: a figure that cannot be computed refuses it at once; else
// how much it can move the sums, and the name the refusal would give.
struct Trial {
    std::optional<Text> refusal;
    double change = 0;
    Text name;
};

Trial modifyTrial(const QuoteSheet& sheet, int row, const ItemFields& fields)
{
    const double quantity = TextToNumber(fields.quantity);
    const double unitPrice = TextToNumber(fields.unitPrice);
    const bool fee = row >= 0 && row < sheet.RowCount() && IsFeeName(fields.name);
    const double factor = fee ? HalfPackageSubtotal(sheet) / 100.0 : 1.0;
    if (auto problem = NonFiniteTotal(quantity, unitPrice, factor))
        return {std::move(problem), 0, {}};
    return {std::nullopt, std::fabs(quantity * unitPrice * factor) + AmountIn(sheet, row), fields.name};
}

Trial addTrial(const AddedItem& item)
{
    const double quantity = TextToNumber(item.quantity);
    const double unitPrice = TextToNumber(item.unitPrice);
    if (auto problem = NonFiniteTotal(quantity, unitPrice, 1.0))
        return {std::move(problem), 0, {}};
    return {std::nullopt, std::fabs(quantity * unitPrice), item.name};
}

Trial deleteTrial(const QuoteSheet& sheet, int row)
{
    if (row < 0 || row >= sheet.RowCount())
        return {std::nullopt, 0, {}};
    return {std::nullopt, AmountIn(sheet, row), Text(sheet.GetCell(row, kItemName))};
}

// While the reach stays inside the range nothing can wrap, and the sheet needs no second
// look. Otherwise the edit is tried on a copy, and the copy's amounts decide.
std::optional<Text> onCopy(const QuoteSheet& sheet, Trial trial, const std::function<void(QuoteSheet&)>& edit)
{
    if (trial.refusal || withinReach(sheet, trial.change))
        return std::move(trial.refusal);
    QuoteSheet tried = sheet;
    edit(tried);
    if (FirstRowOutOfRange(tried) < 0)
        return std::nullopt;
    return outOfRange(trial.name);
}

// The same check with the edit made: near the range, the edit is made on the sheet itself
// and taken back when its amounts leave the range. A copy of a sheet of a million rows for
// every figure corrected near the limit would cost more than the edit many times over.
EditOutcome inPlace(QuoteSheet& sheet, Trial trial, const std::function<SheetChange()>& edit, SheetListener* listener)
{
    if (trial.refusal)
        return {std::move(trial.refusal), {}};
    const bool sure = withinReach(sheet, trial.change);
    SheetChange change = edit();
    if (sure || FirstRowOutOfRange(sheet) < 0)
        return {std::nullopt, std::move(change)};
    UndoChange(sheet, change, listener);
    return {outOfRange(trial.name), {}};
}

} // namespace

std::optional<Text> CheckModifyRow(const QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields,
                                   const PriceBook& book)
{
    return onCopy(sheet, modifyTrial(sheet, row, fields),
                  [&](QuoteSheet& tried) { ModifyRow(tried, caption, row, fields, book); });
}

std::optional<Text> CheckAddItem(const QuoteSheet& sheet, std::string_view caption, const AddedItem& item,
                                 const PriceBook& book)
{
    return onCopy(sheet, addTrial(item), [&](QuoteSheet& tried) { AddItem(tried, caption, item, book); });
}

std::optional<Text> CheckAddItemToRoom(const QuoteSheet& sheet, std::string_view caption, int row,
                                       const AddedItem& item, const PriceBook& book)
{
    return onCopy(sheet, addTrial(item), [&](QuoteSheet& tried) { AddItemToRoom(tried, caption, row, item, book); });
}

std::optional<Text> CheckDeleteRow(const QuoteSheet& sheet, std::string_view caption, int row, const PriceBook& book)
{
    if (row < 0 || row >= sheet.RowCount())
        return std::nullopt;
    return onCopy(sheet, deleteTrial(sheet, row), [&](QuoteSheet& tried) { DeleteRow(tried, caption, row, book); });
}

EditOutcome TryModifyRow(QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields,
                         const PriceBook& book, SheetListener* listener)
{
    return inPlace(sheet, modifyTrial(sheet, row, fields),
                   [&] { return ModifyRow(sheet, caption, row, fields, book, listener); }, listener);
}

EditOutcome TryDeleteRow(QuoteSheet& sheet, std::string_view caption, int row, const PriceBook& book,
                         SheetListener* listener)
{
    return inPlace(sheet, deleteTrial(sheet, row), [&] { return DeleteRow(sheet, caption, row, book, listener); },
                   listener);
}

EditOutcome TryAddItem(QuoteSheet& sheet, std::string_view caption, const AddedItem& item, const PriceBook& book,
                       SheetListener* listener)
{
    return inPlace(sheet, addTrial(item), [&] { return AddItem(sheet, caption, item, book, listener); }, listener);
}

EditOutcome TryAddItemToRoom(QuoteSheet& sheet, std::string_view caption, int row, const AddedItem& item,
                             const PriceBook& book, SheetListener* listener)
{
    return inPlace(sheet, addTrial(item),
                   [&] { return AddItemToRoom(sheet, caption, row, item, book, listener); }, listener);
}

} // namespace rq
