#include "prices/price_book.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "convert/encoding.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_json.h"

namespace rq {
namespace {

using ::testing::HasSubstr;

// Replaces the first `from` in `text`; a case whose text is not there is a broken test.
std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string AllProblems(const PriceBookReadResult& read)
{
    std::string all;
    for (const Text& problem : read.problems)
        all += problem + "\n";
    return all;
}

TEST(PriceBook, EveryFileFormOfABookReadsBackAsTheSameBook)
{
    PriceBook changed = BuiltInPriceBook();
    changed.setName("北京 2026 年 3 月");
    changed.SetHundredths(*changed.IndexOf("墙顶面", "顶面批腻子", 0), 1305); // 13.05
    changed.SetHundredths(*changed.IndexOf("费用", "工程管理费", 0), 750); // 7.5 %
    changed.SetUnit(*changed.IndexOf("门", "移门", 0), "樘, \"推拉\"");
    const struct {
        const char* form;
        std::function<PriceBookReadResult(const PriceBook&)> roundTrip;
    } forms[] = {
        { "json", [](const PriceBook& book) { return ReadPriceBookJson(WritePriceBookJson(book)); } },
        { "csv", [](const PriceBook& book) { return ReadPriceBookCsv(WritePriceBookCsv(book), book.name()); } },
        { "csv in GBK",
            [](const PriceBook& book) {
                return ReadPriceBookCsv(Utf8ToGbk(WritePriceBookCsv(book).substr(3)), book.name());
            } },
    };
    for (const auto& form : forms)
        for (const PriceBook* book : { &BuiltInPriceBook(), static_cast<const PriceBook*>(&changed) }) {
            const PriceBookReadResult read = form.roundTrip(*book);
            ASSERT_TRUE(read.book) << form.form << "\n" << AllProblems(read);
            EXPECT_EQ(*read.book, *book) << form.form;
        }
    EXPECT_EQ(changed.at(*changed.IndexOf("墙顶面", "顶面批腻子", 0)).price, "13.05");
    EXPECT_EQ(changed.at(*changed.IndexOf("费用", "工程管理费", 0)).price, "7.5%");
    EXPECT_EQ(BuiltInPriceBook().name(), kBuiltInBookName);

    // A book written before it kept the extra works' prices reads with the company's.
    std::string older = WritePriceBookCsv(changed);
    for (std::size_t at; (at = older.find("增项,")) != std::string::npos;)
        older.erase(at, older.find('\n', at) + 1 - at);
    const PriceBookReadResult read = ReadPriceBookCsv(older, changed.name());
    ASSERT_TRUE(read.book) << AllProblems(read);
    EXPECT_EQ(*read.book, changed);
}

TEST(PriceBook, PricesAreDecimalsOfAtMostTwoPlaces)
{
    const struct {
        const char* text;
        std::optional<std::int64_t> hundredths;
    } cases[] = {
        { "13", 1300 },
        { "0", 0 },
        { "12.5", 1250 },
        { "0.05", 5 },
        { "21474836.47", 2147483647 },
        { "99999999999", std::nullopt },
        { "12.345", std::nullopt },
        { "-1", std::nullopt },
        { "1e3", std::nullopt },
        { "12.", std::nullopt },
        { ".5", std::nullopt },
        { "", std::nullopt },
        { "1,480", std::nullopt },
        { "１３", std::nullopt },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseHundredths(c.text), c.hundredths) << c.text;
        if (c.hundredths) {
            EXPECT_EQ(HundredthsToText(*c.hundredths), c.text);
        }
    }
}

// Every kind of refusal once, in the form that can carry it; nothing of a refused book is
// taken, and the message says where.
TEST(PriceBook, UnsoundBooksAreRefusedWholeNamingEveryProblem)
{
    const std::string json = WritePriceBookJson(BuiltInPriceBook());
    const std::string csv = WritePriceBookCsv(BuiltInPriceBook());
    const std::string putty = R"({"section": "墙顶面", "item": "顶面批腻子", "unit": "M2", "level": 0, "price": 13})";
    const auto asJson = [](const std::string& text) { return ReadPriceBookJson(text); };
    const auto asCsv = [](const std::string& text) { return ReadPriceBookCsv(text, "价格"); };
    const struct {
        const char* what;
        std::function<PriceBookReadResult(const std::string&)> read;
        std::string text;
        const char* expected;
    } cases[] = {
        { "syntax", asJson, Replaced(json, "\"version\": 1,", "\"version\": 1"), "第 4 行第 8 列" },
        { "other format", asJson, Replaced(json, "renoquote-prices", "renoquote-project"), "不是 renoquote 的价格表" },
        { "newer version", asJson, Replaced(json, "\"version\": 1", "\"version\": 2"), "第 2 版" },
        { "unknown name", asJson, Replaced(json, "\"level\": 0, \"price\": 13", "\"level\": 0, \"prise\": 13"),
            "第 1 项（墙顶面 顶面批腻子）：有不认识的项“prise”" },
        { "name twice", asJson, Replaced(json, "\"price\": 13}", "\"price\": 13, \"price\": 14}"), "出现了两次" },
        { "missing item", asJson, Replaced(json, putty + ",\n", ""), "缺少“墙顶面 顶面批腻子”" },
        { "item twice", asJson, Replaced(json, putty, putty + ",\n    " + putty),
            "第 2 项：“墙顶面 顶面批腻子”出现了两次" },
        { "unknown item", asJson, Replaced(json, "\"item\": \"顶面批腻子\"", "\"item\": \"顶面腻子\""),
            "价格表中没有“墙顶面 顶面腻子”" },
        { "negative", asJson, Replaced(json, "\"price\": 13}", "\"price\": -13}"), "单价不能是负数" },
        { "three decimals", asJson, Replaced(json, "\"price\": 13}", "\"price\": 13.005}"), "最多两位小数" },
        { "too large", asJson, Replaced(json, "\"price\": 13}", "\"price\": 1e300}"), "超出范围" },
        { "not a number", asJson, Replaced(json, "\"price\": 13}", "\"price\": \"13\"}"), "单价应当是数字" },
        { "rate", asJson,
            Replaced(json, "\"unit\": \"项\", \"level\": 0, \"price\": 8}",
                "\"unit\": \"项\", \"level\": 0, \"price\": 100.5}"),
            "费率应当在 0% 到 100% 之间" },
        { "level", asJson, Replaced(json, "\"level\": 0, \"price\": 13}", "\"level\": 6, \"price\": 13}"),
            "“level”应当是 0 到 5" },
        { "empty unit", asJson, Replaced(json, "\"unit\": \"M2\"", "\"unit\": \"\""), "单位不能是空的" },
        { "deep", asJson, std::string(100, '[') + std::string(100, ']'), "嵌套的层数太多" },
        { "over the cap", asJson, json + std::string(kMaxPriceBookFileBytes, ' '), "文件太大" },
        { "csv headings", asCsv, Replaced(csv, "单价", "价格"), "第一行应当是列标题" },
        { "csv cells", asCsv, Replaced(csv, "墙顶面,顶面批腻子,M2,,13", "墙顶面,顶面批腻子,M2,13"),
            "第 2 行：应当有 5 格" },
        { "csv price", asCsv, Replaced(csv, "墙顶面,顶面批腻子,M2,,13", "墙顶面,顶面批腻子,M2,,\"1,300\""),
            "第 2 行：单价应当是 0 或更大的数，最多两位小数，不是“1,300”" },
        { "csv level", asCsv, Replaced(csv, "墙顶面,顶面批腻子,M2,,13", "墙顶面,顶面批腻子,M2,一,13"),
            "第 2 行：等级应当是" },
        { "csv quote", asCsv, csv + "门,\"移门,扇,,360\r\n", "引号没有配对" },
        { "csv twice", asCsv, csv + "墙顶面,顶面批腻子,M2,,13\r\n", "第 122 行：“墙顶面 顶面批腻子”出现了两次" },
        { "one extra work missing", asCsv, Replaced(csv, "增项,铲墙面,增,,8\r\n", ""), "缺少“增项 铲墙面”" },
        { "bad UTF-8 after the mark", asCsv, csv + "\xff\xfe", "不是有效的 UTF-8" },
    };
    for (const auto& c : cases) {
        const PriceBookReadResult read = c.read(c.text);
        EXPECT_FALSE(read.book) << c.what;
        EXPECT_THAT(AllProblems(read), HasSubstr(c.expected)) << c.what;
    }
}

} // namespace
} // namespace rq
