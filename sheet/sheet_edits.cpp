#include "sheet/sheet_edits.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "quote/engine.h"
#include "quote/fees.h"
#include "sheet/sheet_change.h"

namespace rq {

namespace {

// An added row is marked "-" instead of a serial number and always counts as an extra ("增").
constexpr std::string_view kAddedMarker = "-";
constexpr std::string_view kAddedUnit = "增";

bool validRow(const QuoteSheet& sheet, int row) { return row >= 0 && row < sheet.RowCount(); }

QuoteRow addedRow(const AddedItem& item)
{
    return {Text(kAddedMarker), item.name,          Text(kAddedUnit),
            item.quantity,      item.unitPrice,     NumberToText(TextToNumber(item.quantity) * TextToNumber(item.unitPrice))};
}

// Rows of the fee section that "确定添加" writes afresh: the header, the fee rows and the
// project total. Its blank row is told by its place (see feeSection).
bool isFeeSectionKind(RowKind kind)
{
    return kind == RowKind::FeeHeader || kind == RowKind::Fee || kind == RowKind::ProjectTotal;
}

// A row that holds nothing but a sum it received: the blank row that stood above a deleted
// total. Once a new total is written it is that blank row again.
bool isBareSum(const QuoteSheet& sheet, int row)
{
    if (sheet.GetKind(row) != RowKind::Sum)
        return false;
    for (int column = 0; column < kTotal; ++column)
        if (!sheet.GetCell(row, column).empty())
            return false;
    return true;
}

// The 总计 a row of the user's own writes: quantity × unit price, and for a fee its rate in
// percent ("8%" reads as 8) of the items' subtotal.
Text ownRowTotal(const ItemFields& fields, std::int32_t subtotal)
{
    const double product = TextToNumber(fields.quantity) * TextToNumber(fields.unitPrice);
    return NumberToText(IsFeeName(fields.name) ? product * static_cast<double>(subtotal) / 100 : product);
}

// The rows [begin, end) of the fee section: from its first row ("其它的", or the first fee
// row left when the user deleted it) through "工程总造价". Should that row be gone, the
// section ends after the fee rows and the row below them when that is a blank row or one
// that took the sum in place of the deleted total. begin is -1 when the user has deleted
// every row of it.
struct Span {
    int begin = -1;
    int end = -1;
};

Span feeSection(const QuoteSheet& sheet)
{
    Span span;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const RowKind kind = sheet.GetKind(row);
        if (!isFeeSectionKind(kind))
            continue;
        if (span.begin < 0)
            span.begin = row;
        span.end = row + 1;
        if (kind == RowKind::ProjectTotal)
            return span;
    }
    if (span.begin >= 0 && (sheet.GetKind(span.end) == RowKind::Blank || sheet.GetKind(span.end) == RowKind::Sum))
        ++span.end;
    // Every other row of it deleted, the one that took the sum is all that is left of the
    // section. It lost its kind to the sum, so only its name tells: "其它的", or a fee that
    // would otherwise be charged twice once the section is written again.
    const int last = sheet.RowCount() - 1;
    if (span.begin < 0 && last >= 0 && sheet.GetKind(last) == RowKind::Sum) {
        const auto name = sheet.GetCell(last, kItemName);
        if (name == kOtherSection || IsFeeName(name))
            span = {last, last + 1};
    }
    return span;
}

// The last row took the sum when the total below it was deleted. When rows are about to come
// below it, it is a row of the user's own again, with its own 总计: an old sum left among the
// items would print a second total that no longer agrees with anything. A bare one is left
// for the callers, which drop it or make it blank.
void releaseHeldSum(SheetEditor& sheet)
{
    const int last = sheet.RowCount() - 1;
    if (last < 0 || sheet.GetKind(last) != RowKind::Sum || isBareSum(sheet.sheet(), last))
        return;
    const std::int32_t subtotal = HalfPackageSubtotal(sheet.sheet());
    sheet.SetKind(last, RowKind::Item);
    sheet.SetCell(last, kTotal, ownRowTotal(FieldsOfRow(sheet.sheet(), last), subtotal));
}

// Brings every "工程总造价" on rows [0, end) up to the running sum of the rows above it and
// returns the sum of the rows that count. On a full-package sheet the project total must
// keep agreeing with the rows above it, or the customer sees two totals that contradict
// each other.
std::int32_t walkTotals(SheetEditor& sheet, int end)
{
    // The sheet keeps its running totals down to the first row an edit changed, so on a
    // sheet of many rooms only the kinds are walked, and the sums taken from there on.
    for (int row = 0; row < end; ++row)
        if (sheet.GetKind(row) == RowKind::ProjectTotal)
            sheet.SetCell(row, kTotal, IntegerToText(sheet.sheet().CountedTotalBefore(row)));
    return sheet.sheet().CountedTotalBefore(end);
}

// Takes away the foot of a full-package sheet: "全包总价格" and the blank row above it, or
// the bare sum left when the user deleted "全包总价格". A row the user typed into stays.
void removeFullPackageFoot(SheetEditor& sheet)
{
    const int last = sheet.RowCount() - 1;
    if (isBareSum(sheet.sheet(), last)) {
        sheet.Truncate(last);
        return;
    }
    if (sheet.GetKind(last) != RowKind::FullPackageTotal)
        return;
    sheet.Truncate(last);
    if (sheet.GetKind(last - 1) == RowKind::Blank)
        sheet.Truncate(last - 1);
}

// Every fee row priced again on the items above the fee section: a fee that contradicted
// its own rate after an item changed would be a wrong figure on the quote.
void repriceFees(SheetEditor& sheet, const PriceBook& book)
{
    const Span fees = feeSection(sheet.sheet());
    if (fees.begin < 0)
        return;
    const std::int32_t items = sheet.sheet().CountedTotalBefore(fees.begin);
    for (int row = fees.begin; row < std::min(fees.end, sheet.RowCount()); ++row) {
        if (sheet.GetKind(row) != RowKind::Fee)
            continue;
        if (const std::optional<Text> total = FeeTotal(sheet.sheet().RowCells(row), items, book))
            sheet.SetCell(row, kTotal, *total);
    }
}

void appendFullPackageFoot(SheetEditor& sheet)
{
    const std::int32_t everything = walkTotals(sheet, sheet.RowCount());
    QuoteSheet foot;
    foot.AppendBlankRow();
    foot.AppendHeaderRow(Text(kFullPackageTotal), RowKind::FullPackageTotal);
    foot.SetCell(1, kTotal, IntegerToText(everything));
    sheet.Append(std::move(foot));
}

void recomputeTotals(SheetEditor& sheet)
{
    if (sheet.RowCount() == 0)
        return;
    // The row that receives the sum is not part of it: after "工程总造价" was deleted the
    // blank row above takes the sum and holds it from then on, never counted again.
    const int last = sheet.RowCount() - 1;
    const std::int32_t sum = walkTotals(sheet, last);
    if (CountsInTotals(sheet.GetKind(last)))
        sheet.SetKind(last, RowKind::Sum);
    sheet.SetCell(last, kTotal, IntegerToText(sum));
}

// After a row changed or came: the fees on the new items, then the totals. On a full
// package the foot is always written afresh: changing "全包总价格" itself has no lasting
// effect.
void settleFeesAndTotals(SheetEditor& sheet, std::string_view caption, const PriceBook& book)
{
    repriceFees(sheet, book);
    if (!IsFullPackageCaption(caption)) {
        recomputeTotals(sheet);
        return;
    }
    removeFullPackageFoot(sheet);
    releaseHeldSum(sheet);
    appendFullPackageFoot(sheet);
}

}  // namespace

bool IsFullPackageCaption(std::string_view caption) { return caption == kFullPackageCaption; }

ItemFields FieldsOfRow(const QuoteSheet& sheet, int row)
{
    return {Text(sheet.GetCell(row, kItemName)), Text(sheet.GetCell(row, kUnit)), Text(sheet.GetCell(row, kQuantity)),
            Text(sheet.GetCell(row, kUnitPrice))};
}

std::int32_t HalfPackageSubtotal(const QuoteSheet& sheet)
{
    const int fees = feeSection(sheet).begin;
    return SumTotals(sheet, 0, fees >= 0 ? fees : sheet.RowCount());
}

void RecomputeTotals(QuoteSheet& sheet, std::string_view /*caption*/)
{
    SheetEditor editor(sheet);
    recomputeTotals(editor);
}

SheetChange ModifyRow(QuoteSheet& target, std::string_view caption, int row, const ItemFields& fields,
                      const PriceBook& book, SheetListener* listener)
{
    if (validRow(target, row) && FieldsOfRow(target, row) == fields)
        return {};
    SheetEditor sheet(target, listener);
    const std::int32_t subtotal = HalfPackageSubtotal(target);
    if (validRow(target, row)) {
        sheet.SetCell(row, kItemName, fields.name);
        sheet.SetCell(row, kUnit, fields.unit);
        sheet.SetCell(row, kQuantity, fields.quantity);
        sheet.SetCell(row, kUnitPrice, fields.unitPrice);
        // A blank row the user writes into is an item of their own from then on; every other
        // row stays what it is, whatever it is called now.
        const RowKind kind = sheet.GetKind(row);
        const bool typed = !(fields.name.empty() && fields.unit.empty() && fields.quantity.empty()
                             && fields.unitPrice.empty());
        if (typed && (kind == RowKind::Blank || kind == RowKind::Sum))
            sheet.SetKind(row, RowKind::Item);
        sheet.SetCell(row, kTotal, ownRowTotal(fields, subtotal));
    }
    settleFeesAndTotals(sheet, caption, book);
    return sheet.take();
}

SheetChange DeleteRow(QuoteSheet& target, std::string_view /*caption*/, int row, const PriceBook& book,
                      SheetListener* listener)
{
    SheetEditor sheet(target, listener);
    sheet.RemoveRow(row);
    repriceFees(sheet, book);
    recomputeTotals(sheet);
    return sheet.take();
}

SheetChange AddItem(QuoteSheet& target, std::string_view caption, const AddedItem& item, const PriceBook& book,
                    SheetListener* listener)
{
    SheetEditor sheet(target, listener);
    const bool fullPackage = IsFullPackageCaption(caption);
    if (fullPackage)
        removeFullPackageFoot(sheet);

    // A blank row that only held an old sum is a blank row again: the new totals carry it.
    for (int row = 0; row < sheet.RowCount(); ++row) {
        if (isBareSum(target, row)) {
            sheet.SetKind(row, RowKind::Blank);
            sheet.SetCell(row, kTotal, {});
        }
    }
    // The fee section is rebuilt from scratch below the items. Of its rows only those the
    // user wrote into stay, above the added items. The new rows are built apart and take
    // the old section's place in one step: on a full package the main materials below it
    // stay where they are, and on a sheet of many rooms they are most of it.
    const Span fees = feeSection(target);
    // A sum the fee section took goes with the section, which is written afresh; one above
    // it is the user's row and stays.
    if (fees.begin < 0 || fees.end < sheet.RowCount())
        releaseHeldSum(sheet);
    const int at = fees.begin >= 0 ? fees.begin : sheet.RowCount();
    int end = fees.begin >= 0 ? std::min(fees.end, sheet.RowCount()) : sheet.RowCount();
    QuoteSheet rows;
    std::vector<QuoteRow> ownFees;  // fee rows whose unit, quantity or rate the user set
    for (int row = at; row < end; ++row) {
        const RowKind kind = sheet.GetKind(row);
        if ((kind == RowKind::Fee || kind == RowKind::Sum) && FeeTotal(target.RowCells(row), 0, book))
            ownFees.push_back(target.row(row));
        if (!isFeeSectionKind(kind) && kind != RowKind::Blank && kind != RowKind::Sum)
            rows.AppendRowFrom(target, row);
    }
    // Nothing of a half package lies below its project total; should a row be there all the
    // same, it stays with the items rather than be lost.
    if (!fullPackage) {
        for (int row = end; row < sheet.RowCount(); ++row)
            rows.AppendRowFrom(target, row);
        end = sheet.RowCount();
    }

    // Added items stay together in one block, opened and closed by a blank row. The
    // closing blank row of an earlier block takes the new item, unless the user has
    // written into it meanwhile: then it is kept and a new block is opened. The rows
    // above the new item are the sheet's down to the fee section, then those built here.
    const auto kindFromEnd = [&](int back) {
        const int built = rows.RowCount() - back;
        return built >= 0 ? rows.GetKind(built) : sheet.GetKind(at + built);
    };
    const QuoteRow added = addedRow(item);
    if (kindFromEnd(2) == RowKind::AddedItem && kindFromEnd(1) == RowKind::Blank) {
        if (rows.RowCount() == 0) {
            // The closing blank row stands in the sheet, just above the fee section.
            sheet.SetKind(at - 1, RowKind::AddedItem);
            for (int column = 0; column < kSheetColumnCount; ++column)
                sheet.SetCell(at - 1, column, added[static_cast<std::size_t>(column)]);
        } else {
            rows.RemoveRow(rows.RowCount() - 1);
            rows.AppendRow(added, RowKind::AddedItem);
        }
    } else {
        rows.AppendBlankRow();
        rows.AppendRow(added, RowKind::AddedItem);
    }
    rows.AppendBlankRow();

    AppendFeesAndProjectTotal(rows, target.CountedTotalBefore(at), book, ownFees);
    sheet.ReplaceRows(at, end, std::move(rows));
    if (fullPackage)
        appendFullPackageFoot(sheet);
    return sheet.take();
}

int RoomBlockEnd(const QuoteSheet& sheet, int row)
{
    const int fees = feeSection(sheet).begin;
    const int limit = fees >= 0 ? fees : sheet.RowCount();
    if (row < 0 || row >= limit)
        return -1;
    const auto ofRoom = [&](int at) {
        const RowKind kind = sheet.GetKind(at);
        return kind == RowKind::Item || kind == RowKind::AddedItem;
    };
    int header = row;
    while (header >= 0 && ofRoom(header))
        --header;
    if (header < 0 || sheet.GetKind(header) != RowKind::RoomHeader)
        return -1;
    int end = header + 1;
    while (end < limit && ofRoom(end))
        ++end;
    return end;
}

SheetChange AddItemToRoom(QuoteSheet& target, std::string_view caption, int row, const AddedItem& item,
                          const PriceBook& book, SheetListener* listener)
{
    const int at = RoomBlockEnd(target, row);
    if (at < 0)
        return {};
    SheetEditor sheet(target, listener);
    QuoteSheet added;
    added.AppendRow(addedRow(item), RowKind::AddedItem);
    sheet.ReplaceRows(at, at, std::move(added));
    settleFeesAndTotals(sheet, caption, book);
    return sheet.take();
}

std::optional<Text> CheckSheetStructure(const QuoteSheet& sheet, std::string_view caption)
{
    const bool fullPackage = IsFullPackageCaption(caption);
    const int last = sheet.RowCount() - 1;
    bool feeHeaderSeen = false;
    bool feeRowSeen = false;
    bool feeRunEnded = false;
    bool projectTotalSeen = false;
    for (int row = 0; row <= last; ++row) {
        const auto problem = [row](std::string_view what) {
            return std::optional<Text>("第" + IntegerToText(row + 1) + "行：" + Text(what));
        };
        const RowKind kind = sheet.GetKind(row);
        const bool feeKind = kind == RowKind::FeeHeader || kind == RowKind::Fee;
        if (RowKindName(kind).empty())
            return problem("不知道这一行是什么");
        if (kind == RowKind::Blank) {
            for (int column = 0; column < kTotal; ++column)
                if (!sheet.GetCell(row, column).empty())
                    return problem("空行里有文字");
        }
        if (feeKind && projectTotalSeen)
            return problem("费用行在工程总造价下面");
        if (feeKind && feeRunEnded)
            return problem("费用行没有连在一起");
        if (kind == RowKind::FeeHeader && (feeHeaderSeen || feeRowSeen))
            return problem("“其它的”只能有一行，而且在费用行上面");
        if (kind == RowKind::AddedItem && (feeHeaderSeen || feeRowSeen || projectTotalSeen))
            return problem("增加的项目在费用下面");
        if (kind == RowKind::ProjectTotal && projectTotalSeen)
            return problem("工程总造价不止一行");
        if (kind == RowKind::ProjectTotal && !fullPackage && row != last)
            return problem("半包报价的工程总造价不是最后一行");
        if (kind == RowKind::FullPackageTotal && !fullPackage)
            return problem("半包报价里有全包总价格");
        if (kind == RowKind::FullPackageTotal && row != last)
            return problem("全包总价格不是最后一行");
        if (row == last && CountsInTotals(kind))
            return problem("报价单的最后一行不是总价");
        // A row holding a sum it took when the total below it was deleted stands at the foot;
        // anywhere above, its figure would be an old total printed among the items.
        if (kind == RowKind::Sum && row != last)
            return problem("合计不在报价单的最后一行");
        feeRunEnded = feeRunEnded || ((feeHeaderSeen || feeRowSeen) && !feeKind);
        feeHeaderSeen = feeHeaderSeen || kind == RowKind::FeeHeader;
        feeRowSeen = feeRowSeen || kind == RowKind::Fee;
        projectTotalSeen = projectTotalSeen || kind == RowKind::ProjectTotal;
    }
    return std::nullopt;
}

}  // namespace rq
