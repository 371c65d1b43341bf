#include "quote/room_items.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace rq {
namespace {

RoomRecord Room(const char* type, const char* size, const char* window, const char* door, const char* leaves,
                const char* walls)
{
    return RoomRecord{{type, size, window, door, leaves, walls}};
}

QuoteSheet ItemsOf(const RoomRecord& room, const char* grade, FloorChoice floor)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow(room.type());
    AppendRoomItems(sheet, room, grade, floor);
    return sheet;
}

// "序号 名称" of every item row, so order, numbering and inclusion are checked together.
std::vector<std::string> NumberedNames(const QuoteSheet& sheet)
{
    std::vector<std::string> names;
    for (int row = 1; row < sheet.RowCount(); ++row)
        names.push_back(Text(sheet.GetCell(row, kSerial)) + " " + Text(sheet.GetCell(row, kItemName)));
    return names;
}

constexpr auto kBoards = FloorChoice::Boards;
constexpr auto kTiles = FloorChoice::Tiles;

struct ItemsCase {
    const char* type;
    const char* grade;
    FloorChoice floor;
    const char* door;
    const char* leaves;
    std::vector<std::string> expected;
};

TEST(RoomItems, EachGradeAndRoomTypeWritesItsItemsInFixedOrder)
{
    const ItemsCase cases[] = {
        {"客厅", "出租房装修", kBoards, "实木门", "0", {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆"}},
        {"客厅", "出租房装修", kTiles, "实木门", "0",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 地砖铺贴"}},
        {"厨房", "出租房装修", kBoards, "推拉门", "1",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 推拉门", "5 双包门套", "6 地砖铺贴", "7 包水管"}},
        {"卫生间", "出租房装修", kTiles, "(无)", "0",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 地砖铺贴", "5 包水管", "6 防水工程"}},
        {"阳台", "出租房装修", kBoards, "移门", "2",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 移门", "5 地砖铺贴"}},
        {"卧室", "出租房装修", kTiles, "出租房门", "1", {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 出租房门"}},
        {"书房", "出租房装修", kTiles, "(无)", "0", {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆"}},

        {"厨房", "经济型装修", kBoards, "推拉门", "1", {"1 推拉门", "2 双包门套", "3 地砖铺贴", "4 墙砖铺贴", "5 包水管"}},
        {"卫生间", "经济型装修", kBoards, "实木门", "1", {"1 实木门", "2 地砖铺贴", "3 墙砖铺贴", "4 包水管", "5 防水工程"}},
        {"客厅", "经济型装修", kBoards, "(无)", "0",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 电视背景墙", "5 鞋柜制作"}},
        {"餐厅", "经济型装修", kBoards, "(无)", "0", {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆"}},
        {"卧室", "经济型装修", kBoards, "实木门", "1",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 实木门", "5 衣柜制作"}},
        {"书房", "经济型装修", kBoards, "(无)", "0", {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 书柜制作"}},
        {"阳台", "经济型装修", kTiles, "(无)", "0", {"1 地砖铺贴"}},

        {"客厅", "舒适型装修", kTiles, "(无)", "0",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 地砖铺贴", "5 局部吊顶", "6 电视背景墙", "7 鞋柜制作"}},
        {"餐厅", "舒适型装修", kBoards, "原木门", "1",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 原木门", "5 局部吊顶", "6 玄关制作", "7 酒架"}},
        {"卫生间", "精  装  修", kBoards, "塑钢门", "1",
         {"1 塑钢门", "2 单包门套", "3 地砖铺贴", "4 墙砖铺贴", "5 包水管", "6 防水工程"}},
        {"客厅", "精  装  修", kBoards, "(无)", "0",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 艺术吊顶", "5 电视背景墙", "6 鞋柜制作"}},
        {"餐厅", "豪华型装修", kTiles, "(无)", "0",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 地砖铺贴", "5 艺术吊顶", "6 玄关制作", "7 酒架"}},
        {"书房", "豪华型装修", kBoards, "折叠门", "1",
         {"1 顶面批腻子", "2 墙面批腻子", "3 墙顶面乳胶漆", "4 折叠门", "5 书柜制作"}},

        // A grade the company does not offer prices nothing, not even the door.
        {"客厅", "精装修", kTiles, "实木门", "1", {}},
        {"厨房", "", kTiles, "推拉门", "1", {}},
        // A room without a door has no door row and no casing, whatever the leaves say.
        {"厨房", "经济型装修", kBoards, "(无)", "2", {"1 地砖铺贴", "2 墙砖铺贴", "3 包水管"}},
        // Zero leaves write neither door nor casing.
        {"卫生间", "经济型装修", kBoards, "塑钢门", "0", {"1 地砖铺贴", "2 墙砖铺贴", "3 包水管", "4 防水工程"}},
        // A door the company does not sell is listed, and a wet room still gets its casing.
        {"卫生间", "经济型装修", kBoards, "铁门", "1",
         {"1 铁门", "2 单包门套", "3 地砖铺贴", "4 墙砖铺贴", "5 包水管", "6 防水工程"}},
    };
    for (const ItemsCase& c : cases) {
        const QuoteSheet sheet = ItemsOf(Room(c.type, "3200*2800*2920", "800*1500", c.door, c.leaves, "4"), c.grade,
                                         c.floor);
        EXPECT_EQ(NumberedNames(sheet), c.expected) << c.type << " " << c.grade << " " << c.door << " " << c.leaves;
    }
}

struct RowCase {
    RoomRecord room;
    const char* grade;
    const char* name;
    QuoteRow expected;
};

std::optional<QuoteRow> FindRow(const QuoteSheet& sheet, const char* name)
{
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (sheet.GetCell(row, kItemName) == name)
            return sheet.row(row);
    return std::nullopt;
}

TEST(RoomItems, QuantitiesPricesAndTotals)
{
    const RowCase cases[] = {
        {Room("卫生间", "2000*1500*2800", "0*0", "塑钢门", "1", "4"), "经济型装修", "单包门套",
         {"2", "单包门套", "项", "5", "65", "325"}},
        {Room("厨房", "2400*1800*2800", "0*0", "塑钢门", "1", "4"), "经济型装修", "双包门套",
         {"2", "双包门套", "项", "5", "115", "575"}},
        {Room("卫生间", "2000*1500*2800", "0*0", "铁门", "1", "4"), "经济型装修", "铁门",
         {"1", "铁门", "扇", "1", "", "0"}},
        {Room("卧室", "3200*2800*2920", "0*0", "原木门", "2", "4"), "经济型装修", "原木门",
         {"4", "原木门", "扇", "2", "1880", "3760"}},
        {Room("卧室", "3200*2800*2920", "0*0", "实木门", "-1", "4"), "经济型装修", "实木门",
         {"4", "实木门", "扇", "-1", "1480", "-1480"}},
        // Wardrobes are priced on the face of one wall: height by width.
        {Room("卧室", "4000*3500*2800", "0*0", "(无)", "0", "4"), "精  装  修", "衣柜制作",
         {"4", "衣柜制作", "M2", "9.8", "480", "4704"}},
        {Room("卧室", "4000*3500*2800", "0*0", "(无)", "0", "4"), "豪华型装修", "衣柜制作",
         {"4", "衣柜制作", "M2", "9.8", "550", "5390"}},
        {Room("书房", "4000*3500*2800", "0*0", "(无)", "0", "4"), "精  装  修", "书柜制作",
         {"4", "书柜制作", "项", "1", "1200", "1200"}},
        {Room("客厅", "4500*3600*2800", "0*0", "(无)", "0", "4"), "精  装  修", "艺术吊顶",
         {"5", "艺术吊顶", "M", "8.1", "135", "1093"}},
        {Room("客厅", "4500*3600*2800", "0*0", "(无)", "0", "4"), "豪华型装修", "电视背景墙",
         {"6", "电视背景墙", "项", "1", "3000", "3000"}},
        {Room("客厅", "4500*3600*2800", "0*0", "(无)", "0", "4"), "舒适型装修", "电视背景墙",
         {"6", "电视背景墙", "项", "1", "1200", "1200"}},
        {Room("餐厅", "4000*3000*2800", "0*0", "(无)", "0", "4"), "精  装  修", "玄关制作",
         {"6", "玄关制作", "项", "1", "800", "800"}},
        {Room("餐厅", "4000*3000*2800", "0*0", "(无)", "0", "4"), "豪华型装修", "酒架",
         {"7", "酒架", "M2", "3.36", "460", "1545"}},
        {Room("厨房", "3000*2000*2800", "0*0", "(无)", "0", "4"), "豪华型装修", "包水管",
         {"3", "包水管", "根", "2", "170", "340"}},
        {Room("卫生间", "2000*1500*2800", "0*0", "(无)", "0", "4"), "出租房装修", "防水工程",
         {"6", "防水工程", "项", "3", "45", "135"}},
        {Room("阳台", "3000*1500*2800", "0*0", "(无)", "0", "4"), "经济型装修", "地砖铺贴",
         {"1", "地砖铺贴", "M2", "4.5", "35", "157"}},
        // Fractions of a millimetre are cut off before anything is priced.
        {Room("阳台", "3000.9*1500.9*2800", "0*0", "(无)", "0", "4"), "经济型装修", "地砖铺贴",
         {"1", "地砖铺贴", "M2", "4.5", "35", "157"}},
    };
    for (const RowCase& c : cases) {
        const QuoteSheet sheet = ItemsOf(c.room, c.grade, FloorChoice::Tiles);
        const std::optional<QuoteRow> row = FindRow(sheet, c.name);
        ASSERT_NE(row, std::nullopt) << c.room.type() << " " << c.grade << " " << c.name;
        EXPECT_EQ(*row, c.expected) << c.room.type() << " " << c.grade << " " << c.name;
    }
}

struct PaintingCase {
    const char* size;
    const char* window;
    const char* leaves;
    const char* walls;
    QuoteRow ceiling, wall, paint;
};

TEST(RoomItems, PaintingCountsOpeningsAtHalfInSinglePrecision)
{
    const PaintingCase cases[] = {
        {"3200*2800*2920", "800*1500", "0", "4",
         {"1", "顶面批腻子", "M2", "8.96", "13", "116.48"},
         {"2", "墙面批腻子", "M2", "34.44", "12", "413.28"},
         {"3", "墙顶面乳胶漆", "M2", "43.4", "10", "434"}},
        // Each door leaf takes 1 m² (half its 2 m² opening) off the walls.
        {"4000*3500*2800", "1500*1500", "1", "4",
         {"1", "顶面批腻子", "M2", "14", "13", "182"},
         {"2", "墙面批腻子", "M2", "39.875", "12", "478.5"},
         {"3", "墙顶面乳胶漆", "M2", "53.875", "10", "538.75"}},
        {"3000*3000*2800", "1200*1500", "1", "3",
         {"1", "顶面批腻子", "M2", "9", "13", "117"},
         {"2", "墙面批腻子", "M2", "23.3", "12", "279.6"},
         {"3", "墙顶面乳胶漆", "M2", "32.3", "10", "323"}},
        // No walls to finish but a window, or a window larger than the walls: no wall is
        // left, and nothing negative is taken off the ceiling either.
        {"3200*2800*2920", "800*1500", "0", "0",
         {"1", "顶面批腻子", "M2", "8.96", "13", "116.48"},
         {"2", "墙面批腻子", "M2", "0", "12", "0"},
         {"3", "墙顶面乳胶漆", "M2", "8.96", "10", "89.6"}},
        {"3200*2800*2920", "99000*99000", "2", "4",
         {"1", "顶面批腻子", "M2", "8.96", "13", "116.48"},
         {"2", "墙面批腻子", "M2", "0", "12", "0"},
         {"3", "墙顶面乳胶漆", "M2", "8.96", "10", "89.6"}},
        // Six digits only: the quantity is priced as written.
        {"3333*3333*2999", "0*0", "0", "4",
         {"1", "顶面批腻子", "M2", "11.1089", "13", "144.416"},
         {"2", "墙面批腻子", "M2", "39.9827", "12", "479.792"},
         {"3", "墙顶面乳胶漆", "M2", "51.0916", "10", "510.916"}},
        // A room stored without its height or window reads the missing pieces as 0.
        {"3200*2800", "", "0", "4",
         {"1", "顶面批腻子", "M2", "8.96", "13", "116.48"},
         {"2", "墙面批腻子", "M2", "0", "12", "0"},
         {"3", "墙顶面乳胶漆", "M2", "8.96", "10", "89.6"}},
    };
    for (const PaintingCase& c : cases) {
        const QuoteSheet sheet = ItemsOf(Room("书房", c.size, c.window, "(无)", c.leaves, c.walls), "出租房装修",
                                         FloorChoice::Boards);
        ASSERT_EQ(sheet.RowCount(), 4) << c.size;
        EXPECT_EQ(sheet.row(1), c.ceiling) << c.size;
        EXPECT_EQ(sheet.row(2), c.wall) << c.size;
        EXPECT_EQ(sheet.row(3), c.paint) << c.size;
    }
}

TEST(RoomItems, LevelsOutsideAPriceListWriteNoRow)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    AppendTvWall(sheet, 0);
    AppendTvWall(sheet, 6);
    AppendWardrobe(sheet, 4, 2800, 3000);
    AppendBookcase(sheet, -1);
    AppendCeiling(sheet, 3, 4000, 3000);
    AppendEntrance(sheet, 4);
    AppendDoorCasing(sheet, 3, 5, 1);
    AppendDoorCasing(sheet, 0, 5, 1);
    EXPECT_EQ(sheet.RowCount(), 1);
}

TEST(RoomItems, CasingPriceDependsOnKindAndLevel)
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("厨房");
    AppendDoorCasing(sheet, 1, 5, 1);
    AppendDoorCasing(sheet, 1, 5, 2);
    AppendDoorCasing(sheet, 2, 5, 1);
    AppendDoorCasing(sheet, 2, 5, 2);
    AppendDoorCasing(sheet, 2, 5, 3);
    const std::vector<QuoteRow> expected = {
        {"", "厨房", "", "", "", ""},
        {"1", "单包门套", "项", "5", "65", "325"},
        {"2", "单包门套", "项", "5", "85", "425"},
        {"3", "双包门套", "项", "5", "115", "575"},
        {"4", "双包门套", "项", "5", "75", "375"},
        {"5", "双包门套", "项", "5", "115", "575"},
    };
    EXPECT_EQ(sheet.CopyRows(), expected);
}

}  // namespace
}  // namespace rq
