#include "quote/quote_sheet.h"

#include <random>

#include <gtest/gtest.h>

#include "quote/fees.h"

namespace rq {
namespace {

TEST(QuoteSheet, FirstItemUnderAHeaderIsNumberedOne)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    sheet.AppendItemRow("地面找平", "M2", "8.96", "35", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("顶面批腻子", "M2", "8.96", "13", true, TotalForm::Single);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow("卧室");
    sheet.AppendItemRow("实木门", "扇", "1", "", true, TotalForm::WholeYuan);
    EXPECT_EQ(sheet.row(1), (QuoteRow{"1", "地面找平", "M2", "8.96", "35", "313"}));
    EXPECT_EQ(sheet.row(2), (QuoteRow{"2", "顶面批腻子", "M2", "8.96", "13", "116.48"}));
    EXPECT_EQ(sheet.row(5), (QuoteRow{"1", "实木门", "扇", "1", "", "0"}));
}

TEST(QuoteSheet, NumberedRowBelowABlankRowKeepsItsRunPosition)
{
    QuoteSheet sheet;
    sheet.AppendBlankRow();
    sheet.AppendItemRow("项", "M2", "1", "1", true, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    sheet.AppendItemRow("项", "M2", "1", "1", true, TotalForm::WholeYuan, 2);
    EXPECT_EQ(sheet.GetCell(1, kSerial), "");
    EXPECT_EQ(sheet.GetCell(3, kSerial), "2");
}

TEST(QuoteSheet, TotalIsComputedFromTheCellsAsWritten)
{
    QuoteSheet sheet;
    sheet.AppendItemRow("项", "M2", "8.96abc", "１３", false, TotalForm::Single);
    EXPECT_EQ(sheet.GetCell(0, kTotal), "116.48");
    sheet.AppendItemRow("项", "M2", "199.9", "1", false, TotalForm::WholeYuan);
    EXPECT_EQ(sheet.GetCell(1, kTotal), "199");
    sheet.AppendItemRow("项", "M2", "-199.9", "1", false, TotalForm::WholeYuan);
    EXPECT_EQ(sheet.GetCell(2, kTotal), "-199");
}

TEST(QuoteSheet, WholeYuanTotalsDoNotLoseAYuanToBinaryFractions)
{
    const struct {
        const char* quantity;
        const char* unitPrice;
        const char* total;
    } cases[] = {
        {"5.1", "170", "867"},   // 866.9999999999999 in a double
        {"4.35", "100", "435"},  // 434.99999999999994
        {"0.29", "100", "29"},   // 28.999999999999996
        {"8.96", "35", "313"},   // a real fraction is still cut
        {"3.2704", "460", "1504"},
        {"-5.1", "170", "-867"},
        {"1e300", "1e10", "0"},  // beyond 32 bits: the low bits, as every whole-yuan figure
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemTotalText(c.quantity, c.unitPrice, TotalForm::WholeYuan), c.total)
            << c.quantity << " x " << c.unitPrice;
}

TEST(QuoteSheet, CellsOutsideTheSheetReadEmptyAndIgnoreWrites)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    const int probes[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 6}, {100, 100}};
    for (const auto& p : probes) {
        sheet.SetCell(p[0], p[1], "x");
        EXPECT_EQ(sheet.GetCell(p[0], p[1]), "");
    }
    EXPECT_EQ(sheet.RowCount(), 1);
    EXPECT_EQ(sheet.GetCell(0, kSerial), "");
    sheet.RemoveRow(-1);
    sheet.RemoveRow(1);
    EXPECT_EQ(sheet.RowCount(), 1);
}

TEST(QuoteSheet, EveryKindHasOneStableName)
{
    const std::pair<RowKind, const char*> names[] = {
        {RowKind::RoomHeader, "room-header"},   {RowKind::Item, "item"},
        {RowKind::AddedItem, "added-item"},     {RowKind::Blank, "blank"},
        {RowKind::FeeHeader, "fee-header"},     {RowKind::Fee, "fee"},
        {RowKind::ProjectTotal, "project-total"}, {RowKind::FullPackageTotal, "full-package-total"},
        {RowKind::Sum, "sum"},
    };
    for (const auto& [kind, name] : names) {
        EXPECT_EQ(RowKindName(kind), name);
        EXPECT_EQ(RowKindFromName(name), kind) << name;
    }
    for (const char* unknown : {"", "Item", "item ", "header", "工程总造价"})
        EXPECT_EQ(RowKindFromName(unknown), std::nullopt) << unknown;
}

TEST(QuoteSheet, RowEditsCarryEachRowsKindAlong)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    sheet.AppendItemRow("地面找平", "M2", "1", "35", true, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow("工程总造价", RowKind::ProjectTotal);
    sheet.InsertRow(2, QuoteRow{"-", "墙体拆除", "增", "1", "150", "150"}, RowKind::AddedItem);
    sheet.AppendRow(QuoteRow{}, RowKind::Sum);
    sheet.RemoveRow(1);
    sheet.SetKind(9, RowKind::Fee);  // outside: nothing
    const RowKind expected[] = {RowKind::RoomHeader, RowKind::AddedItem, RowKind::Blank, RowKind::ProjectTotal,
                                RowKind::Sum};
    ASSERT_EQ(sheet.RowCount(), 5);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(sheet.GetKind(row), expected[row]) << row;
    EXPECT_EQ(sheet.GetKind(-1), RowKind::Blank);
    EXPECT_EQ(sheet.GetKind(5), RowKind::Blank);
    sheet.Truncate(2);
    sheet.AppendBlankRow();
    EXPECT_EQ(sheet.GetKind(1), RowKind::AddedItem);
    EXPECT_EQ(sheet.GetKind(2), RowKind::Blank);
}

// The running totals the sheet keeps against the sum taken afresh from the cells, through
// random appends, changes, inserts, deletes, cuts and moves anywhere in the sheet.
TEST(QuoteSheet, KeptRunningTotalsAgreeWithTheCellsAfterAnyEdit)
{
    const auto freshSum = [](const QuoteSheet& sheet, int end) {
        std::int32_t sum = 0;
        for (int row = 0; row < end && row < sheet.RowCount(); ++row)
            if (!sheet.GetCell(row, kTotal).empty() && CountsInTotals(sheet.GetKind(row)))
                sum = AddToRunningTotal(sum, TextToNumber(sheet.GetCell(row, kTotal)));
        return sum;
    };
    const Text totals[] = {"", "313", "116.48", "-20", "2147483647", "1e10", "８", "abc", "0.5"};
    std::mt19937 random(11);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    QuoteSheet sheet;
    for (int step = 0; step < 20'000; ++step) {
        const int row = pick(sheet.RowCount() + 2) - 1;
        const auto kind = static_cast<RowKind>(pick(9));
        switch (pick(9)) {
        case 0: sheet.AppendItemRow("项", "M2", totals[pick(9)], "35", true, TotalForm::WholeYuan); break;
        case 1: sheet.AppendRow({"", "项", "", "", "", totals[pick(9)]}, kind); break;
        case 2: sheet.SetCell(row, kTotal, totals[pick(9)]); break;
        case 3: sheet.SetKind(row, kind); break;
        case 4: sheet.InsertRow(row, {"", "", "", "", "", totals[pick(9)]}, kind); break;
        case 5: sheet.RemoveRow(row); break;
        case 6: sheet.Truncate(sheet.RowCount() - pick(3)); break;
        case 7: {
            QuoteSheet rows;
            for (int n = pick(4); n > 0; --n)
                rows.AppendRow({"", "", "", "", "", totals[pick(9)]}, static_cast<RowKind>(pick(9)));
            sheet.ReplaceRows(row, row + pick(4), std::move(rows));
            break;
        }
        default: sheet.SetCell(row, pick(kSheetColumnCount), totals[pick(9)]); break;
        }
        const int end = pick(sheet.RowCount() + 2);
        ASSERT_EQ(sheet.CountedTotalBefore(end), freshSum(sheet, end)) << "step " << step << " end " << end;
    }
}

}  // namespace
}  // namespace rq
