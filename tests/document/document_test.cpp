#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/clipboard_text.h"
#include "document/csv_writer.h"
#include "document/document_file.h"
#include "document/quote_document.h"
#include "document/xlsx_writer.h"
#include "modules/xlsx_output.h"
#include "sheet/sheet_edits.h"
#include "tests/file_size_limit.h"

namespace rq {
namespace {

namespace fs = std::filesystem;

// An RFC 4180 reader, independent of the writer: quoted fields may hold anything.
std::vector<std::vector<Text>> ReadCsv(std::string_view text)
{
    std::vector<std::vector<Text>> records(1, std::vector<Text>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        Text& field = records.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            records.emplace_back(1);
        } else {
            field += c;
        }
    }
    records.pop_back();  // after the last CR LF
    return records;
}

QuoteSheet SheetWithTexts()
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("客厅");
    sheet.AppendItemRow("顶面批腻子", "M2", "8.96", "13", true, TotalForm::Single);
    sheet.AppendItemRow("墙面\"批\"腻子, 两遍", "M2", "1", "12", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("吊顶\n(含灯槽)\r\n石膏板", "M", "2", "115", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("电视背景墙 😀", "项", "1", "1200", true, TotalForm::WholeYuan);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow("其它的");
    return sheet;
}

TEST(QuoteDocument, CsvReadsBackAsTheSheetWithQuotesCommasLineBreaksAndEmoji)
{
    QuoteSheet sheet = SheetWithTexts();
    AddItem(sheet, "半包装修详细报价", {"包水管", "2", "75"});
    const QuoteDetails details{"张\"三\", 先生", "", "", "2026年1月2日", "Q-01", "两行\n备注", "30 天"};
    QuoteDocument document =
        SheetDocument(sheet, "半包装修详细报价", DetailFields(details, "默认价格表"), QuoteDate(details, "2099年1月1日"));
    // Two rooms of one name, told apart by their sizes.
    StateQuoteBasis(document, {{{{"卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"}},
                                {{"卧室", "3000*2800*2800", "900*1500", "(无)", "0", "3"}}},
                               "舒适型装修",
                               FloorChoice::Tiles});
    const Text csv = CsvText(document);
    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF"));
    const auto records = ReadCsv(std::string_view(csv).substr(3));
    using Record = std::vector<Text>;
    const Record none{""};  // the empty record that closes a part
    // The details one a line, the notes after every other; what the quote was computed
    // from; the rooms; the items; the signatures.
    const std::vector<Record> head = {
        {"半包装修详细报价"},
        {"青禾空间装饰   青禾改变生活    装饰热线：0123-4567890    网址：www.qinghe-space.example"},
        {"客户：张\"三\", 先生"}, {"报价单号：Q-01"}, {"有效期：30 天"}, {"价格表：默认价格表"},
        {"日期：2026年1月2日"}, {"备注：两行\n备注"}, none,
        {"装修类型：舒适型装修    承包方式：半包    客餐厅地面：地砖"}, none,
        {"序号", "房屋类型", "长*宽*高", "窗户", "门", "扇数", "墙面数"},
        {"1", "卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"},
        {"2", "卧室", "3000*2800*2800", "900*1500", "(无)", "0", "3"}, none,
        {"序号", "项目名称", "单位", "数量", "单价", "总计", "说明"},
    };
    const std::size_t rows = static_cast<std::size_t>(sheet.RowCount());
    ASSERT_EQ(records.size(), head.size() + rows + 3);
    for (std::size_t record = 0; record < head.size(); ++record)
        EXPECT_EQ(records[record], head[record]) << "record " << record;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const QuoteRow cells = sheet.row(row);
        std::vector<Text> expected(cells.begin(), cells.end());
        expected.push_back(sheet.GetKind(row) == RowKind::AddedItem ? "添加项" : "");
        EXPECT_EQ(records[head.size() + static_cast<std::size_t>(row)], expected) << "row " << row;
    }
    EXPECT_EQ(records[head.size() + rows], none);
    EXPECT_TRUE(records[head.size() + rows + 1].front().starts_with("业主签字：")) << records[head.size() + rows + 1].front();
    EXPECT_TRUE(records[head.size() + rows + 2].front().starts_with("公司盖章：")) << records[head.size() + rows + 2].front();
}

TEST(QuoteDocument, HeadersAndTotalsStandOutAndAddedColumnOnlyWhenThereAreAddedItems)
{
    QuoteSheet sheet = SheetWithTexts();
    // An item the user named like the total is still an item.
    sheet.AppendItemRow("工程总造价", "项", "1", "5", true, TotalForm::WholeYuan);
    const QuoteDocument plain = SheetDocument(sheet, "半包装修详细报价", {}, "");
    EXPECT_EQ(plain.ColumnCount(), kSheetColumnCount);
    AddItem(sheet, "半包装修详细报价", {"包水管", "2", "75"});
    const QuoteDocument document = SheetDocument(sheet, "半包装修详细报价", {}, "");
    ASSERT_EQ(document.ColumnCount(), kSheetColumnCount + 1);
    int added = 0;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const DocumentRow& shown = document.rows[static_cast<std::size_t>(row)];
        const std::string_view name = sheet.GetCell(row, kItemName);
        const RowEmphasis expected = name == "工程总造价" && sheet.GetCell(row, kUnit).empty() ? RowEmphasis::Total
                                     : name == "客厅" || name == "其它的" ? RowEmphasis::Heading
                                                                          : RowEmphasis::Plain;
        EXPECT_EQ(shown.emphasis, expected) << name;
        EXPECT_EQ(shown.cells.back() == kAddedItemMark, sheet.GetKind(row) == RowKind::AddedItem) << name;
        added += shown.cells.back() == kAddedItemMark;
    }
    EXPECT_EQ(added, 1);
}

TEST(QuoteDocument, EstimateIsOneLineARowWithoutHeads)
{
    QuoteDocument document = EstimateDocument("第一行\r\n\r\n  第三行\n最后", {}, "2026年1月2日");
    EXPECT_EQ(document.title, kEstimateDocumentTitle);
    EXPECT_TRUE(document.columnHeads.empty());
    ASSERT_EQ(document.rows.size(), 4u);
    EXPECT_EQ(document.rows[2].cells, std::vector<Text>{"  第三行"});
    EXPECT_EQ(document.rows[3].cells, std::vector<Text>{"最后"});
    EXPECT_EQ(document.signatureLines.size(), 2u);
    StateEstimateBasis(document, {"3", "2", "1", "1", "0", "88.5", "精  装  修"});
    EXPECT_EQ(BasisLine(document), "户型：3室2厅1厨1卫0阳台    实际面积：88.5平方米    装修类型：精  装  修");
}

// The report's lines that price something become a label and an amount a spreadsheet can
// add up; areas, prose and the banner stay text only.
TEST(QuoteDocument, EstimateFiguresAreThePricedLinesOfTheReport)
{
    const std::pair<const char*, const char*> cases[] = {
        {"客餐厅铺地板舒适装修的价格为：28169.7元", "28169.7"},
        {"衣柜：9000元", "9000"},
        {"鞋柜:650", "650"},
        {" 衣柜移门：1200元", "1200"},
        {"客餐厅铺地板全包装修的价格为：2.63568e+006元", "2.63568e+006"},
        {"厨房面积为：5平方米", nullptr},
        {"下面是普地板或是地砖的，不可重复计算。", nullptr},
        {"注：舒适型装修的半包装修包括：批腻子、乳胶漆", nullptr},
        {"*水电改造按实际发生量计算！", nullptr},
        {"电话：0123", nullptr},  // a leading zero makes no figure
    };
    for (const auto& [line, amount] : cases) {
        const QuoteDocument document = EstimateDocument(line, {}, "");
        const bool priced = amount != nullptr;
        ASSERT_EQ(document.figures.rows.size(), priced ? 1u : 0u) << line;
        if (!priced)
            continue;
        EXPECT_EQ(document.figures.heads, (std::vector<Text>{"项目", "金额（元）"}));
        EXPECT_EQ(document.figures.rows[0].cells[1], amount) << line;
        EXPECT_FALSE(document.figures.rows[0].cells[0].starts_with(' ')) << line;
    }
}

TEST(QuoteDocument, CellsReadAsNumbersOnlyWhenTheSpreadsheetShowsThemAsWritten)
{
    struct Case {
        const char* text;
        bool number;
        double value;
        int decimals;
    };
    const Case cases[] = {
        {"313", true, 313, 0},     {"116.48", true, 116.48, 2}, {"-8.96", true, -8.96, 2},
        {"2%", true, 0.02, 0},     {"2.5%", true, 0.025, 1},     {"0", true, 0, 0},
        {"2.63568e+006", true, 2635680, 5},
        {"007", false, 0, 0},      {"1.", false, 0, 0},         {".5", false, 0, 0},
        {"+3", false, 0, 0},       {" 3", false, 0, 0},         {"3 ", false, 0, 0},
        {"1,200", false, 0, 0},    {"inf", false, 0, 0},        {"nan", false, 0, 0},
        {"0x10", false, 0, 0},     {"１２", false, 0, 0},       {"", false, 0, 0},
        {"%", false, 0, 0},        {"1e", false, 0, 0},         {"1e999", false, 0, 0},
        {"-", false, 0, 0},
    };
    for (const Case& c : cases) {
        CellNumber number;
        ASSERT_EQ(ReadCellNumber(c.text, number), c.number) << c.text;
        if (!c.number)
            continue;
        EXPECT_DOUBLE_EQ(number.value, c.value) << c.text;
        EXPECT_EQ(number.decimals, c.decimals) << c.text;
        EXPECT_EQ(number.percent, std::string_view(c.text).ends_with('%')) << c.text;
    }
}

TEST(QuoteDocument, WorksheetNamesKeepWhatASpreadsheetAllows)
{
    const std::pair<const char*, const char*> cases[] = {
        {"全包装修详细报价", "全包装修详细报价"},
        {"报价[1]: a/b\\c*?", "报价1 abc"},
        {"'引号'", "引号"},
        {"", "报价"},
        {"[]:*?", "报价"},
        {"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二", "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"},
    };
    for (const auto& [caption, name] : cases)
        EXPECT_EQ(WorksheetName(caption), name) << caption;
}

TEST(QuoteDocument, ClipboardGivesTheHeadsThenCellsAsTabsAndAsAnHtmlTable)
{
    const QuoteDocument document = SheetDocument(SheetWithTexts(), "半包装修详细报价", {}, "");
    const ClipboardText copied = RowsForClipboard(document, {0, 2, 3, 99});
    EXPECT_EQ(copied.tabSeparated,
              "序号\t项目名称\t单位\t数量\t单价\t总计\n"
              "\t客厅\t\t\t\t\n"
              "2\t\"墙面\"\"批\"\"腻子, 两遍\"\tM2\t1\t12\t12\n"
              "3\t\"吊顶\n(含灯槽)\r\n石膏板\"\tM\t2\t115\t230\n");
    EXPECT_NE(copied.html.find("<tr><th>序号</th><th>项目名称</th>"), Text::npos) << copied.html;
    EXPECT_NE(copied.html.find("<td style=\"font-weight:bold\">客厅</td>"), Text::npos) << copied.html;
    EXPECT_NE(copied.html.find("<td>墙面&quot;批&quot;腻子, 两遍</td>"), Text::npos);
    EXPECT_NE(copied.html.find("<td>吊顶<br>(含灯槽)<br>石膏板</td>"), Text::npos);
    EXPECT_EQ(copied.html.find("99"), Text::npos);

    // The added-item mark goes with its head, as in the documents.
    QuoteSheet added = SheetWithTexts();
    AddItem(added, "半包装修详细报价", {"包水管", "2", "75"});
    const ClipboardText withMark = RowsForClipboard(SheetDocument(added, "半包装修详细报价", {}, ""), {0});
    EXPECT_TRUE(withMark.tabSeparated.starts_with("序号\t项目名称\t单位\t数量\t单价\t总计\t说明\n"))
        << withMark.tabSeparated;
}

TEST(QuoteDocument, FormatsFollowTheExtension)
{
    const std::pair<const char*, std::optional<DocumentFormat>> cases[] = {
        {"a.tsv", DocumentFormat::Tsv}, {"a.TXT", DocumentFormat::Tsv},  {"报价.csv", DocumentFormat::Csv},
        {"a.Xlsx", DocumentFormat::Xlsx}, {"dir/a.pdf", DocumentFormat::Pdf}, {"a.xls", std::nullopt},
        {"pdf", std::nullopt},            {".pdf", std::nullopt},            {"dir/.csv", std::nullopt},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(FormatOfPath(path), format) << path;
}

TEST(QuoteDocument, FailedOrStoppedWritesLeaveTheEarlierFileAsItWas)
{
    const fs::path folder = fs::temp_directory_path() / ("renoquote_document_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "quote.xlsx").string();
    std::ofstream(path) << "earlier";
    const QuoteDocument document = SheetDocument(SheetWithTexts(), "半包装修详细报价", {}, "");

    const WriteResult stopped = WriteXlsx(document, path, [](int, int) { return false; });
    EXPECT_EQ(stopped.status, WriteResult::Status::Stopped);
    const WriteResult failed = WriteBytes((folder / "missing" / "quote.csv").string(), "x");
    EXPECT_EQ(failed.status, WriteResult::Status::Failed);
    EXPECT_NE(failed.problem.find("文件夹不存在"), Text::npos) << failed.problem;
    // A file size limit fails the packing of the workbook as a full disk does.
    const WriteResult full = testing::WithFileSizeLimit(512, [&] { return WriteXlsx(document, path); });
    EXPECT_NE(full.problem.find("（磁盘空间不足）"), Text::npos) << full.problem;
    QuoteDocument tall = document;
    tall.rows.resize(1u << 20);
    const WriteResult tooTall = WriteXlsx(tall, path);
    EXPECT_NE(tooTall.problem.find("电子表格最多只能放 1048576 行"), Text::npos) << tooTall.problem;
    std::ifstream earlier(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "a temporary file was left";

    EXPECT_TRUE(WriteXlsx(document, path).written());
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}).substr(0, 2), "PK");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace rq
