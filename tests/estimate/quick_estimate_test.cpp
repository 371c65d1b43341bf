#include "estimate/quick_estimate.h"

#include <algorithm>
#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rq {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using ::testing::StartsWith;

EstimateInputs Dwelling(std::string_view grade)
{
    return { "3", "2", "1", "1", "1", "100", Text(grade) };
}

bool HasLineStarting(const std::vector<Text>& lines, std::string_view label)
{
    return std::any_of(lines.begin(), lines.end(), [&](const Text& line) { return line.starts_with(label); });
}

struct GradeFigures {
    std::string_view grade;
    const char* halfFloor;
    const char* halfTile;
    const char* fullFloor;
    const char* fullTile;
};

class FiguresOfEachGrade : public ::testing::TestWithParam<GradeFigures> { };

TEST_P(FiguresOfEachGrade, DefaultDwellingPricesAsTheCompanyQuotes)
{
    const GradeFigures& expected = GetParam();
    const EstimateCalculation calc = CalculateQuickEstimate(Dwelling(expected.grade));
    ASSERT_FALSE(calc.refusal);
    ASSERT_TRUE(calc.grade);
    EXPECT_EQ(SingleToText(calc.figures.halfFloor), expected.halfFloor);
    EXPECT_EQ(SingleToText(calc.figures.halfTile), expected.halfTile);
    EXPECT_EQ(SingleToText(calc.figures.fullFloor), expected.fullFloor);
    EXPECT_EQ(SingleToText(calc.figures.fullTile), expected.fullTile);
}

INSTANTIATE_TEST_SUITE_P(Grades, FiguresOfEachGrade,
    ::testing::Values(GradeFigures { kRentalGrade, "9665.84", "10232.8", "17753.4", "18126" },
        GradeFigures { kEconomyGrade, "19363.4", "19930.4", "32660.4", "34465.4" },
        GradeFigures { kComfortGrade, "28169.7", "28736.7", "48984.7", "49383.7" },
        GradeFigures { kFineGrade, "34489.5", "35056.5", "61150.5", "61089.5" },
        GradeFigures { kLuxuryGrade, "38835", "39402", "73646", "74473" }));

TEST(QuickEstimate, DefaultDwellingAreasShowEachKindOfRoom)
{
    const EstimateCalculation calc = CalculateQuickEstimate(Dwelling(kComfortGrade));
    EXPECT_THAT(calc.areaLines,
        ElementsAre("厨房面积为：5平方米", "卫浴面积为：7平方米", "阳台面积为：7平方米", "卧室面积为：48.6平方米",
            "客餐厅面积为：32.4平方米"));
}

TEST(QuickEstimate, WithoutLivingRoomsNothingIsPricedForThem)
{
    for (std::string_view grade : { kRentalGrade, kEconomyGrade, kComfortGrade, kFineGrade, kLuxuryGrade }) {
        SCOPED_TRACE(grade);
        EstimateInputs inputs = Dwelling(grade);
        inputs.livingRooms = "0";
        const EstimateCalculation calc = CalculateQuickEstimate(inputs);
        ASSERT_TRUE(calc.grade);
        EXPECT_FALSE(HasLineStarting(calc.areaLines, "客餐厅面积为："));
        for (std::string_view label : { "客厅乳胶漆：", "算客厅乳胶漆：", "电视背景墙：", "鞋柜:", "玄关制作:" })
            EXPECT_FALSE(HasLineStarting(calc.itemLines, label)) << label;
        EXPECT_EQ(calc.figures.halfTile, calc.figures.halfFloor);
        EXPECT_EQ(calc.closingLines[0], "客餐厅铺砖半包：0元");
        EXPECT_EQ(calc.closingLines[1], "客餐厅铺地板全包：0元");
    }
}

TEST(QuickEstimate, WithoutLivingRoomsTheTiledFullPackageKeepsOnlyTheRooms)
{
    EstimateInputs inputs = Dwelling(kComfortGrade);
    inputs.livingRooms = "0";
    const EstimateCalculation calc = CalculateQuickEstimate(inputs);
    // One kitchen and one bathroom of main materials and 5 rooms of hardware, no floor tiles.
    EXPECT_EQ(calc.closingLines[2], "客餐厅铺砖全包的五金、厨房、地砖、卫生间：14000元");
    EXPECT_EQ(calc.areaLines.back(), "卧室面积为：81平方米");
}

TEST(QuickEstimate, WithoutBedroomsTheSlidingDoorLinesStayAtZero)
{
    for (std::string_view grade : { kComfortGrade, kFineGrade, kLuxuryGrade }) {
        SCOPED_TRACE(grade);
        EstimateInputs inputs = Dwelling(grade);
        inputs.bedrooms = "0";
        const EstimateCalculation calc = CalculateQuickEstimate(inputs);
        ASSERT_TRUE(calc.grade);
        EXPECT_THAT(calc.areaLines, Contains("卧室面积为：0平方米"));
        EXPECT_FALSE(HasLineStarting(calc.itemLines, "卧室乳胶漆："));
        EXPECT_FALSE(HasLineStarting(calc.itemLines, "衣柜："));
        const auto slidingDoors = std::count_if(calc.itemLines.begin(), calc.itemLines.end(),
            [](const Text& line) { return line == "衣柜移门：0元" || line == " 衣柜移门：0元"; });
        EXPECT_EQ(slidingDoors, 2);
    }
}

TEST(QuickEstimate, WithoutBalconiesOnlyTheTilingLineRemains)
{
    EstimateInputs inputs = Dwelling(kComfortGrade);
    inputs.balconies = "0";
    const EstimateCalculation calc = CalculateQuickEstimate(inputs);
    EXPECT_FALSE(HasLineStarting(calc.areaLines, "阳台面积为："));
    EXPECT_THAT(calc.itemLines, Contains("阳台铺砖：0元"));
    EXPECT_FALSE(HasLineStarting(calc.itemLines, "封阳台："));
}

TEST(QuickEstimate, TwoKitchensCountTheirAreaTwiceAndBoxFourSides)
{
    EstimateInputs inputs = Dwelling(kComfortGrade);
    inputs.kitchens = "2";
    const EstimateCalculation calc = CalculateQuickEstimate(inputs);
    EXPECT_EQ(calc.areaLines.front(), "厨房面积为：20平方米");
    EXPECT_THAT(calc.itemLines, Contains("厨房卫生间包水管：570元"));
    // The kitchen tiles are priced on the stored area of 10 m², not on the shown 20.
    EXPECT_EQ(calc.itemLines.front(), "厨房瓷砖铺贴费用：1022元");
}

TEST(QuickEstimate, TextsAreReadAsTypedIntoTheBoxes)
{
    struct Case {
        Text EstimateInputs::*field;
        const char* typed;
        const char* sameAs;
    };
    const Case cases[] = {
        { &EstimateInputs::kitchens, "", "0" }, { &EstimateInputs::kitchens, "abc", "0" },
        { &EstimateInputs::bedrooms, "３", "3" }, { &EstimateInputs::bedrooms, "3.9", "3" },
        { &EstimateInputs::bedrooms, " 3间", "3" }, { &EstimateInputs::balconies, "-0.5", "0" },
        { &EstimateInputs::area, "１００", "100" }, { &EstimateInputs::area, "1e2", "100" },
        { &EstimateInputs::area, "100.00000001", "100" }, // the area is held in single precision
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EstimateInputs typed = Dwelling(kEconomyGrade);
        EstimateInputs plain = typed;
        typed.*(c.field) = c.typed;
        plain.*(c.field) = c.sameAs;
        EXPECT_EQ(RunQuickEstimate(typed, "").report, RunQuickEstimate(plain, "").report);
    }
}

TEST(QuickEstimate, GradeMustMatchExactly)
{
    for (const char* grade : { "精装修", "舒适型装修 ", " 豪华型装修", "", "舒适型" }) {
        SCOPED_TRACE(grade);
        EstimateInputs inputs = Dwelling(grade);
        const EstimateCalculation calc = CalculateQuickEstimate(inputs);
        EXPECT_FALSE(calc.refusal);
        EXPECT_FALSE(calc.grade);
        const EstimateResult result = RunQuickEstimate(inputs, "上一次的报价");
        EXPECT_FALSE(result.matchedGrade);
        EXPECT_EQ(result.report, "上一次的报价");
    }
}

TEST(QuickEstimate, RefusesWhatCannotBePricedInOrder)
{
    struct Case {
        EstimateInputs inputs;
        std::string_view refusal;
    };
    const Case cases[] = {
        { { "-1", "2", "1", "1", "1", "100", "舒适型装修" }, kNegativeRoomCount },
        { { "3", "2", "1", "1", "－１", "100", "舒适型装修" }, kNegativeRoomCount },
        // a negative count is named first even when the rest is wrong too
        { { "0", "-2", "1", "1", "1", "-5", "舒适型装修" }, kNegativeRoomCount },
        { { "0", "0", "1", "1", "1", "100", "舒适型装修" }, kNoBedroomOrLivingRoom },
        { { "", "", "1", "1", "1", "", "舒适型装修" }, kNoBedroomOrLivingRoom },
        { { "0", "0", "1", "1", "1", "100", "没有这种装修" }, kNoBedroomOrLivingRoom },
        { { "10", "10", "10", "10", "10", "30", "舒适型装修" }, kAreaTooSmall },
        { { "3", "2", "1", "1", "1", "", "舒适型装修" }, kAreaTooSmall },
        { { "3", "2", "0", "0", "0", "0", "舒适型装修" }, kAreaTooSmall },
        { { "3", "2", "0", "0", "0", "-100", "舒适型装修" }, kAreaTooSmall },
        { { "3", "2", "1", "1", "1", "-100", "舒适型装修" }, kAreaTooSmall },
        { { "3", "2", "1", "1", "1", "3e38", "豪华型装修" }, kEstimateOutOfRange },
        { { "2000000000", "1", "1", "1", "1", "100", "出租房装修" }, kEstimateOutOfRange },
        // past the largest single or beyond a count box: too large, never too small or wrapped
        { { "3", "2", "1", "1", "1", "1e39", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "1", "1", "1", "3.5e38", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "1", "1", "1", "1e309", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "1", "1", "1", " Inf ", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "1", "1", "1", "＋ＩＮＦＩＮＩＴＹ", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "1", "1", "1", "-inf", "舒适型装修" }, kAreaTooSmall },
        { { "3", "2", "1", "1", "1", std::string(10000, '9'), "舒适型装修" }, kEstimateOutOfRange },
        { { "2147483648", "2", "1", "1", "1", "100", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "4294967297", "1", "1", "1", "100", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "1", "1", "1e309", "100", "舒适型装修" }, kEstimateOutOfRange },
        { { "3", "2", "-2147483649", "1", "1", "100", "舒适型装修" }, kNegativeRoomCount },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inputs.bedrooms + " " + c.inputs.livingRooms + " " + c.inputs.area);
        const EstimateCalculation calc = CalculateQuickEstimate(c.inputs);
        ASSERT_TRUE(calc.refusal);
        EXPECT_EQ(*calc.refusal, c.refusal);
        EXPECT_TRUE(calc.itemLines.empty());
        EXPECT_TRUE(calc.areaLines.empty());
        const EstimateResult result = RunQuickEstimate(c.inputs, "上一次的报价");
        EXPECT_EQ(result.refusal, calc.refusal);
        EXPECT_EQ(result.report, "上一次的报价");
        EXPECT_FALSE(result.matchedGrade);
    }
}

TEST(QuickEstimate, HugeButFiniteInputsGiveFiniteFigures)
{
    const EstimateInputs cases[] = {
        { "3", "2", "1", "1", "1", "1e30", "舒适型装修" },
        { "2147483647", "2147483647", "2147483647", "2147483647", "2147483647", "1e38", "精  装  修" },
        { "10", "10", "10", "10", "10", "5000", "豪华型装修" },
    };
    for (const EstimateInputs& inputs : cases) {
        SCOPED_TRACE(inputs.area);
        const EstimateCalculation calc = CalculateQuickEstimate(inputs);
        ASSERT_FALSE(calc.refusal);
        for (float figure :
            { calc.figures.halfFloor, calc.figures.halfTile, calc.figures.fullFloor, calc.figures.fullTile })
            EXPECT_TRUE(std::isfinite(figure) && figure > 0);
        for (const Text& line : calc.itemLines)
            EXPECT_THAT(line, Not(testing::HasSubstr("inf"))) << line;
    }
}

// Sums the company quotes as exact whole amounts keep every digit; computed amounts
// show six. The difference only shows from a million yuan up.
TEST(QuickEstimate, WholeAmountsKeepTheirDigitsByGrade)
{
    struct Case {
        std::string_view grade;
        EstimateInputs inputs;
        const char* line;
    };
    const EstimateInputs manyBedrooms { "30000", "1", "0", "0", "0", "100", "" };
    const EstimateInputs manyKitchens { "1", "1", "4000", "0", "0", "1e8", "" };
    const Case cases[] = {
        { kEconomyGrade, manyBedrooms, "算门槛石：1.05e+006元" },
        { kComfortGrade, manyBedrooms, "算门槛石：1050000元" },
        { kEconomyGrade, manyBedrooms, "衣柜：75000000元" },
        { kComfortGrade, manyBedrooms, "衣柜移门：12000000元" },
        { kComfortGrade, manyBedrooms, " 衣柜移门：12000000元" },
        { kFineGrade, manyBedrooms, "衣柜移门：12000000元" },
        { kLuxuryGrade, manyBedrooms, "衣柜移门：1.2e+007元" },
        { kEconomyGrade, manyBedrooms, "算门槛石：2250000元" },
        { kRentalGrade, manyBedrooms, "算门：1.44e+007元" },
        { kRentalGrade, manyBedrooms, "算灯：2400080元" },
        { kComfortGrade, manyKitchens, "厨房卫生间包水管：1.14e+006元" },
        { kLuxuryGrade, manyKitchens, "厨房卫生间包水管：1140000元" },
        { kLuxuryGrade, manyKitchens, "算厨房主材：48000000元" },
        { kRentalGrade, manyKitchens, "五金：600300元" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EstimateInputs inputs = c.inputs;
        inputs.grade = c.grade;
        const EstimateCalculation calc = CalculateQuickEstimate(inputs);
        ASSERT_FALSE(calc.refusal);
        EXPECT_THAT(calc.itemLines, Contains(c.line));
    }
}

TEST(QuickEstimate, EveryGradeWritesItsLinesInItsOwnOrder)
{
    struct Case {
        std::string_view grade;
        std::vector<const char*> fullPackage; // labels after the management fee
    };
    const Case cases[] = {
        { kRentalGrade, { "卫生间主材：", "厨房主材：", "算灯：", "五金：" } },
        { kEconomyGrade, { "算卫生间主材：", "算厨房主材：", "算灯：", "算门槛石：", "五金：" } },
        { kComfortGrade,
            { "算卫生间主材：", "算厨房主材：", "算灯：", "算门槛石：", "衣柜移门：", "五金：", " 衣柜移门：" } },
        { kFineGrade,
            { "算卫生间主材：", "算厨房主材：", "衣柜移门：", "算灯：", "算门槛石：", "五金：", "衣柜移门：" } },
        { kLuxuryGrade,
            { "算卫生间主材：", "算厨房主材：", "衣柜移门：", "算灯：", "算门槛石：", "五金：", "衣柜移门：" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grade);
        const EstimateCalculation calc = CalculateQuickEstimate(Dwelling(c.grade));
        const auto fee = std::find_if(calc.itemLines.begin(), calc.itemLines.end(),
            [](const Text& line) { return line.starts_with("工程管理费："); });
        ASSERT_NE(fee, calc.itemLines.end());
        ASSERT_EQ(static_cast<std::size_t>(calc.itemLines.end() - fee - 1), c.fullPackage.size());
        for (std::size_t i = 0; i < c.fullPackage.size(); ++i)
            EXPECT_THAT(*(fee + 1 + static_cast<std::ptrdiff_t>(i)), StartsWith(c.fullPackage[i])) << i;
    }
}

} // namespace
} // namespace rq
