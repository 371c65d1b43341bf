#include "sheet/sheet_edits.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "quote/fees.h"
#include "sheet/edit_checks.h"

namespace rq {
namespace {

constexpr std::string_view kHalf = "半包装修详细报价";
constexpr std::string_view kFull = "全包装修详细报价";

// Row indices of the two-room sheet below.
constexpr int kFloorTilesRow = 4;       // 地砖铺贴 16.2 × 35 = 567
constexpr int kShoeCabinetRow = 6;      // 鞋柜制作 580
constexpr int kOtherRow = 15;           // 其它的
constexpr int kManagementFeeRow = 18;   // 工程管理费 369.44
constexpr int kProjectTotalRow = 20;    // 工程总造价 5125
constexpr int kCabinetRow = 22;         // full package: 橱柜 5400

// Living room and kitchen at the economy grade, tiled: items 4618, project total 5125.
QuoteSheet TwoRoomHalfSheet()
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    sheet.AppendItemRow("顶面批腻子", "M2", "16.2", "13", true, TotalForm::Single, 1);
    sheet.AppendItemRow("墙面批腻子", "M2", "44.235", "12", true, TotalForm::Single, 2);
    sheet.AppendItemRow("墙顶面乳胶漆", "M2", "60.435", "10", true, TotalForm::Single, 3);
    sheet.AppendItemRow("地砖铺贴", "M2", "16.2", "35", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("电视背景墙", "项", "1", "600", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("鞋柜制作", "M", "1", "580", true, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow("厨房");
    sheet.AppendItemRow("推拉门", "扇", "1", "480", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("双包门套", "项", "5", "115", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("地砖铺贴", "M2", "4.32", "35", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("墙砖铺贴", "M2", "4.32", "35", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("包水管", "根", "1", "170", true, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    AppendFeesAndProjectTotal(sheet);
    return sheet;
}

// The same rooms as a full package: main materials 5400 + 519 + 2430, grand total 13474.
QuoteSheet TwoRoomFullSheet()
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    sheet.AppendHeaderRow("厨房");
    sheet.AppendItemRow("橱柜", "M", "3", "1800", false, TotalForm::WholeYuan);
    sheet.AppendItemRow("墙面砖", "M2", "8.96", "58", false, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    sheet.AppendItemRow("地板", "M2", "16.2", "150", false, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    AppendFullPackageTotal(sheet);
    return sheet;
}

Text LastTotal(const QuoteSheet& sheet) { return Text(sheet.GetCell(sheet.RowCount() - 1, kTotal)); }

TEST(SheetEdits, FixturesMatchTheWorkedFigures)
{
    const QuoteSheet half = TwoRoomHalfSheet();
    ASSERT_EQ(half.RowCount(), 21);
    EXPECT_EQ(half.GetCell(kProjectTotalRow, kTotal), "5125");
    EXPECT_EQ(HalfPackageSubtotal(half), 4618);
    const QuoteSheet full = TwoRoomFullSheet();
    ASSERT_EQ(full.RowCount(), 29);
    EXPECT_EQ(LastTotal(full), "13474");
    EXPECT_EQ(HalfPackageSubtotal(full), 4618);
}

TEST(SheetEdits, SubtotalStopsAtTheFeeSection)
{
    QuoteSheet noFees = TwoRoomHalfSheet();
    noFees.Truncate(kOtherRow);
    EXPECT_EQ(HalfPackageSubtotal(noFees), 4618);
    EXPECT_EQ(HalfPackageSubtotal(QuoteSheet{}), 0);
}

TEST(SheetEdits, CaptionTellsTheMode)
{
    EXPECT_TRUE(IsFullPackageCaption(kFull));
    EXPECT_FALSE(IsFullPackageCaption(kHalf));
    EXPECT_FALSE(IsFullPackageCaption(""));
}

TEST(SheetEdits, ClickedRowFillsTheFourFields)
{
    const QuoteSheet sheet = TwoRoomHalfSheet();
    EXPECT_EQ(FieldsOfRow(sheet, kFloorTilesRow), (ItemFields{"地砖铺贴", "M2", "16.2", "35"}));
    EXPECT_EQ(FieldsOfRow(sheet, kManagementFeeRow), (ItemFields{"工程管理费", "项", "1", "8%"}));
    EXPECT_EQ(FieldsOfRow(sheet, -1), ItemFields{});
    EXPECT_EQ(FieldsOfRow(sheet, sheet.RowCount()), ItemFields{});
}

struct ModifyCase {
    const char* what;
    int row;
    ItemFields fields;
    const char* rowTotal;
    const char* projectTotal;
};

TEST(SheetEdits, ModifyPricesTheRowAndRecomputesTheHalfPackageTotal)
{
    const ModifyCase cases[] = {
        // 8.96 × 58 keeps its fraction; the total drops fractions row by row, and the fees
        // follow the items (4570: 91.4, 45.7, 365.6).
        {"item untruncated", kFloorTilesRow, {"地砖铺贴", "M2", "8.96", "58"}, "519.68", "5071"},
        // 1 × 4 × 4618 / 100.
        {"fee row at another rate", kManagementFeeRow, {"工程管理费", "项", "1", "4%"}, "184.72", "4940"},
        // A row renamed to a fee is priced as a fee on the subtotal taken before the edit.
        {"item renamed to a fee", kShoeCabinetRow, {"材料搬运费", "户", "1", "2%"}, "92.36", "4583"},
        {"text that is no number", kFloorTilesRow, {"地砖铺贴", "M2", "abc", "35"}, "0", "4496"},
    };
    for (const ModifyCase& c : cases) {
        QuoteSheet sheet = TwoRoomHalfSheet();
        ModifyRow(sheet, kHalf, c.row, c.fields);
        EXPECT_EQ(FieldsOfRow(sheet, c.row), c.fields) << c.what;
        EXPECT_EQ(sheet.GetCell(c.row, kTotal), c.rowTotal) << c.what;
        EXPECT_EQ(sheet.RowCount(), 21) << c.what;
        EXPECT_EQ(LastTotal(sheet), c.projectTotal) << c.what;
    }
}

// The three fee totals of a sheet, in sheet order.
std::vector<Text> FeeTotals(const QuoteSheet& sheet)
{
    std::vector<Text> totals;
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (sheet.GetKind(row) == RowKind::Fee)
            totals.emplace_back(sheet.GetCell(row, kTotal));
    return totals;
}

// A fee that contradicts its rate after an item changed is a wrong figure on the quote:
// after every edit each fee is 2 %, 1 % and 8 % of the items again (or the rate the user
// set, which 确定添加 keeps), and the project total follows.
TEST(SheetEdits, FeesFollowEveryEdit)
{
    const ItemFields twoShoeCabinets{"鞋柜制作", "M", "2", "580"};
    const ItemFields managementAtSix{"工程管理费", "项", "1", "6%"};
    struct Case {
        const char* what;
        std::function<void(QuoteSheet&)> edits;
        std::vector<Text> fees;
        const char* projectTotal;
    };
    const Case cases[] = {
        // Items 4618 + 580 - 567 = 4631.
        {"modify then delete",
         [&](QuoteSheet& s) {
             ModifyRow(s, kHalf, kShoeCabinetRow, twoShoeCabinets);
             DeleteRow(s, kHalf, kFloorTilesRow);
         },
         {"92.62", "46.31", "370.48"}, "5139"},
        // Items 5198; the user's 6 % stays 6 % of them.
        {"rate set by the user",
         [&](QuoteSheet& s) {
             ModifyRow(s, kHalf, kManagementFeeRow, managementAtSix);
             ModifyRow(s, kHalf, kShoeCabinetRow, twoShoeCabinets);
         },
         {"103.96", "51.98", "311.88"}, "5663"},
        // Items 5643 after 清水漆 10 × 44.5: the add rebuilds the fees at the user's rate.
        {"add keeps the user's rate",
         [&](QuoteSheet& s) {
             ModifyRow(s, kHalf, kManagementFeeRow, managementAtSix);
             ModifyRow(s, kHalf, kShoeCabinetRow, twoShoeCabinets);
             AddItem(s, kHalf, {"清水漆", "10", "44.5"});
         },
         {"112.86", "56.43", "338.58"}, "6149"},
    };
    for (const Case& c : cases) {
        QuoteSheet sheet = TwoRoomHalfSheet();
        c.edits(sheet);
        EXPECT_EQ(FeeTotals(sheet), c.fees) << c.what;
        EXPECT_EQ(LastTotal(sheet), c.projectTotal) << c.what;
        EXPECT_FALSE(CheckSheetStructure(sheet, kHalf)) << c.what;
    }
}

// The company's figures are rounded (防水工程 194 for 1.94 × 100.2): a 修改 that changes no
// text must leave every row, fee and total as it was, on either kind of sheet.
TEST(SheetEdits, ModifyWithTheRowsOwnTextsChangesNothing)
{
    for (const std::string_view caption : {kHalf, kFull}) {
        const QuoteSheet original = caption == kFull ? TwoRoomFullSheet() : TwoRoomHalfSheet();
        for (int row = 0; row < original.RowCount(); ++row) {
            QuoteSheet sheet = original;
            EXPECT_TRUE(ModifyRow(sheet, caption, row, FieldsOfRow(sheet, row)).empty()) << caption << " row " << row;
            EXPECT_EQ(sheet, original) << caption << " row " << row;
        }
    }
}

TEST(SheetEdits, ManagementFeeOnTwentyThousandIsSixteenHundred)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    sheet.AppendItemRow("电视背景墙", "项", "1", "20000", true, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    AppendFeesAndProjectTotal(sheet);
    const int fee = sheet.RowCount() - 3;
    for (const char* quantity : {"1", "2"}) {
        ModifyRow(sheet, kHalf, fee, {"工程管理费", "项", quantity, "8%"});
        const bool doubled = Text(quantity) == "2";
        EXPECT_EQ(sheet.GetCell(fee, kTotal), doubled ? "3200" : "1600");
        EXPECT_EQ(LastTotal(sheet), doubled ? "23800" : "22200");
    }
}

TEST(SheetEdits, NoSelectionChangesNoRow)
{
    for (const std::string_view caption : {kHalf, kFull}) {
        const QuoteSheet original = caption == kHalf ? TwoRoomHalfSheet() : TwoRoomFullSheet();
        for (const int row : {-1, original.RowCount(), original.RowCount() + 5}) {
            QuoteSheet sheet = original;
            ModifyRow(sheet, caption, row, {"x", "y", "1", "1000"});
            EXPECT_EQ(sheet, original) << caption << " modify " << row;
            DeleteRow(sheet, caption, row);
            EXPECT_EQ(sheet, original) << caption << " delete " << row;
        }
    }
}

struct FullModifyCase {
    const char* what;
    int row;
    ItemFields fields;
    int rowCount;
    const char* projectTotal;
    const char* grandTotal;
};

TEST(SheetEdits, FullPackageModifyEndsWithOneBlankRowAndTheGrandTotal)
{
    const FullModifyCase cases[] = {
        // 工程总造价 follows the item and its fees (5071); the grand total adds 5400 + 519 + 2430.
        {"item row", kFloorTilesRow, {"地砖铺贴", "M2", "8.96", "58"}, 29, "5071", "13420"},
        {"main-material row", kCabinetRow, {"橱柜", "M", "2", "1800"}, 29, "5125", "11674"},
        // The grand total row is written afresh: editing it leaves no trace.
        {"grand total row", 28, {"abc", "M", "1", "100"}, 29, "5125", "13474"},
        // The blank row above the foot, once filled in, is a row of its own and stays.
        {"blank row above the foot", 27, {"额外", "项", "1", "100"}, 30, "5125", "13574"},
    };
    for (const FullModifyCase& c : cases) {
        QuoteSheet sheet = TwoRoomFullSheet();
        ModifyRow(sheet, kFull, c.row, c.fields);
        ASSERT_EQ(sheet.RowCount(), c.rowCount) << c.what;
        const int last = sheet.RowCount() - 1;
        EXPECT_EQ(sheet.row(last - 1), QuoteRow{}) << c.what;
        EXPECT_EQ(sheet.GetCell(last, kItemName), "全包总价格") << c.what;
        EXPECT_EQ(sheet.GetCell(last, kTotal), c.grandTotal) << c.what;
        EXPECT_EQ(sheet.GetCell(kProjectTotalRow, kTotal), c.projectTotal) << c.what;
        EXPECT_EQ(sheet.GetCell(26, kItemName), "") << c.what;  // closing blank row of the materials
    }
}

TEST(SheetEdits, FullPackageModifyKeepsRowsWhenTheFootIsMissing)
{
    QuoteSheet sheet = TwoRoomFullSheet();
    sheet.Truncate(27);  // blank row and 全包总价格 gone
    const QuoteSheet before = sheet;
    ModifyRow(sheet, kFull, -1, {});
    ASSERT_EQ(sheet.RowCount(), 29);
    for (int row = 0; row < before.RowCount(); ++row)
        EXPECT_EQ(sheet.row(row), before.row(row)) << "row " << row;
    EXPECT_EQ(LastTotal(sheet), "13474");
}

struct DeleteCase {
    const char* what;
    std::string_view caption;
    int row;
    int projectTotalRow;  // where 工程总造价 stands after the deletion
    const char* projectTotal;
    const char* lastTotal;
};

TEST(SheetEdits, DeleteRecomputesTheTotals)
{
    const DeleteCase cases[] = {
        // Items 4051, fees 81.02, 40.51 and 324.08.
        {"half item", kHalf, kFloorTilesRow, kProjectTotalRow - 1, "4496", "4496"},
        {"half fee", kHalf, kManagementFeeRow, kProjectTotalRow - 1, "4756", "4756"},
        {"full item", kFull, kFloorTilesRow, kProjectTotalRow - 1, "4496", "12845"},
        {"full main material", kFull, kCabinetRow, kProjectTotalRow, "5125", "8074"},
    };
    for (const DeleteCase& c : cases) {
        QuoteSheet sheet = c.caption == kHalf ? TwoRoomHalfSheet() : TwoRoomFullSheet();
        const int before = sheet.RowCount();
        DeleteRow(sheet, c.caption, c.row);
        ASSERT_EQ(sheet.RowCount(), before - 1) << c.what;
        EXPECT_EQ(sheet.GetCell(c.projectTotalRow, kItemName), "工程总造价") << c.what;
        EXPECT_EQ(sheet.GetCell(c.projectTotalRow, kTotal), c.projectTotal) << c.what;
        EXPECT_EQ(LastTotal(sheet), c.lastTotal) << c.what;
    }
}

TEST(SheetEdits, DeletingTheProjectTotalPutsTheSumIntoTheBlankRowAbove)
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    DeleteRow(sheet, kHalf, kProjectTotalRow);
    ASSERT_EQ(sheet.RowCount(), 20);
    EXPECT_EQ(sheet.GetCell(19, kItemName), "");
    EXPECT_EQ(LastTotal(sheet), "5125");
    // A later edit must not count that sum into itself.
    DeleteRow(sheet, kHalf, kFloorTilesRow);
    EXPECT_EQ(LastTotal(sheet), "4496");
}

TEST(SheetEdits, DeletingEveryRowFromTheTopEndsEmpty)
{
    // What the last row holds as the rows above it go: once the items are gone the fees on
    // them are nothing, and so is the sum.
    struct Remaining {
        int rows;
        const char* lastTotal;
    };
    const Remaining checks[] = {{5, "0"}, {3, "0"}, {2, "0"}, {1, "0"}};
    for (const std::string_view caption : {kHalf, kFull}) {
        QuoteSheet sheet = TwoRoomHalfSheet();
        while (sheet.RowCount() > 0) {
            DeleteRow(sheet, caption, 0);
            for (const Remaining& check : checks) {
                if (sheet.RowCount() == check.rows) {
                    EXPECT_EQ(LastTotal(sheet), check.lastTotal) << caption << " rows " << check.rows;
                }
            }
        }
        DeleteRow(sheet, caption, 0);
        EXPECT_EQ(sheet.RowCount(), 0);
    }
}

TEST(SheetEdits, DeletingEveryRowFromTheBottomEndsEmpty)
{
    QuoteSheet sheet = TwoRoomFullSheet();
    while (sheet.RowCount() > 0)
        DeleteRow(sheet, kFull, sheet.RowCount() - 1);
    ModifyRow(sheet, kHalf, 0, {"x", "", "1", "1"});
    EXPECT_EQ(sheet.RowCount(), 0);
}

// Each edit says what it changed: taken back it leaves the sheet it started from, byte for
// byte and kinds included, and made again the sheet it made, on either kind of sheet.
TEST(SheetEdits, EveryEditUndoesToTheSheetItStartedFrom)
{
    using Edit = std::function<SheetChange(QuoteSheet&, std::string_view)>;
    const struct {
        const char* what;
        Edit edit;
    } cases[] = {
        {"modify an item", [](QuoteSheet& s, std::string_view c) { return ModifyRow(s, c, kFloorTilesRow, {"地砖", "M2", "9", "58"}); }},
        {"modify a fee", [](QuoteSheet& s, std::string_view c) { return ModifyRow(s, c, kManagementFeeRow, {"工程管理费", "项", "1", "6%"}); }},
        {"fill a blank row", [](QuoteSheet& s, std::string_view c) { return ModifyRow(s, c, 7, {"自定", "项", "1", "100"}); }},
        {"delete an item", [](QuoteSheet& s, std::string_view c) { return DeleteRow(s, c, kShoeCabinetRow); }},
        {"delete the project total", [](QuoteSheet& s, std::string_view c) { return DeleteRow(s, c, kProjectTotalRow); }},
        {"delete the last row", [](QuoteSheet& s, std::string_view c) { return DeleteRow(s, c, s.RowCount() - 1); }},
        {"add an item", [](QuoteSheet& s, std::string_view c) { return AddItem(s, c, {"清水漆", "10", "44.5"}); }},
        {"add to a room", [](QuoteSheet& s, std::string_view c) { return AddItemToRoom(s, c, 9, {"层板", "2", "100"}); }},
    };
    for (const std::string_view caption : {kHalf, kFull}) {
        const QuoteSheet original = caption == kFull ? TwoRoomFullSheet() : TwoRoomHalfSheet();
        for (const auto& c : cases) {
            QuoteSheet sheet = original;
            const SheetChange change = c.edit(sheet, caption);
            ASSERT_FALSE(change.empty()) << c.what;
            const QuoteSheet edited = sheet;
            UndoChange(sheet, change);
            EXPECT_EQ(sheet, original) << caption << " " << c.what;
            RedoChange(sheet, change);
            EXPECT_EQ(sheet, edited) << caption << " " << c.what;
        }
    }
}

const QuoteRow kBlank{};

// 在此房间添加项 on any row of a room puts the item at the end of that room; rows of no room
// (a blank row, a fee, the total) take none. The fees and the total count it.
TEST(SheetEdits, AnItemAddedToARoomEndsThatRoom)
{
    const AddedItem shelf{"层板", "2", "100"};
    struct Case {
        int clicked;
        int at;  // where the item lands, -1: refused
    };
    const Case cases[] = {{0, 7}, {kShoeCabinetRow, 7}, {kFloorTilesRow, 7}, {8, 14}, {13, 14},
                          {7, -1}, {kOtherRow, -1}, {kManagementFeeRow, -1}, {kProjectTotalRow, -1}, {-1, -1}};
    for (const Case& c : cases) {
        QuoteSheet sheet = TwoRoomHalfSheet();
        EXPECT_EQ(!AddItemToRoom(sheet, kHalf, c.clicked, shelf).empty(), c.at >= 0) << c.clicked;
        if (c.at < 0) {
            EXPECT_EQ(sheet, TwoRoomHalfSheet()) << c.clicked;
            continue;
        }
        EXPECT_EQ(sheet.row(c.at), (QuoteRow{"-", "层板", "增", "2", "100", "200"})) << c.clicked;
        EXPECT_EQ(sheet.GetKind(c.at), RowKind::AddedItem);
        EXPECT_EQ(sheet.row(c.at + 1), kBlank) << c.clicked;
        // Items 4818: fees 96.36, 48.18 and 385.44.
        EXPECT_EQ(FeeTotals(sheet), (std::vector<Text>{"96.36", "48.18", "385.44"})) << c.clicked;
        EXPECT_EQ(LastTotal(sheet), "5347") << c.clicked;
        EXPECT_FALSE(CheckSheetStructure(sheet, kHalf));
    }
    QuoteSheet full = TwoRoomFullSheet();
    ASSERT_FALSE(AddItemToRoom(full, kFull, kShoeCabinetRow, shelf).empty());
    EXPECT_EQ(full.GetCell(kProjectTotalRow + 1, kTotal), "5347");
    EXPECT_EQ(LastTotal(full), "13696");  // 5347 + the main materials 8349
    EXPECT_TRUE(AddItemToRoom(full, kFull, kCabinetRow + 1, shelf).empty());  // the main materials
}

TEST(SheetEdits, FirstAddedItemOpensABlockAboveTheFees)
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    AddItem(sheet, kHalf, {"清水漆", "10", "44.5"});
    ASSERT_EQ(sheet.RowCount(), 24);
    // Items 4618 + 445 = 5063; fees 2%, 1%, 8% of it; total truncated row by row.
    const QuoteRow expected[] = {
        kBlank,
        {"-", "清水漆", "增", "10", "44.5", "445"},
        kBlank,
        {"", "其它的", "", "", "", ""},
        {"", "材料搬运费", "户", "1", "2%", "101.26"},
        {"", "垃圾清理费用", "户", "1", "1%", "50.63"},
        {"", "工程管理费", "项", "1", "8%", "405.04"},
        kBlank,
        {"", "工程总造价", "", "", "", "5619"},
    };
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(sheet.row(kOtherRow + i), expected[i]) << "row " << kOtherRow + i;
    EXPECT_EQ(sheet.row(14), kBlank);
}

TEST(SheetEdits, SecondAddedItemJoinsTheBlock)
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    AddItem(sheet, kHalf, {"清水漆", "10", "44.5"});
    AddItem(sheet, kHalf, {"工艺鞋柜", "2", "550"});
    ASSERT_EQ(sheet.RowCount(), 25);
    EXPECT_EQ(sheet.row(16), (QuoteRow{"-", "清水漆", "增", "10", "44.5", "445"}));
    EXPECT_EQ(sheet.row(17), (QuoteRow{"-", "工艺鞋柜", "增", "2", "550", "1100"}));
    EXPECT_EQ(sheet.row(18), kBlank);
    EXPECT_EQ(sheet.GetCell(19, kItemName), "其它的");
    EXPECT_EQ(sheet.GetCell(20, kTotal), "123.26");  // 2% of 6163
    EXPECT_EQ(LastTotal(sheet), "6840");
}

TEST(SheetEdits, AnItemCalledLikeTheFeeSectionStaysAnItem)
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    AddItem(sheet, kHalf, {"其它的", "1", "100"});
    AddItem(sheet, kHalf, {"清水漆", "10", "44.5"});
    ASSERT_EQ(sheet.RowCount(), 25);
    EXPECT_EQ(sheet.row(16), (QuoteRow{"-", "其它的", "增", "1", "100", "100"}));
    EXPECT_EQ(sheet.row(17), (QuoteRow{"-", "清水漆", "增", "10", "44.5", "445"}));
    EXPECT_EQ(sheet.GetCell(19, kItemName), "其它的");
    EXPECT_EQ(sheet.GetCell(19, kUnit), "");
    EXPECT_EQ(HalfPackageSubtotal(sheet), 4618 + 100 + 445);
}

TEST(SheetEdits, AddedItemKeepsARowTypedIntoTheClosingBlank)
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    AddItem(sheet, kHalf, {"清水漆", "10", "44.5"});
    ModifyRow(sheet, kHalf, 17, {"自定", "项", "1", "100"});
    AddItem(sheet, kHalf, {"铲墙面", "5", "8"});
    EXPECT_EQ(sheet.row(17), (QuoteRow{"", "自定", "项", "1", "100", "100"}));
    EXPECT_EQ(sheet.row(18), kBlank);
    EXPECT_EQ(sheet.row(19), (QuoteRow{"-", "铲墙面", "增", "5", "8", "40"}));
    EXPECT_EQ(sheet.row(20), kBlank);
    EXPECT_EQ(sheet.GetCell(21, kItemName), "其它的");
}

TEST(SheetEdits, AddingWithoutAFeeSectionKeepsEveryRow)
{
    QuoteSheet withFees = TwoRoomHalfSheet();
    QuoteSheet withoutFees = TwoRoomHalfSheet();
    withoutFees.Truncate(kOtherRow);
    // Deleted from the foot up, the last row of the section left takes the sum; it is still
    // the section's, and goes when the section is written again: one "其它的", no fee twice.
    QuoteSheet headerHoldsTheSum = TwoRoomHalfSheet();
    QuoteSheet feeHoldsTheSum = TwoRoomHalfSheet();
    DeleteRow(feeHoldsTheSum, kHalf, kOtherRow);
    for (int row = kProjectTotalRow; row > kOtherRow; --row) {
        DeleteRow(headerHoldsTheSum, kHalf, row);
        if (row > kOtherRow + 1)
            DeleteRow(feeHoldsTheSum, kHalf, row - 1);
    }
    ASSERT_EQ(headerHoldsTheSum.GetKind(kOtherRow), RowKind::Sum);
    ASSERT_EQ(feeHoldsTheSum.GetCell(kOtherRow, kItemName), "材料搬运费");
    ASSERT_EQ(feeHoldsTheSum.GetKind(kOtherRow), RowKind::Sum);
    for (QuoteSheet* sheet : {&withFees, &withoutFees, &headerHoldsTheSum, &feeHoldsTheSum})
        AddItem(*sheet, kHalf, {"清水漆", "10", "44.5"});
    EXPECT_EQ(withoutFees, withFees);
    EXPECT_EQ(headerHoldsTheSum, withFees);
    EXPECT_EQ(feeHoldsTheSum, withFees);

    QuoteSheet empty;
    AddItem(empty, kHalf, {"", "", ""});
    ASSERT_EQ(empty.RowCount(), 9);
    EXPECT_EQ(empty.row(1), (QuoteRow{"-", "", "增", "", "", "0"}));
    EXPECT_EQ(LastTotal(empty), "0");
}

TEST(SheetEdits, FullPackageAddKeepsTheMainMaterialsAndTheGrandTotal)
{
    QuoteSheet sheet = TwoRoomFullSheet();
    AddItem(sheet, kFull, {"清水漆", "10", "44.5"});
    ASSERT_EQ(sheet.RowCount(), 32);
    EXPECT_EQ(sheet.row(16), (QuoteRow{"-", "清水漆", "增", "10", "44.5", "445"}));
    EXPECT_EQ(sheet.row(23), (QuoteRow{"", "工程总造价", "", "", "", "5619"}));
    const QuoteSheet original = TwoRoomFullSheet();
    for (int i = 0; i < 6; ++i)  // 厨房 … 地板 and the closing blank row, in order
        EXPECT_EQ(sheet.row(24 + i), original.row(21 + i)) << "material " << i;
    EXPECT_EQ(sheet.row(30), kBlank);
    // 5619 + 5400 + 519 + 2430.
    EXPECT_EQ(sheet.row(31), (QuoteRow{"", "全包总价格", "", "", "", "13968"}));

    AddItem(sheet, kFull, {"铲墙面", "5", "8"});
    ASSERT_EQ(sheet.RowCount(), 33);
    EXPECT_EQ(sheet.row(17), (QuoteRow{"-", "铲墙面", "增", "5", "8", "40"}));
    EXPECT_EQ(sheet.GetCell(31, kItemName), "");
    // Items 5103, fees 102.06 + 51.03 + 408.24: 5664, then the materials.
    EXPECT_EQ(LastTotal(sheet), "14013");
}

TEST(SheetEdits, FullPackageAddFindsTheMaterialsWithoutAProjectTotal)
{
    QuoteSheet withTotal = TwoRoomFullSheet();
    QuoteSheet withoutTotal = TwoRoomFullSheet();
    DeleteRow(withoutTotal, kFull, kProjectTotalRow);
    AddItem(withTotal, kFull, {"清水漆", "10", "44.5"});
    AddItem(withoutTotal, kFull, {"清水漆", "10", "44.5"});
    EXPECT_EQ(withoutTotal, withTotal);
}

// Everyday sequences that once showed a wrong price or lost rows: whatever the user did to
// the foot before "确定添加", the sheet comes out as if only the item had been added.
struct EditThenAddCase {
    const char* what;
    std::string_view caption;
    std::function<void(QuoteSheet&)> before;  // the user's edits before adding
    std::function<void(QuoteSheet&)> expect;  // applied to the fixture with only the item added
};

TEST(SheetEdits, EditsOfTheFootNeitherCountTwiceNorLoseRows)
{
    const auto none = [](QuoteSheet&) {};
    const EditThenAddCase cases[] = {
        // 修改 writes a total "0" into the header; it must still open the fee section.
        {"其它的 modified unchanged", kHalf, [](QuoteSheet& s) { ModifyRow(s, kHalf, kOtherRow, FieldsOfRow(s, kOtherRow)); },
         none},
        {"其它的 modified, full", kFull, [](QuoteSheet& s) { ModifyRow(s, kFull, kOtherRow, {"费用", "", "", ""}); },
         none},
        {"其它的 deleted", kHalf, [](QuoteSheet& s) { DeleteRow(s, kHalf, kOtherRow); }, none},
        {"工程总造价 deleted", kHalf, [](QuoteSheet& s) { DeleteRow(s, kHalf, kProjectTotalRow); }, none},
        {"fee rows renamed and deleted", kHalf,
         [](QuoteSheet& s) {
             ModifyRow(s, kHalf, kManagementFeeRow, {"设计费", "项", "1", "300"});
             DeleteRow(s, kHalf, kOtherRow + 1);
         },
         none},
        {"全包总价格 deleted", kFull, [](QuoteSheet& s) { DeleteRow(s, kFull, 28); }, none},
        {"全包总价格 and the blank row above deleted", kFull,
         [](QuoteSheet& s) {
             DeleteRow(s, kFull, 28);
             DeleteRow(s, kFull, 27);
         },
         [](QuoteSheet& s) { s.RemoveRow(30); }},  // one blank row fewer: the user deleted it
        {"工程总造价 deleted, full", kFull, [](QuoteSheet& s) { DeleteRow(s, kFull, kProjectTotalRow); }, none},
        // A room typed as 其它的 in the room list is a room like any other.
        {"room called 其它的", kHalf, [](QuoteSheet& s) { s.SetCell(8, kItemName, "其它的"); },
         [](QuoteSheet& s) { s.SetCell(8, kItemName, "其它的"); }},
        {"items called like totals", kFull,
         [](QuoteSheet& s) {
             ModifyRow(s, kFull, kShoeCabinetRow, {"工程总造价", "M", "1", "580"});
             ModifyRow(s, kFull, kCabinetRow, {"全包总价格", "M", "3", "1800"});
         },
         [](QuoteSheet& s) {
             s.SetCell(kShoeCabinetRow, kItemName, "工程总造价");
             s.SetCell(kCabinetRow + 3, kItemName, "全包总价格");
         }},
        // A quantity typed into the blank row of the fees makes it the user's row: it stays,
        // above the added items.
        {"quantity typed into a blank row", kHalf, [](QuoteSheet& s) { ModifyRow(s, kHalf, 19, {"", "", "2", ""}); },
         [](QuoteSheet& s) { s.InsertRow(kOtherRow, {"", "", "", "2", "", "0"}, RowKind::Item); }},
    };
    for (const EditThenAddCase& c : cases) {
        const bool full = c.caption == kFull;
        QuoteSheet sheet = full ? TwoRoomFullSheet() : TwoRoomHalfSheet();
        c.before(sheet);
        AddItem(sheet, c.caption, {"清水漆", "10", "44.5"});
        QuoteSheet expected = full ? TwoRoomFullSheet() : TwoRoomHalfSheet();
        AddItem(expected, c.caption, {"清水漆", "10", "44.5"});
        c.expect(expected);
        EXPECT_EQ(sheet, expected) << c.what;
        EXPECT_EQ(CheckSheetStructure(sheet, c.caption), std::nullopt) << c.what;
    }
}

// What "修改" makes of a row: it stays what it was, whatever it is called now, except a
// blank row the user typed into, which becomes an item of their own.
TEST(SheetEdits, ModifyKeepsWhatARowIsWhateverItIsCalled)
{
    const struct {
        const char* what;
        int row;
        ItemFields fields;
        RowKind kind;
        const char* rowTotal;
        const char* projectTotal;
    } cases[] = {
        {"item renamed to the project total", kShoeCabinetRow, {"工程总造价", "M", "1", "580"}, RowKind::Item, "580",
         "5125"},
        // Still priced on the subtotal: a name of a fee means a percentage.
        {"item renamed to a fee", kShoeCabinetRow, {"工程管理费", "项", "1", "8%"}, RowKind::Item, "369.44", "4891"},
        {"fee renamed to an item", kManagementFeeRow, {"设计费", "项", "1", "300"}, RowKind::Fee, "300", "5056"},
        {"header renamed", kOtherRow, {"其它费用", "", "", ""}, RowKind::FeeHeader, "0", "5125"},
        {"project total renamed and priced", kProjectTotalRow, {"合计", "项", "1", "99"}, RowKind::ProjectTotal, "5125",
         "5125"},
        {"blank row left empty", 19, {}, RowKind::Blank, "", "5125"},  // nothing typed, nothing changes
        {"blank row given a price", 19, {"", "", "", "5"}, RowKind::Item, "0", "5125"},
        {"room header given a price", 0, {"客厅", "项", "1", "10"}, RowKind::RoomHeader, "10", "5136"},
    };
    for (const auto& c : cases) {
        QuoteSheet sheet = TwoRoomHalfSheet();
        ModifyRow(sheet, kHalf, c.row, c.fields);
        EXPECT_EQ(sheet.GetKind(c.row), c.kind) << c.what;
        EXPECT_EQ(sheet.GetCell(c.row, kTotal), c.rowTotal) << c.what;
        EXPECT_EQ(LastTotal(sheet), c.projectTotal) << c.what;
        EXPECT_EQ(CheckSheetStructure(sheet, kHalf), std::nullopt) << c.what;
    }
}

TEST(SheetEdits, ARowThatTookTheSumIsNeverCountedAgain)
{
    QuoteSheet sheet = TwoRoomHalfSheet();
    DeleteRow(sheet, kHalf, kProjectTotalRow);
    DeleteRow(sheet, kHalf, kProjectTotalRow - 1);  // the blank row holding the sum, too
    // The last fee row takes the sum now; its own 369.44 is gone, as the sheet shows.
    EXPECT_EQ(sheet.GetKind(18), RowKind::Sum);
    EXPECT_EQ(LastTotal(sheet), "4756");
    ModifyRow(sheet, kHalf, kFloorTilesRow, {"地砖铺贴", "M2", "8.96", "58"});
    EXPECT_EQ(LastTotal(sheet), "4706");  // items 4570, the two fees left on them
    AddItem(sheet, kHalf, {"清水漆", "10", "44.5"});
    EXPECT_EQ(LastTotal(sheet), "5566");  // items 4570 + 445, fees on 5015
    EXPECT_EQ(CheckSheetStructure(sheet, kHalf), std::nullopt);
}

TEST(SheetEdits, StructureCheckNamesTheFirstOffendingRow)
{
    const struct {
        const char* what;
        std::string_view caption;
        std::function<void(QuoteSheet&)> spoil;
        const char* message;
    } cases[] = {
        {"text in a blank row", kHalf, [](QuoteSheet& s) { s.SetCell(7, kQuantity, "1"); }, "第8行：空行里有文字"},
        {"two project totals", kFull, [](QuoteSheet& s) { s.SetKind(26, RowKind::ProjectTotal); },
         "第27行：工程总造价不止一行"},
        {"half package total not last", kHalf, [](QuoteSheet& s) { s.SetKind(7, RowKind::ProjectTotal); },
         "第8行：半包报价的工程总造价不是最后一行"},
        {"grand total on a half package", kHalf, [](QuoteSheet& s) { s.SetKind(20, RowKind::FullPackageTotal); },
         "第21行：半包报价里有全包总价格"},
        {"grand total not last", kFull, [](QuoteSheet& s) { s.SetKind(22, RowKind::FullPackageTotal); },
         "第23行：全包总价格不是最后一行"},
        {"fee rows apart", kHalf, [](QuoteSheet& s) { s.SetKind(13, RowKind::Fee); }, "第16行：费用行没有连在一起"},
        {"fee below the project total", kFull, [](QuoteSheet& s) { s.SetKind(22, RowKind::Fee); },
         "第23行：费用行在工程总造价下面"},
        {"header below a fee", kHalf, [](QuoteSheet& s) { s.SetKind(17, RowKind::FeeHeader); },
         "第18行：“其它的”只能有一行，而且在费用行上面"},
        {"added item below the fees", kFull, [](QuoteSheet& s) { s.SetKind(22, RowKind::AddedItem); },
         "第23行：增加的项目在费用下面"},
        {"no total at the foot", kHalf, [](QuoteSheet& s) { s.RemoveRow(20); }, "第20行：报价单的最后一行不是总价"},
        {"unknown kind", kHalf, [](QuoteSheet& s) { s.SetKind(3, static_cast<RowKind>(200)); },
         "第4行：不知道这一行是什么"},
    };
    EXPECT_EQ(CheckSheetStructure(TwoRoomHalfSheet(), kHalf), std::nullopt);
    EXPECT_EQ(CheckSheetStructure(TwoRoomFullSheet(), kFull), std::nullopt);
    EXPECT_EQ(CheckSheetStructure(QuoteSheet{}, kFull), std::nullopt);
    for (const auto& c : cases) {
        QuoteSheet sheet = c.caption == kFull ? TwoRoomFullSheet() : TwoRoomHalfSheet();
        c.spoil(sheet);
        EXPECT_EQ(CheckSheetStructure(sheet, c.caption), std::optional<Text>(c.message)) << c.what;
    }
}

// A total that is not a finite number, or sums past the whole-yuan range, are refused before
// the edit: the message names the field or the item, and a sheet near the limit is judged by
// what the edit would write, not by a rough bound.
TEST(SheetEdits, EditsThatCannotBePricedAreRefusedBeforeTheyAreMade)
{
    const std::string nines(10000, '9');
    struct Case {
        const char* what;
        bool full;
        int row;  // -2: an added item
        ItemFields fields;
        const char* message;  // the start of the message; nullptr: allowed
    };
    const Case cases[] = {
        {"quantity 1e309", false, kFloorTilesRow, {"地砖铺贴", "M2", "1e309", "35"}, "数量太大"},
        {"ten thousand nines", true, kCabinetRow, {"橱柜", "M", nines, "1800"}, "数量太大"},
        {"unit price 1e309", false, kFloorTilesRow, {"地砖铺贴", "M2", "1", "1e309"}, "单价太大"},
        {"product past doubles", false, kFloorTilesRow, {"地砖铺贴", "M2", "1e308", "1e308"}, "数量和单价太大"},
        {"fee past doubles", false, kManagementFeeRow, {"工程管理费", "项", "1e300", "1e10"}, "数量和单价太大"},
        {"added past doubles", false, -2, {"包水管", "", "1e308", "1e308"}, "数量和单价太大"},
        {"one item too large", false, kFloorTilesRow, {"地砖铺贴", "M2", "3e9", "1"}, "金额超出范围：「地砖铺贴」"},
        {"full package foot", true, kCabinetRow, {"橱柜", "M", "2147480000", "1"}, "金额超出范围：「橱柜」"},
        {"added too large", true, -2, {"包水管", "", "1e10", "75"}, "金额超出范围：「包水管」"},
        {"fees push it over", false, -2, {"包水管", "", "2000000000", "1"}, "金额超出范围"},
        {"a discount", false, kShoeCabinetRow, {"鞋柜制作", "M", "1", "-580"}, nullptr},
        // The fees follow the item: 11 % more takes it past the range.
        {"fees follow it over", false, kFloorTilesRow, {"地砖铺贴", "M2", "2147000000", "1"}, "金额超出范围：「地砖铺贴」"},
        {"just inside", false, kFloorTilesRow, {"地砖铺贴", "M2", "1930000000", "1"}, nullptr},
        {"no row selected", false, -1, {"地砖铺贴", "M2", "1e309", "35"}, "数量太大"},
    };
    for (const Case& c : cases) {
        const QuoteSheet sheet = c.full ? TwoRoomFullSheet() : TwoRoomHalfSheet();
        const std::string_view caption = c.full ? kFull : kHalf;
        const auto problem = c.row == -2
            ? CheckAddItem(sheet, caption, {c.fields.name, c.fields.quantity, c.fields.unitPrice})
            : CheckModifyRow(sheet, caption, c.row, c.fields);
        EXPECT_EQ(problem.has_value(), c.message != nullptr) << c.what << ": " << problem.value_or("");
        if (problem && c.message) {
            EXPECT_TRUE(problem->starts_with(c.message)) << c.what << ": " << *problem;
        }
        // Made at once, the edit near the limit is tried on the sheet itself: refused, it
        // leaves the sheet exactly as it was.
        QuoteSheet edited = sheet;
        const EditOutcome made = c.row == -2
            ? TryAddItem(edited, caption, {c.fields.name, c.fields.quantity, c.fields.unitPrice}, BuiltInPriceBook())
            : TryModifyRow(edited, caption, c.row, c.fields, BuiltInPriceBook());
        EXPECT_EQ(made.refusal, problem) << c.what;
        if (made.refusal) {
            EXPECT_EQ(edited, sheet) << c.what;
        }
    }
}

}  // namespace
}  // namespace rq
