// A detailed quote from arbitrary rooms, grades, floors and packages, then a run of edits.
// The computed sheet prices every item as quantity × unit price read back from its cells,
// the totals are the truncated running sums, and no edit loses or invents a row. No total
// shown is "inf", "nan" or wrapped round past 32 bits: such a quote or edit is refused.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "quote/amount_range.h"
#include "quote/engine.h"
#include "quote/fees.h"
#include "sheet/edit_checks.h"
#include "sheet/sheet_edits.h"

namespace {

constexpr const char* kRoomTypes[] = {"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台"};
constexpr const char* kDoorTypes[] = {"出租房门", "实木免漆门", "实木门", "原木门", "移门",
                                      "推拉门",   "塑钢门",     "彩铝门", "折叠门", "(无)"};
constexpr const char* kPaintingItems[] = {"顶面批腻子", "墙面批腻子", "墙顶面乳胶漆"};
constexpr const char* kEditNames[] = {"地面找平",   "实木门", "清水漆",     "工程管理费", "双包门套",
                                      "墙面批腻子", "其它的", "工程总造价", "全包总价格", ""};

// Typed texts include the names of the sheet's own rows: a room or item called "其它的" or
// "工程总造价" stays a room or an item.
std::string typed(FuzzedDataProvider& in, std::size_t maxLength) { return in.ConsumeRandomLengthString(maxLength); }

template <std::size_t N>
std::string pick(FuzzedDataProvider& in, const char* const (&names)[N])
{
    if (in.ConsumeBool())
        return typed(in, 24);
    return names[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

bool contains(const auto& names, std::string_view name)
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool isTotalRow(const rq::QuoteSheet& sheet, int row) { return !rq::CountsInTotals(sheet.GetKind(row)); }

// Rows carrying an item, from the rooms or added: "确定添加" never takes one away.
int rowCount(const rq::QuoteSheet& sheet, rq::RowKind kind)
{
    int count = 0;
    for (int row = 0; row < sheet.RowCount(); ++row)
        count += sheet.GetKind(row) == kind ? 1 : 0;
    return count;
}

void checkComputedSheet(const rq::QuoteSheet& sheet)
{
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const auto& name = sheet.GetCell(row, rq::kItemName);
        if (sheet.GetKind(row) != rq::RowKind::Item)
            continue;
        const auto form = contains(kPaintingItems, name) ? rq::TotalForm::Single : rq::TotalForm::WholeYuan;
        FUZZ_CHECK(sheet.GetCell(row, rq::kTotal)
                   == rq::ItemTotalText(sheet.GetCell(row, rq::kQuantity), sheet.GetCell(row, rq::kUnitPrice), form));
    }
}

// Each "工程总造价" is the truncated running sum of the totals above it, total rows left out.
void checkProjectTotals(const rq::QuoteSheet& sheet)
{
    std::int32_t sum = 0;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        if (sheet.GetKind(row) == rq::RowKind::ProjectTotal)
            FUZZ_CHECK(sheet.GetCell(row, rq::kTotal) == rq::IntegerToText(sum));
        else if (!isTotalRow(sheet, row) && !sheet.GetCell(row, rq::kTotal).empty())
            sum = rq::ToInteger(static_cast<double>(sum) + rq::TextToNumber(sheet.GetCell(row, rq::kTotal)));
    }
}

// No total cell is "inf" or "nan", and the sum every row holding a sum stands for, taken
// without any wrapping, fits the 32-bit whole yuan it is written in.
void checkNothingWrapped(const rq::QuoteSheet& sheet)
{
    double exact = 0;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const auto& total = sheet.GetCell(row, rq::kTotal);
        FUZZ_CHECK(total.find("inf") == std::string::npos && total.find("nan") == std::string::npos);
        if (isTotalRow(sheet, row))
            FUZZ_CHECK(rq::FitsWholeYuan(exact));
        else if (!total.empty())
            exact = std::trunc(exact + rq::TextToNumber(total));
    }
}

// FUZZ_DUMP=1 prints the sheet after every step, to read a finding.
void dump(const rq::QuoteSheet& sheet, const char* step)
{
    if (std::getenv("FUZZ_DUMP") == nullptr)
        return;
    std::fprintf(stderr, "-- %s\n", step);
    for (int row = 0; row < sheet.RowCount(); ++row) {
        for (const std::string_view cell : sheet.RowCells(row))
            std::fprintf(stderr, "%.*s\t", static_cast<int>(cell.size()), cell.data());
        std::fprintf(stderr, "\n");
    }
}

// The foot of a full-package sheet: "全包总价格" over everything but "工程总造价", below a
// blank row (which only the user's own "删除此项" may take away).
void checkFullPackageFoot(const rq::QuoteSheet& sheet, bool blankAbove)
{
    const int last = sheet.RowCount() - 1;
    FUZZ_CHECK(last >= (blankAbove ? 1 : 0));
    FUZZ_CHECK(sheet.GetKind(last) == rq::RowKind::FullPackageTotal);
    FUZZ_CHECK(sheet.GetCell(last, rq::kTotal) == rq::IntegerToText(rq::SumTotals(sheet, 0, last)));
    for (int column = 0; blankAbove && column < rq::kSheetColumnCount; ++column)
        FUZZ_CHECK(sheet.GetCell(last - 1, column).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::vector<rq::RoomRecord> rooms(in.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (auto& room : rooms) {
        room.cells[rq::kRoomType] = pick(in, kRoomTypes);
        room.cells[rq::kRoomSize] = in.ConsumeRandomLengthString(40);
        room.cells[rq::kRoomWindow] = in.ConsumeRandomLengthString(24);
        room.cells[rq::kRoomDoorType] = pick(in, kDoorTypes);
        room.cells[rq::kRoomDoorLeaves] = in.ConsumeRandomLengthString(6);
        room.cells[rq::kRoomWalls] = in.ConsumeRandomLengthString(6);
    }
    const std::string grade = in.ConsumeBool() ? in.ConsumeRandomLengthString(16)
                                               : std::string(rq::kGradeNames[in.ConsumeIntegralInRange(0, 4)]);
    const auto floor = in.ConsumeBool() ? rq::FloorChoice::Boards : rq::FloorChoice::Tiles;
    const bool full = in.ConsumeBool();
    if (in.ConsumeBool()) {  // a block of flats: the same rooms again
        const std::vector<rq::RoomRecord> flat = rooms;
        rooms.insert(rooms.end(), flat.begin(), flat.end());
    }

    std::optional<rq::Text> outOfRange;
    const std::string_view package = full ? rq::kFullPackage : rq::kHalfPackage;
    rq::DetailedQuote quote = rq::BuildDetailedQuote(rooms, grade, floor, package, outOfRange);
    rq::QuoteSheet& sheet = quote.sheet;
    // Built a part at a time and let go, the quote is the same rows, or the same refusal.
    rq::QuoteSheet part;
    rq::QuoteSheet parts;
    std::optional<rq::Text> partsOutOfRange;
    rq::BuildQuoteInParts(rq::RoomsAlike(rooms), grade, floor, package, partsOutOfRange, rq::BuiltInPriceBook(), part,
                          [&](const rq::QuoteSheet& rows, int) {
                              for (int row = 0; row < rows.RowCount(); ++row)
                                  parts.AppendRowFrom(rows, row);
                          });
    FUZZ_CHECK(partsOutOfRange == outOfRange);
    FUZZ_CHECK(outOfRange || parts == sheet);
    dump(sheet, quote.caption.c_str());
    checkComputedSheet(sheet);
    if (outOfRange) {
        // Shown nowhere: the window and the command line refuse it.
        FUZZ_CHECK(outOfRange->starts_with(rq::kAmountOutOfRange));
        return 0;
    }
    checkNothingWrapped(sheet);
    checkProjectTotals(sheet);
    if (full)
        checkFullPackageFoot(sheet, true);

    for (int edits = in.ConsumeIntegralInRange(0, 8); edits > 0 && in.remaining_bytes() > 0; --edits) {
        const int before = sheet.RowCount();
        const int itemsBefore = rowCount(sheet, rq::RowKind::Item);
        const int addedBefore = rowCount(sheet, rq::RowKind::AddedItem);
        const bool heldSum = before > 0 && sheet.GetKind(before - 1) == rq::RowKind::Sum;
        const int row = in.ConsumeIntegralInRange(-1, before);
        const bool valid = row >= 0 && row < before;
        bool footRewritten = false;
        const int operation = in.ConsumeIntegralInRange(0, 2);
        if (std::getenv("FUZZ_DUMP") != nullptr)
            std::fprintf(stderr, "operation %d on row %d\n", operation, row);
        switch (operation) {
        case 0: {
            rq::ItemFields fields{pick(in, kEditNames), in.ConsumeRandomLengthString(4),
                                  in.ConsumeRandomLengthString(12), in.ConsumeRandomLengthString(12)};
            if (std::getenv("FUZZ_DUMP") != nullptr)
                std::fprintf(stderr, "fields [%s] [%s] [%s] [%s]\n", fields.name.c_str(), fields.unit.c_str(),
                             fields.quantity.c_str(), fields.unitPrice.c_str());
            const bool hadFoot = full && before >= 2 && sheet.GetKind(before - 1) == rq::RowKind::FullPackageTotal;
            if (rq::CheckModifyRow(sheet, quote.caption, row, fields))
                break;  // refused, as the window and the command line refuse it: nothing changes
            const rq::QuoteSheet unedited = sheet;
            rq::ModifyRow(sheet, quote.caption, row, fields);
            // A 修改 that changes none of its texts changes nothing, the foot included.
            footRewritten = !(sheet == unedited);
            if (!full)
                FUZZ_CHECK(sheet.RowCount() == before);
            else
                FUZZ_CHECK(sheet.RowCount() >= before - (hadFoot ? 2 : 0) + 2 - 2 && sheet.RowCount() <= before + 2);
            break;
        }
        case 1:
            rq::DeleteRow(sheet, quote.caption, row);
            FUZZ_CHECK(sheet.RowCount() == before - (valid ? 1 : 0));
            break;
        default: {
            rq::AddedItem item{pick(in, kEditNames), in.ConsumeRandomLengthString(12), in.ConsumeRandomLengthString(12)};
            if (std::getenv("FUZZ_DUMP") != nullptr)
                std::fprintf(stderr, "item [%s] [%s] [%s]\n", item.name.c_str(), item.quantity.c_str(),
                             item.unitPrice.c_str());
            if (rq::CheckAddItem(sheet, quote.caption, item))
                break;
            rq::AddItem(sheet, quote.caption, item);
            footRewritten = true;
            // One added row; no item lost. A row of the user's that took the sum is an item
            // again once rows come below it.
            FUZZ_CHECK(rowCount(sheet, rq::RowKind::AddedItem) == addedBefore + 1);
            FUZZ_CHECK(rowCount(sheet, rq::RowKind::Item) == itemsBefore ||
                       (heldSum && rowCount(sheet, rq::RowKind::Item) == itemsBefore + 1));
            break;
        }
        }
        dump(sheet, "edit");
        checkNothingWrapped(sheet);
        if (full) {
            checkProjectTotals(sheet);
            // "修改" and "确定添加" write a fresh foot; after "删除此项" the foot is as the user
            // left it, and a deleted "全包总价格" stays deleted until the next of those.
            if (footRewritten || sheet.GetKind(sheet.RowCount() - 1) == rq::RowKind::FullPackageTotal)
                checkFullPackageFoot(sheet, footRewritten);
        }
    }
    return 0;
}
