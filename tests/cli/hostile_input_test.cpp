// Hostile inputs and environments for renoquote-cli: files that cannot be read, devices
// that never end, NUL bytes, output that cannot be written, grades typed by hand. Every
// case ends with one line on standard error and a status a script can act on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

using namespace std::string_literals;
using testing::CliRun;
using ::testing::HasSubstr;
using testing::RunCli;
using testing::RunProgram;
using testing::Streams;

const std::string kRoom = "客厅\t3200*2800*2920\t800*1500\t实木门\t1\t4\n";
const std::string kRoomsFile = std::string(RENOQUOTE_TEST_DATA_DIR) + "/quote_two_rooms.txt";

struct HostileCase {
    const char* what;
    std::vector<std::string> args;
    Streams streams;
    int status;
    const char* message; // part of the one line on standard error
};

Streams Input(std::string text)
{
    Streams streams;
    streams.input = std::move(text);
    return streams;
}

Streams InputFrom(std::string path)
{
    Streams streams = Input(kRoom);
    streams.inputPath = std::move(path);
    return streams;
}

Streams InputClosed()
{
    Streams streams;
    streams.inputClosed = true;
    return streams;
}

Streams OutputTo(std::string path)
{
    Streams streams = Input(kRoom);
    streams.outputPath = std::move(path);
    return streams;
}

TEST(CliHostileInput, ReadAndWriteFailuresAndEndlessInputEndWithOneLine)
{
    const std::string longLine(2 << 20, 'x');
    const std::string hugeName = "/tmp/renoquote-hostile-" + std::to_string(::getpid()) + ".renoquote";
    std::ofstream(hugeName) << R"({"format": "renoquote-project", "version": 1, ")" << longLine << "\": 0}";
    // A sum row among the items, whatever it holds, is a total no edit ever leaves there.
    const std::string forgedName = "/tmp/renoquote-forged-" + std::to_string(::getpid()) + ".renoquote";
    ASSERT_EQ(RunCli({ "quote", "--save-project", forgedName }, kRoom).status, 0);
    std::string project = testing::ReadFile(forgedName);
    project.replace(project.find(R"("kind": "item")"), 14, R"("kind": "sum")");
    std::ofstream(forgedName) << project;
    const HostileCase cases[] = {
        { "input is a folder", { "quote", "-" }, InputFrom("/tmp"), 1, "无法读取房间文件 标准输入：这是一个文件夹" },
        { "input closed", { "quote" }, InputClosed(), 1, "无法读取房间文件 标准输入" },
        { "edits from a folder", { "quote", "--edits", "-", kRoomsFile }, InputFrom("/tmp"), 1, "无法读取修改文件" },
        { "read error", { "quote", "/proc/self/mem" }, Input(""), 1, "无法读取房间文件 /proc/self/mem：读取出错" },
        { "no such file", { "quote", "/nonexistent/rooms.txt" }, Input(""), 1, "文件不存在" },
        { "a folder", { "quote", "/tmp" }, Input(""), 1, "这是一个文件夹" },
        { "help to a full disk", { "--help" }, OutputTo("/dev/full"), 1, "无法写出结果" },
        { "quote to a full disk", { "quote" }, OutputTo("/dev/full"), 1, "无法写出结果" },
        { "estimate to a full disk", { "estimate" }, OutputTo("/dev/full"), 1, "无法写出结果：磁盘空间不足" },
        { "rooms from /dev/zero", { "quote", "/dev/zero" }, Input(""), 2, "房间文件第1行含有空字符" },
        { "standard input /dev/zero", { "quote", "-" }, InputFrom("/dev/zero"), 2, "房间文件第1行含有空字符" },
        { "edits from /dev/zero", { "quote", "--edits", "/dev/zero" }, Input(kRoom), 2, "修改文件第1行含有空字符" },
        { "NUL inside a size", { "quote" }, Input(kRoom + "客厅\t4500*36\0 00*2800\t0*0\n"s), 2,
            "房间文件第2行含有空字符" },
        { "endless line", { "quote" }, Input(kRoom + longLine), 2, "房间文件第2行超过 1 MiB" },
        // A message quotes a short piece of what was wrong, on one line.
        { "line break in a path", { "quote", "/nonexistent/a\nb.txt" }, Input(""), 1, "/nonexistent/a\\nb.txt：文件不存在" },
        { "long value", { "quote", "--package", std::string(100000, 'x') }, Input(kRoom), 2, "不是 xxxxxxxxxx" },
        { "long name in a project", { "quote", "--project", hugeName }, Input(""), 2, "不认识的项" },
        { "sum among the items", { "quote", "--project", forgedName }, Input(""), 2, "合计不在报价单的最后一行" },
    };
    for (const HostileCase& c : cases) {
        const CliRun run = RunProgram(RENOQUOTE_CLI_PATH, c.args, c.streams);
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.err;
        EXPECT_THAT(run.err, HasSubstr(c.message)) << c.what;
        EXPECT_EQ(std::ranges::count(run.err, '\n'), 1) << c.what << ": " << run.err;
        EXPECT_LT(run.err.size(), 400u) << c.what;
        EXPECT_EQ(run.out, "") << c.what;
    }
    std::remove(hugeName.c_str());
    std::remove(forgedName.c_str());
}

TEST(CliHostileInput, GradesAreTakenAsTypedOrRefusedWithTheFiveNames)
{
    const CliRun fineQuote = RunCli({ "quote", "--grade", "精  装  修" }, kRoom);
    const CliRun fineEstimate = RunCli({ "estimate", "--grade", "精  装  修" });
    ASSERT_EQ(fineQuote.status, 0);
    ASSERT_EQ(fineEstimate.status, 0);
    for (const char* typed : { "精装修", "精 装 修", "精   装   修", " 精装修 ", "精\u3000装\u3000修" }) {
        EXPECT_EQ(RunCli({ "quote", "--grade", typed }, kRoom).out, fineQuote.out) << typed;
        EXPECT_EQ(RunCli({ "estimate", "--grade", typed }).out, fineEstimate.out) << typed;
    }
    for (const char* typed : { "精装", "普通装修", "", "精装修装修" }) {
        for (const char* command : { "quote", "estimate" }) {
            const CliRun run = RunCli({ command, "--grade", typed }, kRoom);
            EXPECT_EQ(run.status, 2) << command << " " << typed;
            EXPECT_EQ(run.out, "") << command << " " << typed;
            EXPECT_THAT(run.err, HasSubstr("出租房装修、经济型装修、舒适型装修、精  装  修、豪华型装修")) << typed;
        }
    }
}

// No sheet with "inf", "nan", a wrapped total or a negative room reaches standard output:
// the quote or the edit is refused, naming the room, the piece or the edit line.
TEST(CliHostileInput, PricesThatCannotBeRealAreRefused)
{
    const std::string typo = "客厅\t4500000*3600000*2800\t1500*1500\t(无)\t0\t4\n";
    const std::string upsideDown = "客厅\t-3200*-2800*-2800\t800*1500\t实木门\t1\t4\n";
    const struct {
        const char* what;
        std::string rooms;
        std::string edits;
        const char* message;
    } cases[] = {
        {"typo room", kRoom + typo, "", "金额超出范围：第2个房间「客厅」"},
        {"negative room", upsideDown, "", "房间文件第1行: 您输入的房子长度不能是负数"},
        {"add past doubles", kRoom, "add\t包水管\t1e308\t1e308\n", "修改文件第1行: 数量和单价太大"},
        {"modify to 1e309", kRoom, "delete\t-1\nmodify\t2\t顶面批腻子\tM2\t1e309\t1\n", "修改文件第2行: 数量太大"},
        {"add past whole yuan", kRoom, "add\t包水管\t1e10\t1\n", "修改文件第1行: 金额超出范围：「包水管」"},
    };
    const std::string editsFile = ::testing::TempDir() + "/renoquote_hostile_edits.txt";
    for (const auto& c : cases) {
        std::vector<std::string> args = {"quote", "--package", "full", "--grade", "精装修"};
        if (!c.edits.empty()) {
            std::ofstream(editsFile, std::ios::binary) << c.edits;
            args.insert(args.end(), {"--edits", editsFile});
        }
        const CliRun run = RunCli(args, c.rooms);
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_EQ(run.out, "") << c.what;
        EXPECT_THAT(run.err, HasSubstr(c.message)) << c.what << ": " << run.err;
    }
    std::remove(editsFile.c_str());
}

} // namespace
} // namespace rq
