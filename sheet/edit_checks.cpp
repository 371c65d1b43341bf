#include "sheet/edit_checks.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "quote/amount_range.h"
#include "quote/fees.h"

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

// While that reach stays inside the range nothing can wrap, and the sheet needs no second
// look. Otherwise the edit is tried on a copy, and the copy's amounts decide.
std::optional<Text> RangeProblem(
    const QuoteSheet& sheet, double change, std::string_view name, const std::function<void(QuoteSheet&)>& edit)
{
    if (const std::optional<double> reach = ReachOfEdit(sheet, change); reach && *reach <= kLargestYuan)
        return std::nullopt;
    QuoteSheet tried = sheet;
    edit(tried);
    if (FirstRowOutOfRange(tried) < 0)
        return std::nullopt;
    return Text(kAmountOutOfRange) + "「" + Text(name) + "」使报价超过 " + Text(kLargestYuanText) + " 元，请检查数量和单价";
}

} // namespace

std::optional<Text> CheckModifyRow(const QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields,
                                   const PriceBook& book)
{
    const double quantity = TextToNumber(fields.quantity);
    const double unitPrice = TextToNumber(fields.unitPrice);
    const bool fee = row >= 0 && row < sheet.RowCount() && IsFeeName(fields.name);
    const double factor = fee ? HalfPackageSubtotal(sheet) / 100.0 : 1.0;
    if (auto problem = NonFiniteTotal(quantity, unitPrice, factor))
        return problem;
    const double change = std::fabs(quantity * unitPrice * factor) + AmountIn(sheet, row);
    return RangeProblem(sheet, change, fields.name, [&](QuoteSheet& tried) { ModifyRow(tried, caption, row, fields, book); });
}

std::optional<Text> CheckAddItem(const QuoteSheet& sheet, std::string_view caption, const AddedItem& item,
                                 const PriceBook& book)
{
    const double quantity = TextToNumber(item.quantity);
    const double unitPrice = TextToNumber(item.unitPrice);
    if (auto problem = NonFiniteTotal(quantity, unitPrice, 1.0))
        return problem;
    return RangeProblem(
        sheet, std::fabs(quantity * unitPrice), item.name, [&](QuoteSheet& tried) { AddItem(tried, caption, item, book); });
}

std::optional<Text> CheckAddItemToRoom(const QuoteSheet& sheet, std::string_view caption, int row,
                                       const AddedItem& item, const PriceBook& book)
{
    const double quantity = TextToNumber(item.quantity);
    const double unitPrice = TextToNumber(item.unitPrice);
    if (auto problem = NonFiniteTotal(quantity, unitPrice, 1.0))
        return problem;
    return RangeProblem(sheet, std::fabs(quantity * unitPrice), item.name,
                        [&](QuoteSheet& tried) { AddItemToRoom(tried, caption, row, item, book); });
}

std::optional<Text> CheckDeleteRow(const QuoteSheet& sheet, std::string_view caption, int row, const PriceBook& book)
{
    if (row < 0 || row >= sheet.RowCount())
        return std::nullopt;
    return RangeProblem(sheet, AmountIn(sheet, row), sheet.GetCell(row, kItemName),
                        [&](QuoteSheet& tried) { DeleteRow(tried, caption, row, book); });
}

namespace {

template <class Edit>
EditOutcome checked(std::optional<Text> refusal, Edit&& edit)
{
    if (refusal)
        return {std::move(refusal), {}};
    return {std::nullopt, edit()};
}

} // namespace

EditOutcome TryModifyRow(QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields,
                         const PriceBook& book, SheetListener* listener)
{
    return checked(CheckModifyRow(sheet, caption, row, fields, book),
                   [&] { return ModifyRow(sheet, caption, row, fields, book, listener); });
}

EditOutcome TryDeleteRow(QuoteSheet& sheet, std::string_view caption, int row, const PriceBook& book,
                         SheetListener* listener)
{
    return checked(CheckDeleteRow(sheet, caption, row, book),
                   [&] { return DeleteRow(sheet, caption, row, book, listener); });
}

EditOutcome TryAddItem(QuoteSheet& sheet, std::string_view caption, const AddedItem& item, const PriceBook& book,
                       SheetListener* listener)
{
    return checked(CheckAddItem(sheet, caption, item, book),
                   [&] { return AddItem(sheet, caption, item, book, listener); });
}

EditOutcome TryAddItemToRoom(QuoteSheet& sheet, std::string_view caption, int row, const AddedItem& item,
                             const PriceBook& book, SheetListener* listener)
{
    return checked(CheckAddItemToRoom(sheet, caption, row, item, book),
                   [&] { return AddItemToRoom(sheet, caption, row, item, book, listener); });
}

} // namespace rq
