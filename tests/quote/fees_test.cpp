#include "quote/fees.h"

#include <gtest/gtest.h>

namespace rq {
namespace {

QuoteSheet SheetWithTotals(std::initializer_list<const char*> totals)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    for (const char* total : totals) {
        sheet.AppendBlankRow();
        sheet.SetCell(sheet.RowCount() - 1, kItemName, "项");
        sheet.SetCell(sheet.RowCount() - 1, kTotal, total);
    }
    sheet.AppendBlankRow();
    return sheet;
}

TEST(Fees, TruncateTheRunningSumAfterEveryAddition)
{
    QuoteSheet sheet = SheetWithTotals({"313", "116.48", "1480"});
    const int before = sheet.RowCount();
    AppendFeesAndProjectTotal(sheet);
    ASSERT_EQ(sheet.RowCount(), before + 6);
    const QuoteRow expected[] = {
        {"", "其它的", "", "", "", ""},
        {"", "材料搬运费", "户", "1", "2%", "38.18"},
        {"", "垃圾清理费用", "户", "1", "1%", "19.09"},
        {"", "工程管理费", "项", "1", "8%", "152.72"},
        {"", "", "", "", "", ""},
        {"", "工程总造价", "", "", "", "2118"},
    };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(sheet.row(before + i), expected[i]) << "row " << i;
}

TEST(Fees, WriteFeeAmountsUntruncated)
{
    QuoteSheet sheet = SheetWithTotals({"12345"});
    AppendFeesAndProjectTotal(sheet);
    const int fees = sheet.RowCount() - 5;
    EXPECT_EQ(sheet.GetCell(fees, kTotal), "246.9");
    EXPECT_EQ(sheet.GetCell(fees + 1, kTotal), "123.45");
    EXPECT_EQ(sheet.GetCell(fees + 2, kTotal), "987.6");
}

TEST(Fees, SheetWithoutItemsTotalsZero)
{
    QuoteSheet sheet = SheetWithTotals({});
    AppendFeesAndProjectTotal(sheet);
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 5, kTotal), "0");
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 1, kTotal), "0");
    AppendFullPackageTotal(sheet);
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 2, kItemName), "");
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 1, kItemName), "全包总价格");
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 1, kTotal), "0");
}

TEST(Fees, FullPackageTotalLeavesOutTheProjectTotal)
{
    QuoteSheet sheet = SheetWithTotals({"313", "116.48", "1480"});
    AppendFeesAndProjectTotal(sheet);
    sheet.AppendItemRow("地砖", "M2", "8.96", "100", false, TotalForm::WholeYuan);
    AppendFullPackageTotal(sheet);
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 1, kTotal), "3014");  // 2118 + 896
}

TEST(Fees, NonNumericTotalsCountAsZero)
{
    QuoteSheet sheet = SheetWithTotals({"abc", "100"});
    AppendFeesAndProjectTotal(sheet);
    EXPECT_EQ(sheet.GetCell(sheet.RowCount() - 1, kTotal), "111");
}

}  // namespace
}  // namespace rq
