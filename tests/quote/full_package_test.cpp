#include "quote/full_package.h"

#include <gtest/gtest.h>

#include <vector>

namespace rq {
namespace {

RoomRecord Room(const char* type, const char* size) { return RoomRecord{{type, size, "0*0", "(无)", "0", "4"}}; }

QuoteSheet AdditionsOf(const RoomRecord& room, const char* grade, FloorChoice floor)
{
    QuoteSheet sheet;
    AppendFullPackageAdditions(sheet, room, grade, floor);
    return sheet;
}

const QuoteRow kBlank = {};

struct SingleItemCase {
    RoomRecord room;
    const char* grade;
    FloorChoice floor;
    QuoteRow expected;
};

TEST(FullPackage, LivingDiningAndBalconyAddOneUnnumberedRow)
{
    const SingleItemCase cases[] = {
        // The economy grade still lays the cheapest floor in living rooms.
        {Room("客厅", "4000*3500*2800"), "经济型装修", FloorChoice::Boards, {"", "强化地板", "M2", "14", "80", "1120"}},
        {Room("客厅", "4000*3500*2800"), "舒适型装修", FloorChoice::Tiles, {"", "瓷砖", "M2", "14", "120", "1680"}},
        {Room("客厅", "4000*3500*2800"), "舒适型装修", FloorChoice::Boards, {"", "实木地板", "M2", "14", "160", "2240"}},
        {Room("客厅", "4000*3500*2800"), "精  装  修", FloorChoice::Boards, {"", "实木地板", "M2", "14", "260", "3640"}},
        {Room("客厅", "4000*3500*2800"), "出租房装修", FloorChoice::Tiles, {"", "瓷砖", "M2", "14", "50", "700"}},
        {Room("餐厅", "4000*3500*2800"), "经济型装修", FloorChoice::Tiles, {"", "瓷砖", "M2", "14", "50", "700"}},
        {Room("餐厅", "4000*3500*2800"), "豪华型装修", FloorChoice::Tiles, {"", "瓷砖", "M2", "14", "180", "2520"}},
        {Room("餐厅", "3200.9*2800*2920"), "精  装  修", FloorChoice::Tiles, {"", "瓷砖", "M2", "8.96", "180", "1612"}},
        {Room("阳台", "3000*1500*2800"), "出租房装修", FloorChoice::Boards, {"", "封阳台", "M2", "6", "170", "1020"}},
        {Room("阳台", "3000*1500*2800"), "经济型装修", FloorChoice::Tiles, {"", "封阳台", "M2", "6", "170", "1020"}},
        {Room("阳台", "3000*1500*2800"), "舒适型装修", FloorChoice::Boards, {"", "封阳台", "M2", "6", "170", "1020"}},
        {Room("阳台", "3000*1500*2800"), "精  装  修", FloorChoice::Boards, {"", "封阳台", "M2", "6", "170", "1020"}},
        {Room("阳台", "3000*1500*2800"), "豪华型装修", FloorChoice::Tiles, {"", "封阳台", "M2", "6", "170", "1020"}},
    };
    for (const SingleItemCase& c : cases) {
        const QuoteSheet sheet = AdditionsOf(c.room, c.grade, c.floor);
        const std::vector<QuoteRow> expected = {kBlank, c.expected};
        EXPECT_EQ(sheet.CopyRows(), expected) << c.room.type() << " " << c.grade;
    }
}

TEST(FullPackage, RoomsWithoutMainMaterialsAddOnlyTheirBlankRow)
{
    const struct {
        const char* type;
        const char* grade;
    } cases[] = {
        {"卧室", "豪华型装修"}, {"书房", "出租房装修"}, {"阁楼", "精  装  修"},
        {"厨房", "精装修"},     {"客厅", ""},         {"阳台", "豪华型装修 "},
    };
    for (const auto& c : cases) {
        const QuoteSheet sheet = AdditionsOf(Room(c.type, "3200*2800*2920"), c.grade, FloorChoice::Boards);
        EXPECT_EQ(sheet.CopyRows(), std::vector<QuoteRow>{kBlank}) << c.type << " " << c.grade;
    }
}

TEST(FullPackage, KitchenAtFineGradeTakesLevelThree)
{
    const QuoteSheet sheet = AdditionsOf(Room("厨房", "3200*2800*2920"), "精  装  修", FloorChoice::Boards);
    const std::vector<QuoteRow> expected = {
        kBlank,
        {"", "厨房", "", "", "", ""},
        {"", "厨柜制作", "M", "3", "520", "1560"},
        {"", "吊柜制作", "M", "3", "320", "960"},
        {"", "石英石", "M", "3", "480", "1440"},
        {"", "厨柜五金", "项", "1", "580", "580"},
        {"", "洗菜盆及龙头", "套", "1", "680", "680"},
        {"", "油烟机", "套", "1", "1500", "1500"},
        {"", "灶台", "套", "1", "600", "600"},
        {"", "吸顶灯", "套", "1", "160", "160"},
        {"", "墙面砖", "M2", "8.96", "58", "519"},
        {"", "地面砖", "M2", "8.96", "28", "250"},
        {"", "燃气热水器", "套", "1", "1800", "1800"},
        {"", "铝扣板吊顶", "M2", "8.96", "95", "851"},
    };
    EXPECT_EQ(sheet.CopyRows(), expected);
}

TEST(FullPackage, KitchenAndBathroomLevelsFollowTheGrade)
{
    const struct {
        const char* type;
        const char* grade;
        int rows;              // header included
        const char* thirdItem;  // tells the level apart
        const char* firstPrice;
    } cases[] = {
        {"厨房", "出租房装修", 7, "厨柜五金", "520"},  {"厨房", "经济型装修", 13, "水晶石台面", "520"},
        {"厨房", "舒适型装修", 13, "水晶石台面", "520"}, {"厨房", "豪华型装修", 13, "石英石", "520"},
        {"卫生间", "出租房装修", 10, "铝扣板吊顶", "49"}, {"卫生间", "经济型装修", 10, "铝扣板吊顶", "68"},
        {"卫生间", "舒适型装修", 10, "铝扣板吊顶", "68"}, {"卫生间", "精  装  修", 10, "铝扣板吊顶", "78"},
        {"卫生间", "豪华型装修", 10, "铝扣板吊顶", "78"},
    };
    for (const auto& c : cases) {
        const QuoteSheet sheet = AdditionsOf(Room(c.type, "3000*2000*2800"), c.grade, FloorChoice::Tiles);
        ASSERT_EQ(sheet.RowCount(), 1 + c.rows) << c.type << " " << c.grade;
        EXPECT_EQ(sheet.GetCell(1, kItemName), c.type);
        EXPECT_EQ(sheet.GetCell(4, kItemName), c.thirdItem) << c.type << " " << c.grade;
        EXPECT_EQ(sheet.GetCell(2, kUnitPrice), c.firstPrice) << c.type << " " << c.grade;
        for (int row = 0; row < sheet.RowCount(); ++row)
            EXPECT_EQ(sheet.GetCell(row, kSerial), "") << "additions carry no serial numbers";
    }
}

TEST(FullPackage, BathroomAtRentalGrade)
{
    const QuoteSheet sheet = AdditionsOf(Room("卫生间", "2000*1500*2800"), "出租房装修", FloorChoice::Boards);
    const std::vector<QuoteRow> expected = {
        kBlank,
        {"", "卫生间", "", "", "", ""},
        {"", "墙面砖", "M2", "3", "49", "147"},
        {"", "地面砖", "M2", "3", "49", "147"},
        {"", "铝扣板吊顶", "M2", "3", "95", "285"},
        {"", "面盆", "套", "1", "1300", "1300"},
        {"", "地漏", "个", "2", "25", "50"},
        {"", "淋浴", "套", "1", "460", "460"},
        {"", "锁具", "套", "1", "55", "55"},
        {"", "马桶", "套", "1", "950", "950"},
        {"", "碳纤维灯", "套", "1", "450", "450"},
    };
    EXPECT_EQ(sheet.CopyRows(), expected);
}

TEST(FullPackage, MaterialLevelsOutsideOneToThreeWriteNothing)
{
    QuoteSheet sheet;
    AppendKitchenItems(sheet, 3000, 2000, 0);
    AppendKitchenItems(sheet, 3000, 2000, 4);
    AppendBathroomItems(sheet, 3000, 2000, -1);
    AppendFloorBoardItem(sheet, 3000, 2000, 4);
    AppendTileItem(sheet, 3000, 2000, 0);
    EXPECT_EQ(sheet.RowCount(), 0);
}

}  // namespace
}  // namespace rq
