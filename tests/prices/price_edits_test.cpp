// Book edits: a typed price taken or refused whole, 调价 rounded as the user picks with the
// fee rates left alone, and the named books kept on the shelf.
#include "prices/price_edits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "prices/price_book_shelf.h"
#include "quote/engine.h"

namespace rq {
namespace {

using ::testing::HasSubstr;

TEST(PriceEdits, AdjustedPricesRoundHalfUpToTheStepChosen)
{
    const struct {
        std::int64_t hundredths, percent;
        PriceRounding rounding;
        std::int64_t expected;
    } cases[] = {
        { 1300, 1000, PriceRounding::WholeYuan, 1400 }, // 14.3 → 14
        { 1300, 1000, PriceRounding::Tenth, 1430 },
        { 2500, 1000, PriceRounding::WholeYuan, 2800 }, // 27.5 → 28: half goes up
        { 1205, -1000, PriceRounding::Tenth, 1080 }, // 10.845 → 10.8
        { 1205, -1000, PriceRounding::WholeYuan, 1100 },
        { 188000, -10000, PriceRounding::WholeYuan, 0 }, // -100 % is free, never negative
        { 45, 250, PriceRounding::Tenth, 50 }, // 0.46125 → 0.5
        { kMaxHundredths, kMaxAdjustUp, PriceRounding::Tenth, kMaxHundredths * 11 }, // no overflow
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdjustedHundredths(c.hundredths, c.percent, c.rounding), c.expected)
            << c.hundredths << " " << c.percent;
}

TEST(PriceEdits, ATypedPriceIsTakenWholeOrRefusedKeepingTheOldOne)
{
    const PriceBook& builtIn = BuiltInPriceBook();
    const std::size_t putty = *builtIn.IndexOf("墙顶面", "顶面批腻子", 0);
    const std::size_t management = *builtIn.IndexOf("费用", "工程管理费", 0);
    const struct {
        std::size_t index;
        const char* typed;
        std::optional<std::int64_t> taken; // nothing: refused
        const char* problem = "";
    } cases[] = {
        { putty, " 12.5 ", 1250 },
        { putty, "0", 0 },
        { putty, "12.345", std::nullopt, "最多两位小数" },
        { putty, "-3", std::nullopt, "不小于 0" },
        { putty, "1e3", std::nullopt, "1e3" },
        { putty, "", std::nullopt, "单价" },
        { putty, "13%", std::nullopt, "13%" }, // an item has no rate
        { management, "2.5%", 250 },
        { management, "9", 900 },
        { management, "100.01%", std::nullopt, "0% 到 100%" },
    };
    for (const auto& c : cases) {
        PriceBook book = builtIn;
        const PriceEditResult result = EditPrice(book, c.index, c.typed);
        if (!c.taken) {
            ASSERT_TRUE(result.problem) << c.typed;
            EXPECT_THAT(*result.problem, HasSubstr(c.problem));
            EXPECT_THAT(*result.problem, HasSubstr(builtIn.at(c.index).name));
            EXPECT_EQ(book, builtIn) << c.typed;
            continue;
        }
        ASSERT_FALSE(result.problem) << c.typed << ": " << *result.problem;
        EXPECT_EQ(book.at(c.index).hundredths, *c.taken) << c.typed;
        ASSERT_EQ(result.changes.size(), 1u);
        EXPECT_EQ(result.changes[0], (PriceChange { c.index, builtIn.at(c.index).hundredths, *c.taken }));
        UndoPriceChanges(book, result.changes);
        EXPECT_EQ(book, builtIn) << "undo of " << c.typed;
    }
}

// Every room type with doors that need casings, at the dearest grade and the cheapest, so
// that every section of the book is priced.
std::vector<RoomRecord> EveryKindOfRoom()
{
    return {
        { { "客厅", "4500*3600*2800", "1500*1500", "实木门", "1", "4" } },
        { { "餐厅", "3600*3000*2800", "1200*1500", "推拉门", "1", "3" } },
        { { "厨房", "3000*2000*2600", "900*1200", "推拉门", "1", "4" } },
        { { "卫生间", "2000*1800*2600", "600*1500", "塑钢门", "1", "4" } },
        { { "卧室", "4000*3500*2800", "1800*1500", "实木免漆门", "1", "4" } },
        { { "书房", "3000*3000*2800", "1500*1500", "原木门", "1", "4" } },
        { { "阳台", "3000*1500*2800", "0*0", "移门", "2", "2" } },
    };
}

TEST(PriceEdits, TenPerCentOnTheWholeBookRaisesEveryUnitPriceOfAQuoteButNoFeeRate)
{
    for (const PriceRounding rounding : { PriceRounding::WholeYuan, PriceRounding::Tenth }) {
        PriceBook dearer = BuiltInPriceBook();
        const PriceEditResult adjusted = AdjustPrices(dearer, "", 1000, rounding);
        ASSERT_FALSE(adjusted.problem);
        for (const char* grade : { "豪华型装修", "出租房装修" })
            for (const char* package : { "半包", "全包" }) {
                const QuoteSheet before
                    = BuildDetailedQuote(EveryKindOfRoom(), grade, FloorChoice::Tiles, package).sheet;
                const QuoteSheet after
                    = BuildDetailedQuote(EveryKindOfRoom(), grade, FloorChoice::Tiles, package, dearer).sheet;
                ASSERT_EQ(after.RowCount(), before.RowCount()) << grade << package;
                int items = 0;
                for (int row = 0; row < before.RowCount(); ++row) {
                    const std::string_view price = before.GetCell(row, kUnitPrice);
                    const std::string_view now = after.GetCell(row, kUnitPrice);
                    ASSERT_EQ(after.GetKind(row), before.GetKind(row));
                    if (before.GetKind(row) == RowKind::Fee) {
                        EXPECT_EQ(now, price) << "a fee rate moved in row " << row;
                    } else if (before.GetKind(row) == RowKind::Item && !price.empty()) {
                        const std::int64_t raised = AdjustedHundredths(*ParseHundredths(price), 1000, rounding);
                        EXPECT_EQ(now, HundredthsToText(raised)) << grade << package << " row " << row;
                        ++items;
                    }
                }
                EXPECT_GT(items, 20) << grade << package;
            }
        UndoPriceChanges(dearer, adjusted.changes);
        EXPECT_EQ(dearer, BuiltInPriceBook());
    }
}

TEST(PriceEdits, ASectionIsAdjustedAloneAndRestoreBringsBackTheCompanysPrices)
{
    PriceBook book = BuiltInPriceBook();
    const PriceEditResult doors = AdjustPrices(book, "门", -500, PriceRounding::WholeYuan);
    ASSERT_FALSE(doors.problem);
    for (const PriceChange& change : doors.changes)
        EXPECT_EQ(book.at(change.index).section, "门");
    EXPECT_EQ(book.at(*book.IndexOf("门", "原木门", 0)).price, "1786");
    EXPECT_TRUE(AdjustPrices(book, "费用", 1000, PriceRounding::WholeYuan).problem);
    EXPECT_TRUE(AdjustPrices(book, "", kMaxAdjustUp + 1, PriceRounding::WholeYuan).problem);
    const PriceEditResult restored = RestoreBuiltInPrices(book);
    EXPECT_EQ(restored.changes.size(), doors.changes.size());
    EXPECT_TRUE(book.SameFigures(BuiltInPriceBook()));
}

TEST(PriceBookShelf, KeepsNamedBooksAndWhichOneNewQuotesUse)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("renoquote-shelf-" + std::to_string(::getpid())) / "prices";
    fs::remove_all(folder.parent_path());
    const PriceBookShelf shelf(folder.string());
    EXPECT_EQ(shelf.Names(), std::vector<Text> { Text(kBuiltInBookName) });
    EXPECT_EQ(shelf.ChosenName(), kBuiltInBookName);

    PriceBook beijing = BuiltInPriceBook();
    beijing.setName("北京 2026 年 3 月");
    beijing.SetHundredths(0, 1500);
    ASSERT_FALSE(shelf.Save(beijing)); // makes the folder
    ASSERT_FALSE(shelf.Choose(beijing.name()));
    EXPECT_EQ(shelf.ChosenBook(), beijing);
    EXPECT_EQ(shelf.Names(), (std::vector<Text> { Text(kBuiltInBookName), beijing.name() }));
    for (const char* refused : { "默认价格表", "a/b", ".hidden", "" }) {
        PriceBook named = beijing;
        named.setName(refused);
        EXPECT_TRUE(shelf.Save(named)) << refused;
    }
    std::ofstream(folder / "坏的.renoquote-prices") << "{";
    EXPECT_EQ(shelf.Load("坏的").status, kStatusRefused);
    EXPECT_EQ(shelf.Names().size(), 3u); // a broken book is listed, so that it can be deleted
    // A chosen book deleted since leaves new quotes with the company's prices.
    ASSERT_FALSE(shelf.Remove(beijing.name()));
    EXPECT_EQ(shelf.ChosenBook(), BuiltInPriceBook());
    EXPECT_TRUE(shelf.Remove(Text(kBuiltInBookName)));
    fs::remove_all(folder.parent_path());
}

} // namespace
} // namespace rq
