// Price books from workbooks as other spreadsheet programs write them: shared and inline
// texts, rates as percentage cells, figures a formula left with binary noise; and workbooks
// refused whole, each for its reason.
#include "prices/price_book_xlsx.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/prices/workbook_parts.h"

namespace rq {
namespace {

using ::testing::HasSubstr;
using testing::WorkbookAround;
using testing::ZipOfParts;

constexpr const char* kStrings = "<sst><si><t>分类</t></si><si><r><t>项</t></r><r><t>目</t></r>"
                                 "<rPh><t>xiang</t></rPh></si><si><t>单位</t></si><si><t>等级</t></si>"
                                 "<si><t>单价</t></si></sst>";
// Style 1 shows its number as a percentage.
constexpr const char* kStyles = R"(<styleSheet><numFmts><numFmt numFmtId="170" formatCode="0.0%"/></numFmts>)"
                                R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="170"/></cellXfs></styleSheet>)";

std::string Inline(const Text& text)
{
    return "<c t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// The built-in book as a sheet; `price` gives a row's 单价 cell, by item.
std::string SheetOf(const std::function<std::string(const PriceItem&)>& price)
{
    std::string sheet = R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
                        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>)"
                        R"(<c r="D1" t="s"><v>3</v></c><c r="E1" t="s"><v>4</v></c></row>)";
    int row = 2;
    for (const PriceItem& item : BuiltInPriceBook().items()) {
        // Cells without references, as some writers leave them: each is the next in its row.
        sheet += "<row>" + Inline(item.section) + Inline(item.name) + Inline(item.unit)
            + (item.level ? "<c><v>" + std::to_string(item.level) + "</v></c>" : "<c/>") + price(item) + "</row>";
        ++row;
    }
    return sheet + "</sheetData></worksheet>";
}

std::string AsInBook(const PriceItem& item)
{
    if (item.IsFee())
        return R"(<c s="1"><v>)" + std::to_string(static_cast<double>(item.hundredths) / 10'000) + "</v></c>";
    return "<c><v>" + item.price + "</v></c>";
}

TEST(PriceBookXlsx, WorkbooksAreReadAsTheirSheetShowsThemOrRefusedWhole)
{
    const auto putty = [](const PriceItem& item) {
        return item.name == "顶面批腻子" ? std::string("<c><v>14.300000000000001</v></c>") : AsInBook(item);
    };
    const auto wordy = [](const PriceItem& item) {
        return item.name == "墙面批腻子" ? Inline("十二") : AsInBook(item);
    };
    const std::string sound = SheetOf(AsInBook);
    std::string typed = sound;
    typed.replace(typed.find("<sheetData>"), 0, "<!DOCTYPE x [<!ENTITY a \"aaaa\">]>");
    const struct {
        const char* what;
        std::string workbook;
        const char* problem; // empty: read
    } cases[] = {
        { "as written", ZipOfParts(WorkbookAround(sound, kStrings, kStyles)), "" },
        { "formula noise", ZipOfParts(WorkbookAround(SheetOf(putty), kStrings, kStyles)), "" },
        { "not a zip", "PK\x03\x04 not really", "不是 XLSX" },
        { "document type", ZipOfParts(WorkbookAround(typed, kStrings, kStyles)), "不是有效的 XML" },
        { "no such text", ZipOfParts(WorkbookAround(sound, "<sst><si><t>分类</t></si></sst>", kStyles)), "无法读出" },
        { "no sheet", ZipOfParts({ { "xl/workbook.xml", "<workbook/>" } }), "找不到第一张工作表" },
        { "a word for a price", ZipOfParts(WorkbookAround(SheetOf(wordy), kStrings, kStyles)), "第 3 行：单价" },
        // Without its percentage style a fee's 0.02 is a rate of 0.02 %: sound, but not 2 %.
        { "rates as plain numbers", ZipOfParts(WorkbookAround(sound, kStrings)), "" },
    };
    for (const auto& c : cases) {
        const PriceBookReadResult read = ReadPriceBookXlsx(c.workbook, "北京");
        if (*c.problem) {
            EXPECT_FALSE(read.book) << c.what;
            ASSERT_FALSE(read.problems.empty()) << c.what;
            EXPECT_THAT(read.problems.front(), HasSubstr(c.problem)) << c.what;
            continue;
        }
        ASSERT_TRUE(read.book) << c.what << ": " << (read.problems.empty() ? "" : read.problems.front());
        EXPECT_EQ(read.book->name(), "北京");
        const PriceBook& book = *read.book;
        const PriceItem& management = book.at(*book.IndexOf("费用", "工程管理费", 0));
        const bool styled = std::string_view(c.what) != "rates as plain numbers";
        EXPECT_EQ(management.price, styled ? BuiltInPriceBook().at(*book.IndexOf("费用", "工程管理费", 0)).price : "0.08%")
            << c.what;
        EXPECT_EQ(book.at(*book.IndexOf("墙顶面", "顶面批腻子", 0)).hundredths,
            std::string_view(c.what) == "formula noise" ? 1430 : 1300);
        if (std::string_view(c.what) == "as written") {
            EXPECT_TRUE(book.SameFigures(BuiltInPriceBook()));
        }
    }
}

} // namespace
} // namespace rq
