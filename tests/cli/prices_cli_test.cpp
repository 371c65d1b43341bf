// Price books from the command line: the built-in book written out and read back in every
// form (JSON, CSV, XLSX) quotes exactly as the built-in one, and a book with one price changed changes the
// rows of that item and the totals, nothing else.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

using testing::CliRun;
using ::testing::HasSubstr;
using testing::RunCli;

namespace fs = std::filesystem;

// Every room type, with doors that need casings, so that every section of the book is used.
constexpr const char* kRooms = "客厅\t4500*3600*2800\t1500*1500\t实木门\t1\t4\n"
                               "餐厅\t3600*3000*2800\t1200*1500\t推拉门\t1\t3\n"
                               "厨房\t3000*2000*2600\t900*1200\t推拉门\t1\t4\n"
                               "卫生间\t2000*1800*2600\t600*1500\t塑钢门\t1\t4\n"
                               "卧室\t4000*3500*2800\t1800*1500\t实木免漆门\t1\t4\n"
                               "书房\t3000*3000*2800\t1500*1500\t原木门\t1\t4\n"
                               "阳台\t3000*1500*2800\t0*0\t移门\t2\t2\n";

class PricesCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("renoquote-prices-cli-" + std::to_string(::getpid()));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        std::ofstream(path("rooms.txt")) << kRooms;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path(const char* name) const { return (m_folder / name).string(); }

    CliRun quote(const char* package, std::vector<std::string> more = {}) const
    {
        std::vector<std::string> args
            = { "quote", "--package", package, "--grade", "豪华型装修", "--floor", "tiles", path("rooms.txt") };
        args.insert(args.end(), more.begin(), more.end());
        return RunCli(args);
    }

    fs::path m_folder;
};

TEST_F(PricesCli, TheBuiltInBookExportedAndReadBackQuotesAsBefore)
{
    for (const char* package : { "half", "full" }) {
        const CliRun before = quote(package);
        ASSERT_EQ(before.status, 0) << before.err;
        for (const std::string form : { "json", "csv", "xlsx" }) {
            const std::string file = path(form == "json" ? "默认.renoquote-prices" : ("默认." + form).c_str());
            const CliRun exported = RunCli({ "prices", "export", "--format", form, "--output", file });
            ASSERT_EQ(exported.status, 0) << exported.err;
            const CliRun checked = RunCli({ "prices", "check", file });
            EXPECT_EQ(checked.status, 0) << checked.err;
            const CliRun priced = quote(package, { "--prices", file });
            ASSERT_EQ(priced.status, 0) << priced.err;
            EXPECT_EQ(priced.out, before.out) << package << " " << form;
        }
    }
}

TEST_F(PricesCli, OneChangedPriceChangesItsRowsAndTheTotalsOnly)
{
    const CliRun exported = RunCli({ "prices", "export", "--format", "csv" });
    ASSERT_EQ(exported.status, 0);
    std::string csv = exported.out;
    const std::string tiling = "地面与墙面,地砖铺贴,M2,,35\r\n";
    ASSERT_NE(csv.find(tiling), std::string::npos);
    csv.replace(csv.find(tiling), tiling.size(), "地面与墙面,地砖铺贴,M2,,40.5\r\n");
    std::ofstream(path("dearer.csv"), std::ios::binary) << csv;

    const CliRun before = quote("full");
    const CliRun after = quote("full", { "--prices", path("dearer.csv") });
    ASSERT_EQ(after.status, 0) << after.err;
    std::istringstream a(before.out), b(after.out);
    std::string lineA, lineB;
    int changedItems = 0;
    while (std::getline(a, lineA) && std::getline(b, lineB)) {
        if (lineA == lineB)
            continue;
        const bool tilingRow = lineA.find("\t地砖铺贴\t") != std::string::npos;
        const bool foot = lineA.find("费") != std::string::npos || lineA.find("总") != std::string::npos;
        EXPECT_TRUE(tilingRow || foot) << lineA << "\n" << lineB;
        if (tilingRow) {
            EXPECT_THAT(lineB, HasSubstr("\t40.5\t"));
            ++changedItems;
        }
    }
    EXPECT_FALSE(std::getline(b, lineB)) << "the sheet grew a row";
    EXPECT_EQ(changedItems, 5); // the tiled living and dining rooms, kitchen, bathroom, balcony
}

TEST_F(PricesCli, AProjectKeepsThePricesItWasQuotedWith)
{
    std::string csv = RunCli({ "prices", "export", "--format", "csv" }).out;
    const std::string management = "费用,工程管理费,项,,8%\r\n";
    ASSERT_NE(csv.find(management), std::string::npos);
    csv.replace(csv.find(management), management.size(), "费用,工程管理费,项,,10%\r\n");
    std::ofstream(path("own.csv"), std::ios::binary) << csv;

    const CliRun saved = quote("half", { "--prices", path("own.csv"), "--save-project", path("p.renoquote") });
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_THAT(saved.out, HasSubstr("\t10%\t"));
    // The kept sheet, and a sheet the project never had, both at the project's prices.
    EXPECT_EQ(RunCli({ "quote", "--project", path("p.renoquote") }).out, saved.out);
    const CliRun full = RunCli({ "quote", "--package", "full", "--project", path("p.renoquote") });
    EXPECT_EQ(full.out, quote("full", { "--prices", path("own.csv") }).out);
    EXPECT_NE(full.out, quote("full").out);
    // Its documents name the book in their head; a CSV book is called by its file's name.
    ASSERT_EQ(RunCli({ "quote", "--project", path("p.renoquote"), "--output", path("q.csv") }).status, 0);
    EXPECT_THAT(testing::ReadFile(path("q.csv")), HasSubstr("价格表：own"));
}

TEST_F(PricesCli, AnUnsoundBookIsListedProblemByProblemAndPricesNothing)
{
    std::ofstream(path("bad.csv"), std::ios::binary) << "\xEF\xBB\xBF分类,项目,单位,等级,单价\r\n"
                                                        "墙顶面,顶面批腻子,M2,,-13\r\n"
                                                        "费用,工程管理费,项,,120%\r\n";
    const CliRun checked = RunCli({ "prices", "check", path("bad.csv") });
    EXPECT_EQ(checked.status, 2);
    EXPECT_THAT(checked.err, HasSubstr("第 2 行：单价应当是 0 或更大的数"));
    EXPECT_THAT(checked.err, HasSubstr("第 3 行：费率应当在 0% 到 100% 之间"));
    const CliRun priced = quote("half", { "--prices", path("bad.csv") });
    EXPECT_EQ(priced.status, 2);
    EXPECT_EQ(priced.out, "");
    EXPECT_THAT(priced.err, HasSubstr("bad.csv: 第 3 行"));
}

} // namespace
} // namespace rq
