#include "quote/engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rq {
namespace {

RoomRecord Room(const char* type, const char* size, const char* window, const char* door, const char* leaves,
                const char* walls)
{
    return RoomRecord{{type, size, window, door, leaves, walls}};
}

void ExpectRows(const QuoteSheet& sheet, int from, std::initializer_list<QuoteRow> expected)
{
    ASSERT_GE(sheet.RowCount(), from + static_cast<int>(expected.size()));
    int row = from;
    for (const QuoteRow& cells : expected) {
        EXPECT_EQ(sheet.row(row), cells) << "row " << row;
        ++row;
    }
}

TEST(DetailedQuote, DiningRoomAtComfortGradeWithTiles)
{
    const DetailedQuote quote = BuildDetailedQuote({Room("餐厅", "3200*2800*2920", "800*1500", "实木门", "0", "4")},
                                                   "舒适型装修", FloorChoice::Tiles, "半包");
    EXPECT_EQ(quote.caption, "半包装修详细报价");
    ExpectRows(quote.sheet, 0,
               {
                   {"", "餐厅", "", "", "", ""},
                   {"1", "顶面批腻子", "M2", "8.96", "13", "116.48"},
                   {"2", "墙面批腻子", "M2", "34.44", "12", "413.28"},
                   {"3", "墙顶面乳胶漆", "M2", "43.4", "10", "434"},
                   {"4", "地砖铺贴", "M2", "8.96", "35", "313"},
                   {"5", "局部吊顶", "M", "6", "115", "690"},
                   {"6", "玄关制作", "项", "1", "600", "600"},
                   {"7", "酒架", "M2", "3.2704", "460", "1504"},
                   {"", "", "", "", "", ""},
                   {"", "其它的", "", "", "", ""},
               });
}

TEST(DetailedQuote, TwoRoomHalfPackageSheet)
{
    const DetailedQuote quote = BuildDetailedQuote(
        {Room("客厅", "4500*3600*2800", "1500*1500", "实木门", "0", "4"),
         Room("厨房", "2400*1800*2800", "800*1500", "推拉门", "1", "4")},
        "经济型装修", FloorChoice::Tiles, "半包");
    EXPECT_EQ(quote.caption, "半包装修详细报价");
    EXPECT_EQ(quote.sheet.RowCount(), 21);
    ExpectRows(quote.sheet, 0,
               {
                   {"", "客厅", "", "", "", ""},
                   {"1", "顶面批腻子", "M2", "16.2", "13", "210.6"},
                   {"2", "墙面批腻子", "M2", "44.235", "12", "530.82"},
                   {"3", "墙顶面乳胶漆", "M2", "60.435", "10", "604.35"},
                   {"4", "地砖铺贴", "M2", "16.2", "35", "567"},
                   {"5", "电视背景墙", "项", "1", "600", "600"},
                   {"6", "鞋柜制作", "M", "1", "580", "580"},
                   {"", "", "", "", "", ""},
                   {"", "厨房", "", "", "", ""},
                   {"1", "推拉门", "扇", "1", "480", "480"},
                   {"2", "双包门套", "项", "5", "115", "575"},
                   {"3", "地砖铺贴", "M2", "4.32", "35", "151"},
                   {"4", "墙砖铺贴", "M2", "4.32", "35", "151"},
                   {"5", "包水管", "根", "1", "170", "170"},
                   {"", "", "", "", "", ""},
                   {"", "其它的", "", "", "", ""},
                   {"", "材料搬运费", "户", "1", "2%", "92.36"},
                   {"", "垃圾清理费用", "户", "1", "1%", "46.18"},
                   {"", "工程管理费", "项", "1", "8%", "369.44"},
                   {"", "", "", "", "", ""},
                   {"", "工程总造价", "", "", "", "5125"},
               });
}

std::vector<std::string> Names(const QuoteSheet& sheet)
{
    std::vector<std::string> names;
    for (const QuoteRow& row : sheet.CopyRows())
        names.push_back(row[kItemName]);
    return names;
}

TEST(DetailedQuote, PackageTextSelectsCaptionAndRoad)
{
    const std::vector<RoomRecord> rooms = {Room("卧室", "3200*2800*2920", "800*1500", "实木门", "1", "4")};
    const struct {
        const char* package;
        const char* caption;
        int rows;
    } cases[] = {
        {"半包", "半包装修详细报价", 13},
        {"全包", "全包装修详细报价", 16},
        // Any other package prices nothing and leaves the window its own title.
        {"", "青禾空间装饰   青禾改变生活", 0},
        {"半包 ", "青禾空间装饰   青禾改变生活", 0},
        {"全包装修", "青禾空间装饰   青禾改变生活", 0},
    };
    for (const auto& c : cases) {
        const DetailedQuote quote = BuildDetailedQuote(rooms, "经济型装修", FloorChoice::Boards, c.package);
        EXPECT_EQ(quote.caption, c.caption) << c.package;
        EXPECT_EQ(quote.sheet.RowCount(), c.rows) << c.package;
    }
}

TEST(DetailedQuote, UnknownRoomTypeKeepsItsHeaderWithoutBlankRow)
{
    const DetailedQuote quote = BuildDetailedQuote(
        {Room("阁楼", "3200*2800*2920", "800*1500", "实木门", "1", "4"),
         Room("书房", "3000*3000*2800", "0*0", "(无)", "0", "4")},
        "出租房装修", FloorChoice::Boards, "全包");
    const std::vector<std::string> expected = {
        "阁楼", "书房", "顶面批腻子", "墙面批腻子", "墙顶面乳胶漆", "", "其它的", "材料搬运费", "垃圾清理费用",
        "工程管理费", "", "工程总造价", "", "", "", "全包总价格",
    };
    EXPECT_EQ(Names(quote.sheet), expected);
    EXPECT_EQ(quote.sheet.GetCell(2, kSerial), "1");
}

// 主卫 and 次卧 in brackets after their type are priced as that type, full package included,
// and their headers keep the whole name; a bracket that does not close the text, or a type
// that does not open it, is no such name.
TEST(DetailedQuote, RoomNamedInBracketsIsPricedAsItsType)
{
    const struct {
        const char* typed;
        const char* pricedAs;  // nullptr: a bare header, priced as nothing
    } cases[] = {
        {"卧室（主卧）", "卧室"}, {"卫生间(客卫)", "卫生间"}, {"厨房（）", "厨房"}, {"阳台(生活阳台）", "阳台"},
        {"卧室（主卧", nullptr},  {"卧室主卧", nullptr},      {"主卧", nullptr},     {"（主卧）卧室", nullptr},
        {"卫生间（主卫）x", nullptr},
    };
    for (const auto& c : cases) {
        for (const char* package : {"半包", "全包"}) {
            const RoomRecord named = Room(c.typed, "3200*2800*2920", "800*1500", "推拉门", "1", "4");
            RoomRecord plain = named;
            plain.cells[kRoomType] = c.pricedAs ? c.pricedAs : "阁楼";
            QuoteSheet expected = BuildDetailedQuote({plain}, "舒适型装修", FloorChoice::Tiles, package).sheet;
            expected.SetCell(0, kItemName, c.typed);
            EXPECT_EQ(BuildDetailedQuote({named}, "舒适型装修", FloorChoice::Tiles, package).sheet, expected)
                << c.typed << " " << package;
        }
    }
}

// The kinds of a sheet as runs ("item*5"), so that a whole sheet reads in one line.
std::string KindRuns(const QuoteSheet& sheet)
{
    std::string runs;
    for (int row = 0; row < sheet.RowCount();) {
        int end = row + 1;
        while (end < sheet.RowCount() && sheet.GetKind(end) == sheet.GetKind(row))
            ++end;
        runs += (runs.empty() ? "" : " ") + std::string(RowKindName(sheet.GetKind(row)));
        if (end - row > 1)
            runs += "*" + std::to_string(end - row);
        row = end;
    }
    return runs;
}

TEST(DetailedQuote, EveryRowCarriesWhatItWasWrittenAs)
{
    const DetailedQuote quote = BuildDetailedQuote(
        {Room("阁楼", "3200*2800*2920", "800*1500", "实木门", "1", "4"),
         Room("厨房", "2400*1800*2800", "800*1500", "推拉门", "1", "4")},
        "经济型装修", FloorChoice::Tiles, "全包");
    // The kitchen's main materials open with their own header, which counts as a room header.
    EXPECT_EQ(KindRuns(quote.sheet), "room-header*2 item*5 blank fee-header fee*3 blank project-total blank*2 "
                                     "room-header item*12 blank full-package-total");
}

TEST(DetailedQuote, BedroomAndStudyAddTwoBlankRowsAndNothingToTheFullTotal)
{
    const DetailedQuote quote = BuildDetailedQuote(
        {Room("卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"),
         Room("书房", "3000*3000*2800", "1200*1500", "原木门", "1", "3")},
        "精  装  修", FloorChoice::Tiles, "全包");
    const QuoteSheet& sheet = quote.sheet;
    const int n = sheet.RowCount();
    ASSERT_GE(n, 6);
    EXPECT_EQ(sheet.GetCell(n - 5, kItemName), "工程总造价");
    for (int row = n - 4; row < n - 1; ++row)
        EXPECT_EQ(sheet.row(row), QuoteRow{}) << row;
    EXPECT_EQ(sheet.GetCell(n - 1, kItemName), "全包总价格");
    EXPECT_EQ(sheet.GetCell(n - 1, kTotal), sheet.GetCell(n - 5, kTotal));
    EXPECT_NE(sheet.GetCell(n - 1, kTotal), "0");
}

TEST(DetailedQuote, UnknownGradeKeepsEverySectionEmptyAndTotalsZero)
{
    const DetailedQuote quote = BuildDetailedQuote(
        {Room("厨房", "2400*1800*2800", "800*1500", "推拉门", "1", "4"),
         Room("客厅", "4500*3600*2800", "1500*1500", "(无)", "0", "4")},
        "精装修", FloorChoice::Tiles, "全包");
    const std::vector<std::string> expected = {
        "厨房", "", "客厅", "", "其它的", "材料搬运费", "垃圾清理费用", "工程管理费", "", "工程总造价", "", "", "",
        "全包总价格",
    };
    EXPECT_EQ(Names(quote.sheet), expected);
    for (const QuoteRow& row : quote.sheet.CopyRows())
        EXPECT_TRUE(row[kTotal].empty() || row[kTotal] == "0") << row[kItemName];
}

// Absurd sizes must still give a whole sheet: the same rows as a sensible dwelling, with
// whatever figures the arithmetic yields, and no crash on the way.
TEST(DetailedQuote, AbsurdDimensionsStillGiveTheWholeSheet)
{
    const char* kTypes[] = {"厨房", "卫生间", "客厅", "餐厅", "卧室", "书房", "阳台"};
    const auto roomsOfSize = [&](const char* size, const char* window, const char* leaves, const char* walls) {
        std::vector<RoomRecord> rooms;
        for (const char* type : kTypes)
            rooms.push_back(Room(type, size, window, "推拉门", leaves, walls));
        return rooms;
    };
    const DetailedQuote sensible = BuildDetailedQuote(roomsOfSize("3200*2800*2920", "800*1500", "1", "4"),
                                                      "豪华型装修", FloorChoice::Boards, "全包");
    const struct {
        const char* size;
        const char* window;
        const char* leaves;
        const char* walls;
    } cases[] = {
        {"99999999999*99999999999*99999999999", "99999999999*99999999999", "99999999999", "99999999999"},
        {"-3200*2800*2920", "-800*1500", "-1", "-4"},
        {"1e308*1e308*1e308", "1e308*1e308", "1e308", "1e308"},
        {"nan*inf*-0", "inf*nan", "-inf", "nan"},
        {"2147483647*2147483647*2147483647", "2147483647*2147483647", "2147483647", "2147483647"},
        {"-2147483648*-2147483648*-2147483648", "-2147483648*-2147483648", "-2147483648", "-2147483648"},
        {"3200", "", "1", "4"},
        {"", "", "", ""},
        {"abc*def*ghi", "0*0", "x", "y"},
    };
    for (const auto& c : cases) {
        const DetailedQuote quote = BuildDetailedQuote(roomsOfSize(c.size, c.window, c.leaves, c.walls),
                                                       "豪华型装修", FloorChoice::Boards, "全包");
        // Leaves that read as 0 drop the door and its casing; compare the rest row by row.
        std::vector<std::string> names = Names(quote.sheet), expected = Names(sensible.sheet);
        for (const char* door : {"推拉门", "双包门套", "单包门套"}) {
            std::erase(names, door);
            std::erase(expected, door);
        }
        EXPECT_EQ(names, expected) << c.size;
        EXPECT_EQ(quote.sheet.GetCell(quote.sheet.RowCount() - 1, kItemName), "全包总价格") << c.size;
    }
}

// Whole-yuan totals are 32-bit: a room typed a thousand times too large, or rooms enough
// that the sum passes 2147483647 yuan, are refused naming the room; a sheet that fits is not.
TEST(DetailedQuote, AmountsPastWholeYuanAreRefusedNamingTheRoom)
{
    const RoomRecord ordinary = Room("卧室", "3200*2800*2920", "800*1500", "实木门", "1", "4");
    const RoomRecord typo = Room("客厅", "4500000*3600000*2800", "1500*1500", "(无)", "0", "4");
    const RoomRecord hall = Room("客厅", "316228*316228*3000", "800*1500", "实木门", "1", "4");
    const std::vector<RoomRecord> halls(1000, hall);
    struct Case {
        const char* what;
        std::vector<RoomRecord> rooms;
        const char* package;
        const char* message;  // part of the refusal; nullptr: none
    };
    const Case cases[] = {
        {"ordinary", {ordinary, ordinary}, "全包", nullptr},
        {"one hall", {hall}, "全包", nullptr},
        {"typo", {typo}, "全包", "金额超出范围：第1个房间「客厅」"},
        {"typo second", {ordinary, typo}, "全包", "金额超出范围：第2个房间「客厅」"},
        {"largest sizes", {Room("厨房", "2147483647*2147483647*2147483647", "0*0", "移门", "1", "4")}, "半包",
         "第1个房间「厨房」"},
        {"many halls", halls, "半包", "个房间「客厅」使报价超过 2147483647 元"},
    };
    for (const Case& c : cases) {
        std::optional<Text> refusal;
        (void)BuildDetailedQuote(c.rooms, "精  装  修", FloorChoice::Boards, c.package, refusal);
        EXPECT_EQ(refusal.has_value(), c.message != nullptr) << c.what << ": " << refusal.value_or("");
        if (refusal && c.message) {
            EXPECT_NE(refusal->find(c.message), std::string::npos) << c.what << ": " << *refusal;
        }
    }
}

}  // namespace
}  // namespace rq
