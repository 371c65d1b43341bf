#include <fstream>
#include <iterator>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "estimate/quick_estimate.h"

namespace rq {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

Text ReadGolden(const char* name)
{
    std::ifstream file(std::string(RENOQUOTE_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return Text(std::istreambuf_iterator<char>(file), {});
}

EstimateInputs Dwelling(std::string_view grade)
{
    return { "3", "2", "1", "1", "1", "100", Text(grade) };
}

std::vector<Text> LinesOf(const Text& text)
{
    std::vector<Text> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != Text::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

TEST(EstimateReport, DefaultComfortDwellingShowsTheCompanysWorkedExample)
{
    const Text golden = ReadGolden("estimate_comfort_default.txt");
    ASSERT_FALSE(golden.empty());
    const EstimateResult result = RunQuickEstimate(Dwelling(kComfortGrade), "");
    EXPECT_TRUE(result.matchedGrade);
    EXPECT_EQ(ResultWindowText(result.report), golden);
}

TEST(EstimateReport, EveryLineBreakIsCarriageReturnLineFeed)
{
    for (std::string_view grade : { kRentalGrade, kEconomyGrade, kComfortGrade, kFineGrade, kLuxuryGrade }) {
        SCOPED_TRACE(grade);
        const Text text = ResultWindowText(RunQuickEstimate(Dwelling(grade), "").report);
        for (std::size_t at = text.find('\n'); at != Text::npos; at = text.find('\n', at + 1))
            ASSERT_TRUE(at > 0 && text[at - 1] == '\r') << "bare line feed at byte " << at;
        EXPECT_THAT(text, ::testing::Not(::testing::EndsWith("\r\n")));
    }
}

TEST(EstimateReport, SummaryNamesTheGradeAndItsNote)
{
    struct Case {
        std::string_view grade;
        const char* header;
        const char* firstPrice;
        const char* noteStart;
    };
    const Case cases[] = {
        { kRentalGrade, "此面积的房子做为出租房装修价格如下：", "客餐厅铺地板半包装修的价格为：9665.84元",
            "注：出租房子的半包装修包括：" },
        { kEconomyGrade, "此面积的房子做为经济型装修价格如下：", "客餐厅铺地板半包装修的价格为：19363.4元",
            "注：经济型装修的半包装修包括：" },
        { kFineGrade, "此面积的房子做为精装修价格如下：", "客餐厅铺地板舒适装修的价格为：34489.5元",
            "注：精  装  修的半包装修包括：" },
        { kLuxuryGrade, "此面积的房子做为豪华型装修价格如下：", "客餐厅铺地板舒适装修的价格为：38835元",
            "注：豪华型装修的半包装修包括：" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grade);
        const std::vector<Text> lines = LinesOf(RunQuickEstimate(Dwelling(c.grade), "").report);
        ASSERT_GT(lines.size(), 15u);
        EXPECT_EQ(lines[0], c.header);
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines[2], c.firstPrice);
        EXPECT_THAT(lines[8], StartsWith(c.noteStart));
        EXPECT_EQ(lines[10], "*水电改造按实际发生量计算！");
        EXPECT_EQ(lines[12], Text(38, '*'));
        EXPECT_EQ(lines[13], "             计算详情");
    }
}

TEST(EstimateReport, WithoutKitchenAndBalconyTheBathroomAreaFollowsTheBanner)
{
    EstimateInputs inputs = Dwelling(kComfortGrade);
    inputs.kitchens = "0";
    inputs.balconies = "0";
    const std::vector<Text> lines = LinesOf(RunQuickEstimate(inputs, "").report);
    ASSERT_GT(lines.size(), 18u);
    EXPECT_EQ(lines[14], Text(38, '*'));
    EXPECT_THAT(lines[15], StartsWith("卫浴面积为："));
    EXPECT_THAT(lines[16], StartsWith("卧室面积为："));
}

TEST(EstimateReport, PricesOfAMillionAndMoreAreWrittenWithAnExponent)
{
    EstimateInputs inputs = Dwelling(kComfortGrade);
    inputs.area = "50000";
    const std::vector<Text> lines = LinesOf(RunQuickEstimate(inputs, "").report);
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[5], "客餐厅铺地板全包装修的价格为：2.63568e+006元");
}

TEST(EstimateReport, ANewGradeReplacesTheWholeReport)
{
    const Text comfort = RunQuickEstimate(Dwelling(kComfortGrade), "").report;
    const EstimateResult fine = RunQuickEstimate(Dwelling(kFineGrade), comfort);
    EXPECT_TRUE(fine.matchedGrade);
    EXPECT_THAT(fine.report, StartsWith("此面积的房子做为精装修价格如下："));
    EXPECT_THAT(fine.report, ::testing::Not(HasSubstr("舒适型")));
    EXPECT_THAT(fine.report, HasSubstr("电视背景墙：1300元"));
}

TEST(EstimateReport, ResultWindowWithoutAnEstimateShowsOnlyTheHint)
{
    const EstimateResult none = RunQuickEstimate(Dwelling("精装修"), "");
    EXPECT_EQ(ResultWindowText(none.report),
        "\r\n\r\n*如差别与心里的太大，请尝试用详细报价。如果您在汀湖，可以QQ客服在线咨询报价以及设计！");
}

TEST(EstimateReport, NothingToReportForARefusedRun)
{
    EstimateInputs inputs = Dwelling(kComfortGrade);
    inputs.area = "";
    EXPECT_EQ(BuildEstimateReport(CalculateQuickEstimate(inputs)), "");
}

} // namespace
} // namespace rq
