#include <gtest/gtest.h>

#include "compare/comparison.h"
#include "quote/engine.h"

namespace rq {
namespace {

RoomRecord Room(std::string_view type, std::string_view size)
{
    return RoomRecord{{Text(type), Text(size), "1500*1500", "实木门", "1", "4"}};
}

const std::vector<RoomRecord> kFlat = {Room("客厅", "4500*3600*2800"), Room("餐厅", "3000*3000*2800"),
                                       Room("卧室（主卧）", "4000*3500*2800"), Room("书房", "3000*2500*2800"),
                                       Room("厨房", "3000*2000*2800"), Room("卫生间", "2500*2000*2800"),
                                       Room("阳台", "3000*1500*2800"), Room("储藏间", "2000*1000*2800")};

TEST(Comparison, DwellingCountsRoomsByThePricedTypeAndAddsUpEveryFloor)
{
    const EstimateInputs dwelling = DwellingOfRooms(kFlat);
    EXPECT_EQ(dwelling.bedrooms, "2");     // 主卧 and the study
    EXPECT_EQ(dwelling.livingRooms, "2");  // living and dining room
    EXPECT_EQ(dwelling.kitchens, "1");
    EXPECT_EQ(dwelling.bathrooms, "1");
    EXPECT_EQ(dwelling.balconies, "1");
    // 16.2 + 9 + 14 + 7.5 + 6 + 5 + 4.5 + 2: the storeroom's floor counts too.
    EXPECT_EQ(TextToNumber(dwelling.area), 64.2);
}

// Every option's parts add up to exactly its sheet's total, and that total is the one its
// sheet built alone shows, in both floors.
TEST(Comparison, PartsOfEveryOptionAddUpToTheTotalOfItsOwnSheet)
{
    for (const FloorChoice floor : {FloorChoice::Boards, FloorChoice::Tiles}) {
        const std::optional<Comparison> comparison = CompareOptions(kFlat, floor, BuiltInPriceBook());
        ASSERT_TRUE(comparison);
        EXPECT_FALSE(comparison->estimateRefusal);
        for (int grade = 0; grade < kGradeCount; ++grade) {
            for (const Package package : kPackages) {
                SCOPED_TRACE(Text(kGradeNames[grade]) + Text(PackageTextOf(package)));
                const OptionTotal& option = comparison->option(grade, package);
                ASSERT_TRUE(option.total);
                std::int64_t sum = 0;
                for (const std::int64_t part : option.parts)
                    sum += part;
                EXPECT_EQ(sum, *option.total);
                const QuoteSheet sheet
                    = BuildDetailedQuote(kFlat, kGradeNames[grade], floor, PackageTextOf(package)).sheet;
                EXPECT_EQ(IntegerToText(static_cast<std::int32_t>(*option.total)),
                          sheet.GetCell(sheet.RowCount() - 1, kTotal));
            }
        }
    }
}

// A balcony as large as the luxury half package can hold: its glazing takes the full
// package past the range. That one cell says so; the other options are still compared.
TEST(Comparison, OptionOutOfRangeSaysSoWhileTheOthersAreComputed)
{
    const auto fits = [](std::int64_t length) {
        std::optional<Text> outOfRange;
        const Text size = std::to_string(length) + "*100000*2800";
        BuildDetailedQuote({Room("阳台", size)}, kLuxuryGrade, FloorChoice::Boards, kHalfPackage, outOfRange);
        return !outOfRange;
    };
    std::int64_t low = 1, high = 2'000'000'000;
    while (high - low > 1) {
        const std::int64_t middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    const std::vector<RoomRecord> rooms = {Room("阳台", std::to_string(low) + "*100000*2800")};
    const std::optional<Comparison> comparison = CompareOptions(rooms, FloorChoice::Boards, BuiltInPriceBook());
    ASSERT_TRUE(comparison);
    const int luxury = static_cast<int>(Grade::Luxury);
    EXPECT_TRUE(comparison->option(luxury, Package::Half).total);
    ASSERT_FALSE(comparison->option(luxury, Package::Full).total);
    EXPECT_EQ(TotalText(comparison->option(luxury, Package::Full)), kCellOutOfRange);
    EXPECT_EQ(DifferenceText(comparison->option(luxury, Package::Half), comparison->option(luxury, Package::Full)), "");
    // Every option is what its own sheet, built alone, makes of the same rooms.
    for (int grade = 0; grade < kGradeCount; ++grade) {
        for (const Package package : kPackages) {
            std::optional<Text> outOfRange;
            BuildDetailedQuote(rooms, kGradeNames[grade], FloorChoice::Boards, PackageTextOf(package), outOfRange);
            EXPECT_EQ(comparison->option(grade, package).total.has_value(), !outOfRange) << grade;
        }
    }
}

TEST(Comparison, EmptyListAndAStopGiveNoComparison)
{
    EXPECT_FALSE(CompareOptions({}, FloorChoice::Boards, BuiltInPriceBook()));
    EXPECT_FALSE(CompareOptions(kFlat, FloorChoice::Boards, BuiltInPriceBook(), [] { return true; }));
}

TEST(Comparison, DifferenceToTheChosenOptionInYuanAndPerCent)
{
    struct Case {
        std::optional<std::int64_t> option, chosen;
        const char* expected;
    };
    const Case cases[] = {
        {12000, 10000, "+2000 元 (+20.0%)"},
        {9000, 12000, "-3000 元 (-25.0%)"},
        {10000, 10000, "0 元 (+0.0%)"},
        {500, 0, "+500 元"},  // no per cent of nothing
        {std::nullopt, 10000, ""},
        {10000, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const OptionTotal option{c.option, {}}, chosen{c.chosen, {}};
        EXPECT_EQ(DifferenceText(option, chosen), c.expected);
    }
}

}  // namespace
}  // namespace rq
