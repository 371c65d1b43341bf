// Runs the built renoquote-cli quote as a script would, and checks what comes out on
// standard output, standard error and in the exit status.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "convert/encoding.h"
#include "quote/engine.h"
#include "sheet/sheet_edits.h"
#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

namespace fs = std::filesystem;

const std::string kDataDir = RENOQUOTE_TEST_DATA_DIR;
const std::string kRooms = kDataDir + "/quote_two_rooms.txt";
const std::string kExpectedHalf = kDataDir + "/quote_two_rooms_half.tsv";
const std::vector<std::string> kEconomyTiles = {"--grade", "经济型装修", "--floor", "tiles"};

using rq::testing::ReadFile;

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

using rq::testing::CliRun;
using ::testing::HasSubstr;

class QuoteCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("renoquote_quote_cli_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path File(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_dir / name;
        WriteFile(path, bytes);
        return path;
    }

    CliRun Quote(std::vector<std::string> args, const std::string& input = {})
    {
        args.insert(args.begin(), "quote");
        return rq::testing::RunCli(std::move(args), input);
    }

    fs::path m_dir;
};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(QuoteCli, TwoRoomHalfPackageComesOutToTheByte)
{
    const std::string expected = ReadFile(kExpectedHalf);
    ASSERT_FALSE(expected.empty());
    const std::string rooms = ReadFile(kRooms);
    std::string crlf;
    for (const char c : rooms)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    struct Source {
        const char* what;
        std::vector<std::string> args;
        std::string input;
    };
    const Source sources[] = {
        {"file", With(kEconomyTiles, {kRooms}), ""},
        {"dash", With(kEconomyTiles, {"-"}), rooms},
        {"standard input", kEconomyTiles, rooms},
        {"empty lines between", kEconomyTiles, "\n" + rooms + "\n\n"},
        {"windows line ends", kEconomyTiles, crlf},
        {"byte order mark", kEconomyTiles, "\xEF\xBB\xBF" + crlf},
        {"values after =", {"--grade=经济型装修", "--floor=tiles", "--package=half", kRooms}, ""},
    };
    for (const Source& source : sources) {
        const CliRun run = Quote(source.args, source.input);
        EXPECT_EQ(run.status, 0) << source.what;
        EXPECT_EQ(run.err, "") << source.what;
        EXPECT_EQ(run.out, expected) << source.what;
    }
}

TEST_F(QuoteCli, GbkOutputIsTheSameSheet)
{
    const CliRun run = Quote(With(kEconomyTiles, {"--encoding", "gbk", kRooms}));
    ASSERT_EQ(run.status, 0);
    const std::string expected = ReadFile(kExpectedHalf);
    EXPECT_EQ(run.out, Utf8ToGbk(expected));
    EXPECT_NE(run.out, expected);
    EXPECT_EQ(GbkToUtf8(run.out), expected);
}

struct Refusal {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    std::string message;  // part of the one message on standard error
};

TEST_F(QuoteCli, RefusalsExitWithTwoAndNoSheet)
{
    const std::string badEdits = File("bad_edits", "delete\t1\nfrob\t2\n").string();
    const std::string badRow = File("bad_row", "delete\tlast\n").string();
    const std::string longEdit = File("long_edit", "add\t清水漆\t10\t44.5\t多余\n").string();
    const std::string room = "客厅\t3200*2800*2920\t800*1500\t实木门\t1\t4\n";
    const Refusal refusals[] = {
        {"room size", {}, room + "卧室\t3200*2800\t800*1500\t实木门\t1\t4\n",
         "第2行: 您输入的房子内容格式不正确\r\n正确格式为   长*宽*高"},
        {"window", {}, room + room + "书房\t3200*2800*2920\t800\n", "第3行: 您输入的窗子内容格式不正确\r\n正确格式为   长*高"},
        {"room size comes first", {}, "客厅\t1\t2\n", "第1行: 您输入的房子内容格式不正确"},
        {"missing fields", {}, "客厅\n", "您输入的房子内容格式不正确"},
        {"too many fields", {}, room.substr(0, room.size() - 1) + "\t多余\n", "第1行"},
        {"no rooms", {}, "", "至少要添加1房间！"},
        {"only empty lines", {}, "\n\r\n\n", "至少要添加1房间！"},
        {"not UTF-8", {}, room + room + "客厅\t\xb3\xa4*1*1\t1*1\n", "第3行不是有效的 UTF-8"},
        {"not UTF-8 below a wrong room", {}, "客厅\t1\n\n客厅\t\xb3\n", "第3行不是有效的 UTF-8"},
        {"unknown option", {"--pakage", "full"}, room, "--pakage"},
        {"missing value", {"--grade"}, room, "--grade"},
        {"package", {"--package", "both"}, room, "both"},
        {"floor", {"--floor", "wood"}, room, "wood"},
        {"encoding", {"--encoding", "latin1"}, room, "latin1"},
        {"two room files", {kRooms, kRooms}, "", kRooms},
        {"edit verb", {"--edits", badEdits}, room, "第2行"},
        {"edit row", {"--edits", badRow}, room, "last"},
        {"edit too long", {"--edits", longEdit}, room, "第1行"},
        {"both from standard input", {"--edits", "-"}, room, "标准输入"},
    };
    for (const Refusal& refusal : refusals) {
        const CliRun run = Quote(refusal.args, refusal.input);
        EXPECT_EQ(run.status, 2) << refusal.what;
        EXPECT_EQ(run.out, "") << refusal.what;
        EXPECT_NE(run.err.find(refusal.message), std::string::npos) << refusal.what << ": " << run.err;
        // One message: one line, or the two lines of the room check's message box.
        const auto lineEnds = std::ranges::count(run.err, '\n');
        EXPECT_EQ(lineEnds, run.err.find('\r') == std::string::npos ? 1 : 2) << refusal.what;
    }
}

TEST_F(QuoteCli, UncheckedTakesRoomsAsTheyStand)
{
    const std::string room = "客厅\t3200*2800\t800\t实木门\t1\t4\n";
    EXPECT_EQ(Quote({}, room).status, 2);
    const CliRun run = Quote({"--unchecked"}, room);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[1], "\t客厅\t\t\t\t");
    EXPECT_EQ(lines[2], "1\t顶面批腻子\tM2\t8.96\t13\t116.48");
    EXPECT_TRUE(lines.back().starts_with("\t工程总造价\t")) << lines.back();
}

// A script cannot be asked: rooms in metres are quoted as given, with a line each on
// standard error naming the line of the rooms file.
TEST_F(QuoteCli, RoomsInMetresAreQuotedAsGivenWithOneWarningEach)
{
    const std::string rooms = "客厅\t4.5*3.6*2.8\t1.5*1.5\t实木门\t1\t4\n"
                              "卧室\t4000*3500*2800\t800*1500\t实木门\t1\t4\n"
                              "\n"
                              "书房\t3*3*2.8\t800*1500\t实木门\t1\t4\n";
    const CliRun run = Quote({}, rooms);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> warnings = Lines(run.err);
    ASSERT_EQ(warnings.size(), 2U) << run.err;
    EXPECT_THAT(warnings[0], HasSubstr("房间文件第1行"));
    EXPECT_THAT(warnings[0], HasSubstr("4500*3600*2800"));
    EXPECT_THAT(warnings[0], HasSubstr("1500*1500"));
    EXPECT_THAT(warnings[1], HasSubstr("房间文件第4行"));
    EXPECT_EQ(Lines(run.out)[2], "1\t顶面批腻子\tM2\t1.2e-005\t13\t0.000156") << "priced as typed";
}

TEST_F(QuoteCli, EditsApplyInOrder)
{
    const fs::path edits =
        File("edits", "modify\t4\t地砖铺贴\tM2\t8.96\t58\n\ndelete\t-1\nadd\t清水漆\t10\t44.5\ndelete\t99\n");
    const CliRun run = Quote(With(kEconomyTiles, {"--edits", edits.string(), kRooms}));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 25U);  // headings, 21 rows, the added row and its two blank rows
    EXPECT_EQ(lines[5], "4\t地砖铺贴\tM2\t8.96\t58\t519.68");
    EXPECT_EQ(lines[16], "\t\t\t\t\t");
    EXPECT_EQ(lines[17], "-\t清水漆\t增\t10\t44.5\t445");
    // Items 4570 + 445 = 5015; fees 100.3, 50.15 and 401.2, each total truncated.
    EXPECT_EQ(lines[20], "\t材料搬运费\t户\t1\t2%\t100.3");
    EXPECT_EQ(lines[24], "\t工程总造价\t\t\t\t5566");
}

TEST_F(QuoteCli, FullPackageEditsMatchTheCoreOperations)
{
    const std::string rooms =
        "厨房\t3200*2800*2800\t800*1500\t推拉门\t1\t4\n卫生间\t2000*1800*2800\t600*1500\t塑钢门\t1\t4\n"
        "客厅\t4500*3600*2800\t1500*1500\t(无)\t0\t4\n阳台\t3000*1200*2800\t0*0\t(无)\t0\t1\n";
    const std::string editText = "add\t铲墙面\t20\t8\nmodify\t3\t顶面批腻子\tM2\t10\t13\ndelete\t5\n";
    const fs::path edits = File("edits", editText);
    const CliRun run = Quote({"--package", "full", "--grade", "精  装  修", "--edits", edits.string()}, rooms);
    ASSERT_EQ(run.status, 0) << run.err;

    std::vector<RoomRecord> records;
    for (const std::string& line : Lines(rooms)) {
        RoomRecord room;
        std::istringstream fields(line);
        for (std::string& cell : room.cells)
            std::getline(fields, cell, '\t');
        records.push_back(room);
    }
    DetailedQuote quote = BuildDetailedQuote(records, "精  装  修", FloorChoice::Boards, kFullPackage);
    ASSERT_EQ(quote.caption, kFullPackageCaption);
    AddItem(quote.sheet, quote.caption, {"铲墙面", "20", "8"});
    ModifyRow(quote.sheet, quote.caption, 3, {"顶面批腻子", "M2", "10", "13"});
    DeleteRow(quote.sheet, quote.caption, 5);

    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(quote.sheet.RowCount()) + 1);
    EXPECT_EQ(lines[0], "序号\t项目名称\t单位\t数量\t单价\t总计");
    for (int row = 0; row < quote.sheet.RowCount(); ++row) {
        const QuoteRow& cells = quote.sheet.row(row);
        std::string expected = cells[0];
        for (std::size_t column = 1; column < cells.size(); ++column)
            expected += "\t" + cells[column];
        EXPECT_EQ(lines[static_cast<std::size_t>(row) + 1], expected) << "row " << row;
    }
    EXPECT_EQ(lines[lines.size() - 2], "\t\t\t\t\t");
    EXPECT_TRUE(lines.back().starts_with("\t全包总价格\t")) << lines.back();
}

// The sequences that once counted the old fees and totals again: after any of these edits
// of the foot, an added item gives the sheet that adding it alone gives.
TEST_F(QuoteCli, EditsOfTheFootThenAnAddCountEveryRowOnce)
{
    const std::string add = "add\t清水漆\t10\t44.5\n";
    const struct {
        const char* package;
        const char* edits;
    } cases[] = {
        {"half", "modify\t15\t其它的\t\t\t\n"},
        {"half", "delete\t15\n"},
        {"half", "delete\t20\n"},
        {"full", "delete\t38\n"},  // 全包总价格
        {"full", "delete\t37\n"},  // the blank row above it
    };
    for (const auto& c : cases) {
        const std::vector<std::string> args = With(kEconomyTiles, {"--package", c.package, kRooms, "--edits"});
        const CliRun addedOnly = Quote(With(args, {File("add", add).string()}));
        const CliRun edited = Quote(With(args, {File("edits", c.edits + add).string()}));
        ASSERT_EQ(edited.status, 0) << edited.err;
        EXPECT_EQ(edited.out, addedOnly.out) << c.package << " " << c.edits;
    }
    const CliRun full = Quote(With(kEconomyTiles, {"--package", "full", kRooms}));
    ASSERT_EQ(Lines(full.out).size(), 40U);  // headings and 39 rows: 全包总价格 is row 38
    EXPECT_TRUE(Lines(full.out).back().starts_with("\t全包总价格\t"));
}

// "undo" after "add" gives the sheet without the add, byte for byte; "redo" the sheet with
// it; an undo or redo with nothing to act on is refused, as a script that asks for one went wrong.
TEST_F(QuoteCli, UndoAndRedoLinesActAsTheWindowsKeys)
{
    const std::vector<std::string> args = With(kEconomyTiles, {kRooms, "--edits"});
    const CliRun plain = Quote(With(kEconomyTiles, {kRooms}));
    const CliRun added = Quote(With(args, {File("edits", "add\t清水漆\t10\t44.5\n").string()}));
    const struct {
        const char* edits;
        const CliRun* same;
    } cases[] = {
        {"add\t清水漆\t10\t44.5\nundo\n", &plain},
        {"add\t清水漆\t10\t44.5\nundo\nredo\n", &added},
        {"delete\t4\nadd\t清水漆\t10\t44.5\nundo\nundo\n", &plain},
        {"delete\t4\nundo\nadd\t清水漆\t10\t44.5\n", &added},
    };
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_NE(added.out, plain.out);
    for (const auto& c : cases) {
        const CliRun run = Quote(With(args, {File("edits", c.edits).string()}));
        ASSERT_EQ(run.status, 0) << c.edits << run.err;
        EXPECT_EQ(run.out, c.same->out) << c.edits;
    }
    for (const char* refused : {"undo\n", "add\t清水漆\t1\t1\nredo\n", "delete\t4\nundo\nadd\t1\t1\t1\nredo\n"}) {
        const CliRun run = Quote(With(args, {File("edits", refused).string()}));
        EXPECT_EQ(run.status, 2) << refused;
        EXPECT_TRUE(run.out.empty()) << refused;
    }
}

TEST_F(QuoteCli, HelpExplainsEveryOption)
{
    const CliRun run = Quote({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* word : {"--package", "--grade", "--floor", "--unchecked", "--edits", "--encoding", "modify",
                             "delete", "add", "undo", "redo", "-1", "退出状态"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace rq
