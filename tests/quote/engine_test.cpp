#include "quote/engine.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace rq
