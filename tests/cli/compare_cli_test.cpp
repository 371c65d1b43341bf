// renoquote-cli compare: every figure is the one its own command gives. The ten totals are
// the last figures of the ten sheets `quote` prints, the estimates those `estimate` prints
// for the dwelling the rooms describe; the documents read back with real readers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

namespace fs = std::filesystem;
using rq::testing::CliRun;
using rq::testing::RunCli;
using rq::testing::RunProgram;

constexpr const char* kGrades[] = {"出租房装修", "经济型装修", "舒适型装修", "精  装  修", "豪华型装修"};

std::vector<std::vector<std::string>> TsvLines(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string>& cells = lines.emplace_back();
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');)
            cells.push_back(cell);
    }
    return lines;
}

// The 总计 of the sheet's last row: 工程总造价 of a half package, 全包总价格 of a full one.
std::string SheetTotal(const std::string& sheet) { return TsvLines(sheet).back().back(); }

// The four prices of an estimate, in report order: boards and tiles half, then full.
std::vector<std::string> EstimatePrices(const std::string& report)
{
    std::vector<std::string> prices;
    const std::regex price("价格为：([-0-9.e+]+)元");
    for (std::sregex_iterator it(report.begin(), report.end(), price), end; it != end; ++it)
        prices.push_back((*it)[1]);
    return prices;
}

class CompareCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("renoquote_compare_" + std::to_string(getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }
    std::string write(const std::string& name, const std::string& text)
    {
        const std::string path = (m_folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    fs::path m_folder;
};

TEST_F(CompareCommand, EveryFigureIsTheOneItsOwnSheetAndEstimateGive)
{
    struct RoomList {
        const char* rooms;
        std::vector<std::string> dwelling;  // the estimate's options for the rooms
    };
    const RoomList lists[] = {
        {"客厅\t4500*3600*2800\t1500*1500\t实木门\t1\t4\n厨房\t3000*2000*2800\t1500*1500\t推拉门\t2\t4\n"
         "卫生间\t2500*2000*2800\t1000*1000\t实木门\t1\t4\n卧室（主卧）\t4000*3500*2800\t1500*1500\t实木门\t1\t4\n"
         "阳台\t3000*1500*2800\t2000*1500\t推拉门\t2\t3\n",
         {"--bedrooms", "1", "--living", "1", "--kitchens", "1", "--bathrooms", "1", "--balconies", "1", "--area",
          "45.7"}},
        // Studies and dining rooms count as 室 and 厅; a room of no known type adds its floor.
        {"餐厅\t3000*3000*2700\t1000*1000\t(无)\t0\t4\n书房\t3000*2500*2700\t1200*1500\t实木门\t1\t4\n"
         "储藏间\t2000*1000*2700\t600*600\t(无)\t0\t4\n",
         {"--bedrooms", "1", "--living", "1", "--kitchens", "0", "--bathrooms", "0", "--balconies", "0", "--area",
          "18.5"}},
        // Kitchens and bathrooms alone: the estimate refuses, the quotes do not.
        {"厨房\t3000*2000*2800\t1500*1500\t推拉门\t2\t4\n卫生间\t2500*2000*2800\t1000*1000\t实木门\t1\t4\n",
         {"--bedrooms", "0", "--living", "0", "--kitchens", "1", "--bathrooms", "1", "--balconies", "0", "--area",
          "11"}},
    };
    int list = 0;
    for (const RoomList& rooms : lists) {
        const std::string path = write("rooms" + std::to_string(list++) + ".txt", rooms.rooms);
        for (const char* floor : {"boards", "tiles"}) {
            SCOPED_TRACE(std::string(rooms.rooms) + floor);
            const CliRun compared = RunCli({"compare", "--floor", floor, path});
            ASSERT_EQ(compared.status, 0) << compared.err;
            const auto lines = TsvLines(compared.out);
            ASSERT_EQ(lines.size(), 6u) << compared.out;
            for (int grade = 0; grade < 5; ++grade) {
                const std::vector<std::string>& line = lines[static_cast<std::size_t>(grade) + 1];
                ASSERT_EQ(line.size(), 5u);
                EXPECT_EQ(line[0], kGrades[grade]);
                for (const auto& [column, package] : {std::pair{1, "half"}, std::pair{2, "full"}}) {
                    const CliRun sheet
                        = RunCli({"quote", "--grade", kGrades[grade], "--floor", floor, "--package", package, path});
                    ASSERT_EQ(sheet.status, 0) << sheet.err;
                    EXPECT_EQ(line[static_cast<std::size_t>(column)], SheetTotal(sheet.out)) << package;
                }
                std::vector<std::string> args = {"estimate", "--grade", kGrades[grade]};
                args.insert(args.end(), rooms.dwelling.begin(), rooms.dwelling.end());
                const CliRun estimate = RunCli(args);
                if (estimate.status != 0) {
                    // The refusal's own words stand in both estimate cells.
                    const std::string message = estimate.err.substr(0, estimate.err.size() - 1);
                    EXPECT_EQ(line[3], message);
                    EXPECT_EQ(line[4], message);
                    continue;
                }
                const std::vector<std::string> prices = EstimatePrices(estimate.out);
                ASSERT_EQ(prices.size(), 4u) << estimate.out;
                const std::size_t tiles = std::string(floor) == "tiles" ? 1 : 0;
                EXPECT_EQ(line[3], prices[0 + tiles]);
                EXPECT_EQ(line[4], prices[2 + tiles]);
            }
        }
    }
}

TEST_F(CompareCommand, RefusesAnEmptyListAndWritesTheComparisonAsDocuments)
{
    const CliRun empty = RunCli({"compare", write("empty.txt", "\n")});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("至少要添加1房间！"), std::string::npos) << empty.err;
    EXPECT_EQ(empty.out, "");

    const std::string rooms = write("rooms.txt", "客厅\t4500*3600*2800\t1500*1500\t实木门\t1\t4\n");
    const std::string printed = RunCli({"compare", rooms}).out;
    const std::string halfComfort = TsvLines(printed)[3][1];
    const std::string csv = (m_folder / "c.csv").string();
    ASSERT_EQ(RunCli({"compare", rooms, "--output", csv}).status, 0);
    const std::string csvText = rq::testing::ReadFile(csv);
    for (const std::string& expected : std::vector<std::string>{"方案对比", "所选方案", "半包 工程总造价", "快速估算 全包", "墙顶面", halfComfort})
        EXPECT_NE(csvText.find(expected), std::string::npos) << expected << "\n" << csvText;
    const std::string xlsx = (m_folder / "c.xlsx").string();
    ASSERT_EQ(RunCli({"compare", rooms, "--output", xlsx}).status, 0);
    const CliRun cells = RunProgram("/usr/bin/python3",
        {"-c", "import openpyxl,sys\nfor r in openpyxl.load_workbook(sys.argv[1]).active.iter_rows(values_only=True):\n"
               " print('\\t'.join('' if v is None else str(v) for v in r))", xlsx}, {});
    EXPECT_NE(cells.out.find("半包 工程总造价\t" + TsvLines(printed)[1][1]), std::string::npos) << cells.out << cells.err;
#ifdef RENOQUOTE_CLI_HAS_PDF
    const std::string pdf = (m_folder / "c.pdf").string();
    const CliRun written = RunCli({"compare", rooms, "--output", pdf});
    ASSERT_EQ(written.status, 0) << written.err;
    const std::string text = RunProgram("/usr/bin/pdftotext", {"-layout", pdf, "-"}, {}).out;
    // The chart's title and legend are on the page with the table.
    for (const std::string& expected : std::vector<std::string>{"方案对比", "各方案总价", "快速估算半包", "舒适型装修", halfComfort, "第 1 页 共 1 页"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
#endif
}

}  // namespace
}  // namespace rq
