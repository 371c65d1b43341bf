#include "sheet/sheet_edits.h"

#include <algorithm>
#include <vector>

#include "quote/engine.h"
#include "quote/fees.h"

namespace rq {

namespace {

// The fee rows are priced as a percentage of the items, not as quantity × unit price.
constexpr std::string_view kFeeNames[] = {"材料搬运费", "垃圾清理费用", "工程管理费"};

// An added row is marked "-" instead of a serial number and always counts as an extra ("增").
constexpr std::string_view kAddedMarker = "-";
constexpr std::string_view kAddedUnit = "增";

bool isFeeName(std::string_view name) { return std::ranges::find(kFeeNames, name) != std::ranges::end(kFeeNames); }

bool isBlankRow(const QuoteSheet& sheet, int row)
{
    if (row < 0 || row >= sheet.RowCount())
        return false;
    return std::ranges::all_of(sheet.row(row), [](const Text& cell) { return cell.empty(); });
}

int findRow(const QuoteSheet& sheet, std::string_view name, int fromRow)
{
    for (int row = std::max(fromRow, 0); row < sheet.RowCount(); ++row) {
        if (sheet.GetCell(row, kItemName) == name)
            return row;
    }
    return -1;
}

bool validRow(const QuoteSheet& sheet, int row) { return row >= 0 && row < sheet.RowCount(); }

// The fee section starts at its header "其它的", a row with nothing but the label. An item
// the user happens to call "其它的" carries a unit and a total, and stays an item: the
// rebuild after "确定添加" must not cut the sheet there and lose it.
bool isOtherSectionHeader(const QuoteSheet& sheet, int row)
{
    return sheet.GetCell(row, kItemName) == kOtherSection && sheet.GetCell(row, kUnit).empty()
        && sheet.GetCell(row, kTotal).empty();
}

int findOtherSection(const QuoteSheet& sheet)
{
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (isOtherSectionHeader(sheet, row))
            return row;
    return -1;
}

bool endsWithFullPackageTotal(const QuoteSheet& sheet)
{
    return sheet.GetCell(sheet.RowCount() - 1, kItemName) == kFullPackageTotal;
}

// Takes away the foot that AppendFullPackageTotal wrote ("全包总价格" and the blank row
// above it), but only rows that still are that foot: a row the user filled in stays.
void removeFullPackageFoot(QuoteSheet& sheet, bool totalRowIsFoot)
{
    if (!totalRowIsFoot)
        return;
    sheet.Truncate(sheet.RowCount() - 1);
    if (isBlankRow(sheet, sheet.RowCount() - 1))
        sheet.Truncate(sheet.RowCount() - 1);
}

std::int32_t addTotal(std::int32_t sum, const Text& total)
{
    return total.empty() ? sum : AddToRunningTotal(sum, TextToNumber(total));
}

struct RunningTotals {
    std::int32_t items = 0;       // item and fee rows: what a "工程总造价" row shows
    std::int32_t everything = 0;  // all but "工程总造价": what "全包总价格" shows
};

// One walk over rows [0, end). On a full-package sheet the project total must keep
// agreeing with the rows above it, or the customer sees two totals that contradict each
// other: with `writeProjectTotals` every "工程总造价" row on the way is brought up to date.
RunningTotals walkTotals(QuoteSheet& sheet, int end, bool writeProjectTotals)
{
    RunningTotals sums;
    for (int row = 0; row < end; ++row) {
        const Text& name = sheet.GetCell(row, kItemName);
        if (name == kProjectTotal) {
            if (writeProjectTotals)
                sheet.SetCell(row, kTotal, IntegerToText(sums.items));
            continue;
        }
        const Text& total = sheet.GetCell(row, kTotal);
        if (total.empty())
            continue;
        // The total is read once: on a sheet of many rooms this walk is the cost of an edit.
        const double value = TextToNumber(total);
        sums.everything = AddToRunningTotal(sums.everything, value);
        if (name != kFullPackageTotal)
            sums.items = AddToRunningTotal(sums.items, value);
    }
    return sums;
}

// The main-material rows of a full-package sheet: below the "工程总造价" that closes the
// fee section. Should that row have been deleted, they start after the fee rows and the
// blank row that follows them.
int firstMainMaterialRow(const QuoteSheet& sheet, int otherRow)
{
    const int projectTotal = findRow(sheet, kProjectTotal, otherRow + 1);
    if (projectTotal >= 0)
        return projectTotal + 1;
    int row = otherRow + 1;
    while (row < sheet.RowCount() && isFeeName(sheet.GetCell(row, kItemName)))
        ++row;
    if (isBlankRow(sheet, row))
        ++row;
    return row;
}

}  // namespace

bool IsFullPackageCaption(std::string_view caption) { return caption == kFullPackageCaption; }

ItemFields FieldsOfRow(const QuoteSheet& sheet, int row)
{
    return {sheet.GetCell(row, kItemName), sheet.GetCell(row, kUnit), sheet.GetCell(row, kQuantity),
            sheet.GetCell(row, kUnitPrice)};
}

std::int32_t HalfPackageSubtotal(const QuoteSheet& sheet)
{
    std::int32_t sum = 0;
    for (int row = 0; row < sheet.RowCount() && !isOtherSectionHeader(sheet, row); ++row)
        sum = addTotal(sum, sheet.GetCell(row, kTotal));
    return sum;
}

void RecomputeTotals(QuoteSheet& sheet, std::string_view caption)
{
    if (sheet.RowCount() == 0)
        return;
    // The row that receives the sum is not part of it: after "工程总造价" was deleted the
    // blank row above takes the sum, and a later edit must not add that sum to itself.
    const int last = sheet.RowCount() - 1;
    const RunningTotals sums = walkTotals(sheet, last, IsFullPackageCaption(caption));
    sheet.SetCell(last, kTotal, IntegerToText(sums.items));
}

void ModifyRow(QuoteSheet& sheet, std::string_view caption, int row, const ItemFields& fields)
{
    const std::int32_t subtotal = HalfPackageSubtotal(sheet);
    // Taken before the edit: changing "全包总价格" itself has no lasting effect, the foot
    // is always written afresh.
    const bool totalRowIsFoot = endsWithFullPackageTotal(sheet);
    if (validRow(sheet, row)) {
        sheet.SetCell(row, kItemName, fields.name);
        sheet.SetCell(row, kUnit, fields.unit);
        sheet.SetCell(row, kQuantity, fields.quantity);
        sheet.SetCell(row, kUnitPrice, fields.unitPrice);
        const double quantity = TextToNumber(fields.quantity);
        const double unitPrice = TextToNumber(fields.unitPrice);
        // A fee's unit price is its rate in percent ("8%" reads as 8) of the items' subtotal.
        const double total = isFeeName(sheet.GetCell(row, kItemName))
                                 ? quantity * unitPrice * static_cast<double>(subtotal) / 100
                                 : quantity * unitPrice;
        sheet.SetCell(row, kTotal, NumberToText(total));
    }
    if (!IsFullPackageCaption(caption)) {
        RecomputeTotals(sheet, caption);
        return;
    }
    removeFullPackageFoot(sheet, totalRowIsFoot);
    // The same foot AppendFullPackageTotal writes, from the walk that updates the project
    // totals anyway.
    const RunningTotals sums = walkTotals(sheet, sheet.RowCount(), true);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kFullPackageTotal), RowKind::FullPackageTotal);
    sheet.SetCell(sheet.RowCount() - 1, kTotal, IntegerToText(sums.everything));
}

void DeleteRow(QuoteSheet& sheet, std::string_view caption, int row)
{
    sheet.RemoveRow(row);
    RecomputeTotals(sheet, caption);
}

void AddItem(QuoteSheet& sheet, std::string_view caption, const AddedItem& item)
{
    const bool fullPackage = IsFullPackageCaption(caption);
    QuoteSheet mainMaterials;
    if (fullPackage)
        removeFullPackageFoot(sheet, endsWithFullPackageTotal(sheet));

    // The fee section is rebuilt from scratch below the items, so everything from "其它的"
    // on goes; on a full package the main materials are set aside to come back after it.
    const int other = findOtherSection(sheet);
    if (other >= 0) {
        if (fullPackage)
            for (int row = firstMainMaterialRow(sheet, other); row < sheet.RowCount(); ++row)
                mainMaterials.AppendRow(sheet.row(row), sheet.GetKind(row));
        sheet.Truncate(other);
    }

    // Added items stay together in one block, opened and closed by a blank row. The
    // closing blank row of an earlier block takes the new item, unless the user has
    // written into it meanwhile: then it is kept and a new block is opened.
    const int count = sheet.RowCount();
    int target = count - 1;
    if (!(sheet.GetCell(count - 2, kSerial) == kAddedMarker && isBlankRow(sheet, count - 1))) {
        sheet.AppendBlankRow();
        sheet.AppendBlankRow();
        target = count + 1;
    }
    sheet.SetKind(target, RowKind::AddedItem);
    sheet.SetCell(target, kSerial, Text(kAddedMarker));
    sheet.SetCell(target, kItemName, item.name);
    sheet.SetCell(target, kUnit, Text(kAddedUnit));
    sheet.SetCell(target, kQuantity, item.quantity);
    sheet.SetCell(target, kUnitPrice, item.unitPrice);
    sheet.SetCell(target, kTotal, NumberToText(TextToNumber(item.quantity) * TextToNumber(item.unitPrice)));
    sheet.AppendBlankRow();

    AppendFeesAndProjectTotal(sheet);
    if (!fullPackage)
        return;
    for (int row = 0; row < mainMaterials.RowCount(); ++row)
        sheet.AppendRow(mainMaterials.row(row), mainMaterials.GetKind(row));
    AppendFullPackageTotal(sheet);
}

}  // namespace rq
