// Whatever a script or a user throws at the command line - very long texts, control
// characters, right-to-left text, emoji, absurd sizes, huge room lists - it answers with a
// sheet, a figure or a clear refusal, never a crash or a hang.
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

using ::testing::AnyOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::CliRun;
using testing::RunCli;

const std::string kLong(10000, 'x');
const std::string kLongChinese = [] {
    std::string s;
    for (int i = 0; i < 10000; ++i)
        s += "墙";
    return s;
}();
const std::string kControl = "\x01\x02\x07\x1b[31m\x7f";
const std::string kRightToLeft = "\xE2\x80\xAE" "مطبخ עברית";  // with a right-to-left override
const std::string kEmoji = "🏠🛁👍🏽";

const std::vector<std::string> kNastyTexts = {kLong, kLongChinese, kControl, kRightToLeft, kEmoji, "", " ", "-", "--"};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::string Room(const std::string& type, const std::string& size, const std::string& window = "800*1500")
{
    return type + "\t" + size + "\t" + window + "\t实木门\t1\t4\n";
}

// An answer is a finished run: a result (0), or a message with a file that cannot be read
// (1, a nasty text taken as a file name) or a refusal (2).
void ExpectAnswer(const CliRun& run, const std::string& what)
{
    EXPECT_TRUE(run.status >= 0 && run.status <= 2) << what << ": status " << run.status << "\n"
                                                    << run.err.substr(0, 200);
    if (run.status != 0) {
        EXPECT_FALSE(run.err.empty()) << what;
    }
}

TEST(CliBadInput, EveryQuoteOptionTakesNastyTexts)
{
    const std::string room = Room("客厅", "3200*2800*2920");
    for (const std::string& text : kNastyTexts) {
        for (const char* option : {"--package", "--grade", "--floor", "--encoding", "--edits"})
            ExpectAnswer(RunCli({"quote", option, text}, room), std::string(option) + " with " + text.substr(0, 20));
        ExpectAnswer(RunCli({"quote", text}, room), "rooms file " + text.substr(0, 20));
        ExpectAnswer(RunCli({"quote", "--" + text}, room), "option --" + text.substr(0, 20));
    }
}

TEST(CliBadInput, EveryEstimateOptionTakesNastyTexts)
{
    for (const std::string& text : kNastyTexts) {
        for (const char* option :
             {"--bedrooms", "--living", "--kitchens", "--bathrooms", "--balconies", "--area", "--grade", "--encoding"})
            ExpectAnswer(RunCli({"estimate", option, text}), std::string(option) + " with " + text.substr(0, 20));
    }
}

TEST(CliBadInput, TypedRoomTypesComeBackAsTyped)
{
    for (const std::string& text : {kLongChinese, kControl, kRightToLeft, kEmoji}) {
        const CliRun run = RunCli({"quote"}, Room(text, "3200*2800*2920"));
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = Lines(run.out);
        ASSERT_GE(lines.size(), 2u);
        // A room type the company does not price keeps only its header row.
        EXPECT_EQ(lines[1], "\t" + text + "\t\t\t\t");
    }
}

// Checked rooms give a sheet without a negative, infinite or wrapped figure, or a refusal;
// unchecked rooms (as "修改" stores them) give a sheet of whatever they say, or a refusal.
TEST(CliBadInput, AbsurdDimensionsGiveASoundSheetOrARefusal)
{
    const char* sizes[] = {"99999999999*99999999999*99999999999", "-3200*2800*2920", "1e308*1e308*1e308",
                           "nan*inf*-0", "4294967296*4294967296*4294967296", "2147483647*2147483647*2147483647",
                           "3200*2800*2920"};
    for (const char* size : sizes) {
        for (const char* package : {"half", "full"}) {
            for (const bool unchecked : {false, true}) {
                const std::string rooms = Room("客厅", size, unchecked ? "99999999999*99999999999" : "800*1500")
                    + Room("厨房", size, unchecked ? "nan*-inf" : "0*0") + Room("卫生间", size)
                    + Room("卧室", size, unchecked ? "1e308*1e308" : "99000*99000");
                std::vector<std::string> args = {"quote", "--package", package, "--floor", "tiles"};
                if (unchecked)
                    args.push_back("--unchecked");
                const CliRun run = RunCli(args, rooms);
                const std::string what = std::string(size) + (unchecked ? " unchecked" : "");
                ExpectAnswer(run, what);
                if (run.status != 0)
                    continue;
                for (const std::string& line : Lines(run.out)) {
                    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 5) << what << ": " << line;
                    EXPECT_THAT(line, Not(AnyOf(HasSubstr("inf"), HasSubstr("nan")))) << what;
                    if (!unchecked) {
                        EXPECT_THAT(line, Not(HasSubstr("\t-"))) << what << ": nothing negative";
                    }
                }
                EXPECT_THAT(run.out, HasSubstr(std::string(package) == "full" ? "全包总价格" : "工程总造价"));
            }
        }
    }
}

TEST(CliBadInput, AHundredThousandRoomsAreQuoted)
{
    std::string rooms;
    const char* types[] = {"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台"};
    for (int i = 0; i < 100000; ++i)
        rooms += Room(types[i % 7], "3200*2800*2920");
    const CliRun run = RunCli({"quote", "--package", "full", "--grade", "豪华型装修"}, rooms);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    EXPECT_GT(lines.size(), 1000000u);
    EXPECT_THAT(lines.back(), HasSubstr("全包总价格"));
}

TEST(CliBadInput, CrowdedOrEnormousDwellingsGetARefusalOrAFigure)
{
    const std::vector<std::string> tenOfEach = {"--bedrooms", "10", "--living",    "10", "--kitchens", "10",
                                                "--bathrooms", "10", "--balconies", "10"};
    std::vector<std::string> small = tenOfEach;
    small.insert(small.begin(), "estimate");
    small.insert(small.end(), {"--area", "30"});
    const CliRun crowded = RunCli(small);
    EXPECT_EQ(crowded.status, 2);
    EXPECT_THAT(crowded.err, HasSubstr("实际面积太小"));

    const CliRun enormous = RunCli({"estimate", "--area", "1e30"});
    ExpectAnswer(enormous, "area 1e30");
    if (enormous.status == 0) {
        EXPECT_THAT(enormous.out, HasSubstr("元"));
    }
}

}  // namespace
}  // namespace rq
