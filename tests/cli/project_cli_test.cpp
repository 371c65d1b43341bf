// renoquote-cli quote with project files: what one run saves, the next run (and the desktop
// program, through the same reader) takes up exactly.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "project/project_file.h"
#include "sheet/sheet_edits.h"
#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

namespace fs = std::filesystem;
using rq::testing::CliRun;
using rq::testing::ReadFile;
using rq::testing::RunCli;

const std::string kRooms = std::string(RENOQUOTE_TEST_DATA_DIR) + "/quote_two_rooms.txt";

class ProjectCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path()
            / ("renoquote_project_cli_" + std::to_string(::getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string file(const std::string& name, const std::string& bytes) const
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

TEST_F(ProjectCli, SavedRunIsTakenUpWhereItEnded)
{
    // The delete taken back is neither on the sheet nor among the edits kept with it.
    const std::string edits
        = file("edits.txt", "modify\t2\t墙面批腻子\tM2\t8.96\t58\nadd\t包水管\t2\t98\ndelete\t0\nundo\n");
    const std::string project = path("家.renoquote");
    const CliRun saved = RunCli({ "quote", "--package", "full", "--floor", "tiles", "--grade", "精  装  修", "--edits",
        edits, "--save-project", project, kRooms });
    ASSERT_EQ(saved.status, 0) << saved.err;

    // The file holds the rooms, the choices and the edited sheet with its row kinds, exactly
    // as the core computes them.
    const Outcome<Project> read = ReadProjectText(ReadFile(project));
    ASSERT_TRUE(read.value) << read.problem;
    EXPECT_EQ(read.value->estimate.grade, "精  装  修");
    EXPECT_EQ(read.value->floor, FloorChoice::Tiles);
    EXPECT_EQ(read.value->rooms.size(), 2u);
    EXPECT_FALSE(read.value->halfPackage);
    // The edits are kept with it, to be made again after a recompute.
    KeptSheet expected = BuildKeptSheet(*read.value, Package::Full);
    expected.edits.push_back(KeepEdit(expected.quote.sheet, KeptEditKind::Modify, 2, { "墙面批腻子", "M2", "8.96", "58" }));
    ModifyRow(expected.quote.sheet, expected.quote.caption, 2, { "墙面批腻子", "M2", "8.96", "58" });
    expected.edits.push_back(KeepEdit(expected.quote.sheet, KeptEditKind::Add, -1, { "包水管", {}, "2", "98" }));
    AddItem(expected.quote.sheet, expected.quote.caption, { "包水管", "2", "98" });
    EXPECT_EQ(read.value->fullPackage, expected);

    // Taken up again: the same sheet; further edits saved over the same file.
    EXPECT_EQ(RunCli({ "quote", "--project", project, "--package", "full" }).out, saved.out);
    const std::string more = file("more.txt", "delete\t1\n");
    const CliRun edited
        = RunCli({ "quote", "--project", project, "--package", "full", "--edits", more, "--save-project", project });
    ASSERT_EQ(edited.status, 0) << edited.err;
    EXPECT_EQ(RunCli({ "quote", "--project", project, "--package", "full" }).out, edited.out);
    EXPECT_NE(edited.out, saved.out);

    // No half-package sheet kept: one is built from the project's rooms and choices.
    EXPECT_EQ(RunCli({ "quote", "--project", project }).out,
        RunCli({ "quote", "--floor", "tiles", "--grade", "精  装  修", kRooms }).out);
}

TEST_F(ProjectCli, RefusedFilesAndRunsSayWhyOnStandardError)
{
    const std::string full = path("full.renoquote");
    ASSERT_EQ(RunCli({ "quote", "--package", "full", "--save-project", full, kRooms }).status, 0);
    // The rooms emptied by hand: no half-package sheet kept, and none can be built.
    std::string noRooms = ReadFile(full);
    const std::size_t rooms = noRooms.find("\"rooms\": [");
    noRooms.replace(rooms, noRooms.find("\n  ]", rooms) + 4 - rooms, "\"rooms\": []");
    // A room changed by hand to a size no flat has, and no half-package sheet kept.
    std::string huge = ReadFile(full);
    huge.replace(huge.find("4500*3600*2800"), 14, "45000000*36000000*2800");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        { { "quote", "--project", file("bad.renoquote", "{\n  \"format\": ") }, 2, "第 2 行第 13 列" },
        { { "quote", "--project", file("newer.renoquote", "{\"format\": \"renoquote-project\", \"version\": 9}") }, 2,
            "新版本" },
        { { "quote", "--project", file("no-rooms.renoquote", noRooms) }, 2, "至少要添加1房间" },
        { { "quote", "--project",
              file("typo.renoquote",
                  "{\"format\": \"renoquote-project\", \"version\": 1, "
                  "\"room\": []}") },
            2, "不认识的项“room”" },
        { { "quote", "--project", file("huge.renoquote", huge) }, 2, "金额超出范围：第1个房间「客厅」" },
        { { "quote", "--project", path("missing.renoquote") }, 1, "文件不存在" },
        { { "quote", "--project", full, kRooms }, 2, "不能再给房间文件" },
        { { "quote", "--save-project", path("no/such/folder.renoquote"), kRooms }, 1, "文件夹不存在" },
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_TRUE(run.out.empty()) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        // Only a file that was there can be said to be untouched.
        if (c.args[1] == "--save-project") {
            EXPECT_EQ(run.err.find("原来的文件"), std::string::npos) << run.err;
        }
    }
}

} // namespace
} // namespace rq

namespace rq {
namespace {

// Each output keeps what a cell holds, or says where it could not: the tab-separated
// text keeps every cell on its line and in its column, and says which lines it flattened;
// the project and the CSV keep the tab and the line break as they are.
TEST_F(ProjectCli, CellsWithTabsOrLineBreaksKeepTheirRowsAndColumns)
{
    const std::string project = path("p.renoquote");
    ASSERT_EQ(RunCli({ "quote", "--save-project", project, kRooms }).status, 0);
    Outcome<Project> read = ReadProjectText(ReadFile(project));
    ASSERT_TRUE(read.value) << read.problem;
    QuoteSheet& sheet = read.value->halfPackage->quote.sheet;
    sheet.SetCell(1, kItemName, "顶面\t批腻子");
    sheet.SetCell(1, kUnit, "M2\n");
    sheet.SetCell(3, kItemName, "墙面\r\n乳胶漆");
    file("p.renoquote", WriteProjectText(*read.value));

    const CliRun tsv = RunCli({ "quote", "--project", project });
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(tsv.err, "renoquote-cli quote: 输出的第3、5行有格子含制表符或换行，已换成空格\n");
    std::istringstream lines(tsv.out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
        rows.push_back(line);
    ASSERT_EQ(static_cast<int>(rows.size()), sheet.RowCount() + 1);
    EXPECT_EQ(rows[2], "1\t顶面 批腻子\tM2 \t" + Text(sheet.GetCell(1, kQuantity)) + "\t" +
                           Text(sheet.GetCell(1, kUnitPrice)) + "\t" + Text(sheet.GetCell(1, kTotal)));

    const std::string csv = path("p.csv");
    const CliRun kept = RunCli({ "quote", "--project", project, "--output", csv, "--save-project", project });
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(kept.err, "");
    EXPECT_NE(ReadFile(csv).find("顶面\t批腻子"), std::string::npos);
    EXPECT_EQ(ReadProjectText(ReadFile(project)).value, read.value);
}

}  // namespace
}  // namespace rq
