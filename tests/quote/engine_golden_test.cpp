// A full-package quote of one room of each type, at every grade and both floors, against
// sheets worked out by hand from the price lists (tests/data/engine_full_package_seven_rooms.tsv).
#include "quote/engine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace rq {
namespace {

struct GoldenSheet {
    std::string grade;
    FloorChoice floor;
    std::vector<QuoteRow> rows;
};

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

std::vector<GoldenSheet> ReadGoldenSheets(const std::string& path)
{
    std::ifstream in(path);
    std::vector<GoldenSheet> sheets;
    std::string line;
    while (std::getline(in, line)) {
        const auto cells = SplitTabs(line);
        if (cells.size() == 3 && cells[0] == "#") {
            sheets.push_back({cells[1], cells[2] == "tiles" ? FloorChoice::Tiles : FloorChoice::Boards, {}});
        } else if (cells.size() == kSheetColumnCount && !sheets.empty()) {
            QuoteRow row;
            for (int column = 0; column < kSheetColumnCount; ++column)
                row[static_cast<std::size_t>(column)] = cells[static_cast<std::size_t>(column)];
            sheets.back().rows.push_back(row);
        } else {
            ADD_FAILURE() << "unreadable line: " << line;
        }
    }
    return sheets;
}

TEST(DetailedQuoteGolden, SevenRoomTypesAtEveryGradeAndFloor)
{
    const std::vector<RoomRecord> rooms = {
        {{"厨房", "3000*2000*2800", "1000*1000", "推拉门", "1", "4"}},
        {{"卫生间", "2000*1500*2800", "600*1000", "塑钢门", "1", "4"}},
        {{"客厅", "5000*4000*2800", "2000*1500", "(无)", "0", "4"}},
        {{"餐厅", "4000*3000*2800", "0*0", "实木门", "0", "4"}},
        {{"卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"}},
        {{"书房", "3000*3000*2800", "1200*1500", "原木门", "1", "3"}},
        {{"阳台", "3000*1500*2800", "0*0", "推拉门", "2", "1"}},
    };
    const auto golden = ReadGoldenSheets(RENOQUOTE_TEST_DATA_DIR "/engine_full_package_seven_rooms.tsv");
    ASSERT_EQ(golden.size(), 10u);
    for (const GoldenSheet& expected : golden) {
        const char* floor = expected.floor == FloorChoice::Tiles ? "tiles" : "boards";
        const DetailedQuote quote = BuildDetailedQuote(rooms, expected.grade, expected.floor, "全包");
        EXPECT_EQ(quote.caption, "全包装修详细报价");
        ASSERT_EQ(quote.sheet.RowCount(), static_cast<int>(expected.rows.size())) << expected.grade << " " << floor;
        for (std::size_t row = 0; row < expected.rows.size(); ++row)
            EXPECT_EQ(quote.sheet.row(static_cast<int>(row)), expected.rows[row]) << expected.grade << " " << floor << " row " << row;
    }
}

}  // namespace
}  // namespace rq
