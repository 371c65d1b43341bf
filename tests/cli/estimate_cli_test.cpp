// Runs the built renoquote-cli estimate and checks its bytes and exit status.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "convert/encoding.h"

extern char** environ;

namespace {

using ::testing::HasSubstr;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Arguments go straight to the program, no shell in between, so blanks and Chinese
// grade names arrive exactly as given.
CliRun RunEstimate(std::vector<std::string> args)
{
    args.insert(args.begin(), { RENOQUOTE_CLI_PATH, "estimate" });
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    char outPath[] = "/tmp/renoquote_estimate_outXXXXXX";
    char errPath[] = "/tmp/renoquote_estimate_errXXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    run.out = Slurp(outPath);
    run.err = Slurp(errPath);
    std::remove(outPath);
    std::remove(errPath);
    return run;
}

const std::string kHintAlone
    = "\r\n\r\n*如差别与心里的太大，请尝试用详细报价。如果您在汀湖，可以QQ客服在线咨询报价以及设计！";

std::string Golden()
{
    return Slurp(std::string(RENOQUOTE_TEST_DATA_DIR) + "/estimate_comfort_default.txt");
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

TEST(EstimateCli, UnknownGradeShowsOnlyTheClosingHint)
{
    for (const char* grade : { "精装修", "", "普通装修" }) {
        const CliRun run = RunEstimate({ "--grade", grade });
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, kHintAlone);
    }
}

TEST(EstimateCli, FineGradeNeedsItsBlanks)
{
    const CliRun run = RunEstimate({ "--grade", "精  装  修" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("客餐厅铺地板舒适装修的价格为：34489.5元\r\n"));
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
