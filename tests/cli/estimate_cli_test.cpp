// Runs the built renoquote-cli estimate and checks its bytes and exit status.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "convert/encoding.h"
#include "tests/cli/cli_runner.h"

namespace {

using ::testing::HasSubstr;

using rq::testing::CliRun;

CliRun RunEstimate(std::vector<std::string> args)
{
    args.insert(args.begin(), "estimate");
    return rq::testing::RunCli(std::move(args));
}

std::string Golden()
{
    return rq::testing::ReadFile(std::string(RENOQUOTE_TEST_DATA_DIR) + "/estimate_comfort_default.txt");
}

TEST(EstimateCli, DefaultsPrintTheWorkedExampleByteForByte)
{
    const std::string golden = Golden();
    ASSERT_FALSE(golden.empty());
    for (const std::vector<std::string>& args : { std::vector<std::string> {},
             { "--bedrooms", "3", "--living", "2", "--kitchens", "1", "--bathrooms", "1", "--balconies", "1", "--area",
                 "100", "--grade", "舒适型装修", "--encoding", "utf-8" },
             { "--area=１００", "--bedrooms=3.5" } }) {
        const CliRun run = RunEstimate(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, golden);
        EXPECT_EQ(run.err, "");
    }
}

TEST(EstimateCli, GbkOutputIsTheSameTextInGbk)
{
    const CliRun run = RunEstimate({ "--encoding", "gbk" });
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(rq::IsValidUtf8(run.out));
    EXPECT_EQ(rq::GbkToUtf8(run.out), Golden());
}

TEST(EstimateCli, RefusalsGoToStandardErrorWithStatusTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        { { "--bedrooms", "-1" }, "房间数量不能为负数！" },
        { { "--balconies=-3", "--bedrooms=0", "--living=0" }, "房间数量不能为负数！" },
        { { "--bedrooms", "0", "--living", "" }, "室和厅的数量不能都为0！" },
        { { "--bedrooms", "10", "--living", "10", "--kitchens", "10", "--bathrooms", "10", "--balconies", "10",
              "--area", "30" },
            "实际面积太小，请检查面积和房间数量！" },
        { { "--area", "abc" }, "实际面积太小，请检查面积和房间数量！" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const CliRun run = RunEstimate(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(c.message) + "\n");
    }
}

TEST(EstimateCli, BadUsageIsOneLineAndStatusTwo)
{
    for (const std::vector<std::string>& args :
        { std::vector<std::string> { "--rooms", "3" }, { "--area" }, { "--encoding", "latin1" }, { "3" } }) {
        const CliRun run = RunEstimate(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

TEST(EstimateCli, HelpExplainsEveryOption)
{
    const CliRun run = RunEstimate({ "--help" });
    EXPECT_EQ(run.status, 0);
    for (const char* option :
        { "--bedrooms", "--living", "--kitchens", "--bathrooms", "--balconies", "--area", "--grade", "--encoding" })
        EXPECT_THAT(run.out, HasSubstr(option));
}

} // namespace
