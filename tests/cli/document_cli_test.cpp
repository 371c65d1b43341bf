// renoquote-cli --output: every format written by the command and read back with a real
// reader (pdftotext and pdffonts, Python's csv module, openpyxl).
#include <gtest/gtest.h>

#include <unistd.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_runner.h"

namespace rq {
namespace {

namespace fs = std::filesystem;
using rq::testing::CliRun;
using rq::testing::ReadFile;
using rq::testing::RunCli;
using rq::testing::RunProgram;

const std::string kRooms = std::string(RENOQUOTE_TEST_DATA_DIR) + "/quote_two_rooms.txt";
const std::string kReadBack = std::string(RENOQUOTE_TEST_SOURCE_DIR) + "/cli/read_back.py";

class DocumentOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("renoquote_documents_" + std::to_string(getpid()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    // The sheet as the command prints it, kept as a file for the reader to compare with.
    std::string printedSheet(const std::vector<std::string>& args)
    {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 0) << run.err;
        std::ofstream(path("sheet.tsv"), std::ios::binary) << run.out;
        return run.out;
    }

    fs::path m_folder;
};

TEST_F(DocumentOutput, SpreadsheetsReadBackAsTheSheet)
{
    // Texts a spreadsheet reader trips over: quotes, commas, an emoji, a leading zero.
    std::ofstream(path("edits.txt"), std::ios::binary)
        << "modify\t2\t墙面\"批\",腻子 😀\tM2\t007\t12\n"
        << "add\t包水管, \"加长\"\t2\t75\n";
    const std::vector<std::string> args = {"quote", "--package", "full", "--edits", path("edits.txt"), kRooms};
    printedSheet(args);
    for (const std::string kind : {"csv", "xlsx"}) {
        std::vector<std::string> withOutput = args;
        withOutput.insert(withOutput.end(), {"--output", path("quote." + kind)});
        const CliRun run = RunCli(withOutput);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        const CliRun read = RunProgram("/usr/bin/python3", {kReadBack, kind, path("quote." + kind),
                                        path("sheet.tsv"), "全包装修详细报价"}, {});
        EXPECT_EQ(read.out, "same\n") << kind << read.err;
    }
}

#ifdef RENOQUOTE_CLI_HAS_PDF

std::string PdfText(const std::string& file) { return RunProgram("/usr/bin/pdftotext", {file, "-"}, {}).out; }

int PdfPages(const std::string& file)
{
    std::smatch match;
    const std::string info = RunProgram("/usr/bin/pdfinfo", {file}, {}).out;
    return std::regex_search(info, match, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(match[1]) : 0;
}

// The last figure of the printed sheet: "全包总价格" or "工程总造价".
std::string LastTotal(const std::string& sheet)
{
    const std::string lastLine = sheet.substr(sheet.rfind('\n', sheet.size() - 2) + 1);
    return lastLine.substr(lastLine.rfind('\t') + 1, lastLine.size() - lastLine.rfind('\t') - 2);
}

TEST_F(DocumentOutput, PdfShowsTheChineseTextsTotalsAndPageFootWithEmbeddedFonts)
{
    const std::string sheet = printedSheet({"quote", "--package", "full", kRooms});
    ASSERT_EQ(RunCli({"quote", "--package", "full", kRooms, "--output", path("quote.pdf")}).status, 0);
    const std::string text = PdfText(path("quote.pdf"));
    for (const std::string& expected : std::vector<std::string>{"全包装修详细报价", "青禾空间装饰", "装饰热线：0123-4567890", "墙顶面乳胶漆",
                                       "工程总造价", "全包总价格", LastTotal(sheet), "第 1 页 共"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;

    ASSERT_EQ(RunCli({"estimate", "--output", path("estimate.pdf")}).status, 0);
    const std::string estimate = PdfText(path("estimate.pdf"));
    for (const std::string expected : {"快速预算报价", "客餐厅铺地板舒适装修的价格为：28169.7元", "计算详情",
                                       "*水电改造按实际发生量计算！", "第 1 页 共"})
        EXPECT_NE(estimate.find(expected), std::string::npos) << expected << "\n" << estimate;
    // A name in GBK (报价.pdf), as files copied from an older system have: the pages are in it.
    ASSERT_EQ(RunCli({"quote", kRooms, "--output", path("\xB1\xA8\xBC\xDB.pdf")}).status, 0);
    EXPECT_NE(PdfText(path("\xB1\xA8\xBC\xDB.pdf")).find("工程总造价"), std::string::npos);

    for (const std::string file : {"quote.pdf", "estimate.pdf"}) {
        const std::string fonts = RunProgram("/usr/bin/pdffonts", {path(file)}, {}).out;
        std::istringstream lines(fonts);
        int listed = 0;
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("name") || line.starts_with("----"))
                continue;
            ++listed;
            EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
        }
        EXPECT_GT(listed, 0) << fonts;
    }
}

TEST_F(DocumentOutput, LongItemNamesWrapWithinTheirColumnAndLoseNothing)
{
    std::string name;
    for (int i = 0; i < 12; ++i)
        name += "双层石膏板吊顶含灯槽";
    name += "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
    // One text as a name, where it fits its column, and as a unit, where it must wrap in the
    // narrow one: a text measured once is still fitted to every column it stands in.
    const std::string shared = "墙面乳胶漆加长";
    std::ofstream(path("edits.txt"), std::ios::binary)
        << "modify\t2\t" << name << "\tM2\t8.96\t13\n"
        << "modify\t4\t" << shared << "\tM\t8.1\t115\n"
        << "modify\t5\t电视背景墙\t" << shared << "\t1\t1200\n";
    ASSERT_EQ(RunCli({"quote", kRooms, "--edits", path("edits.txt"), "--output", path("long.pdf")}).status, 0);
    const std::string boxes = RunProgram("/usr/bin/pdftotext", {"-bbox", path("long.pdf"), "-"}, {}).out;
    int whole = 0;
    for (std::size_t at = boxes.find(">" + shared + "<"); at != std::string::npos;
         at = boxes.find(">" + shared + "<", at + 1))
        ++whole;
    EXPECT_EQ(whole, 1) << "whole in the name column only\n" << boxes;
    std::string text = PdfText(path("long.pdf"));
    const std::size_t first = text.find("双层石膏板");
    ASSERT_NE(first, std::string::npos) << text;
    // The reader gives the name's lines in a block, the unit beside its first line.
    std::string lines = text.substr(first, text.find("\n\n", first) - first);
    if (const std::size_t unit = lines.find(" M2"); unit != std::string::npos)
        lines.erase(unit, 3);
    std::erase(lines, '\n');
    EXPECT_EQ(lines, name) << "the name runs over several lines, every character kept\n" << text;
    EXPECT_NE(text.find("双层石膏板吊顶含灯槽\n"), std::string::npos) << "wrapped, not one line\n" << text;
}

TEST_F(DocumentOutput, LongPdfRepeatsTheHeadsAndCountsItsPages)
{
    std::string rooms;
    for (int i = 0; i < 60; ++i)
        rooms += "卧室\t4000*3500*2800\t1500*1500\t实木门\t1\t4\n";
    std::ofstream(path("rooms.txt"), std::ios::binary) << rooms;
    ASSERT_EQ(RunCli({"quote", "--package", "full", path("rooms.txt"), "--output", path("long.pdf")}).status, 0);
    const int pages = PdfPages(path("long.pdf"));
    ASSERT_GT(pages, 2);
    const std::string text = PdfText(path("long.pdf"));
    // Every page carries the heads of the table it goes on with: the rooms', then the items'.
    std::istringstream pageTexts(text);
    int headed = 0;
    for (std::string page; std::getline(pageTexts, page, '\f');)
        headed += page.find("房屋类型") != std::string::npos || page.find("项目名称") != std::string::npos;
    EXPECT_EQ(headed, pages);
    EXPECT_LT(text.rfind("4000*3500*2800"), text.find("项目名称")) << "the items begin after the last room";
    for (int page = 1; page <= pages; ++page) {
        const std::string foot = "第 " + std::to_string(page) + " 页 共 " + std::to_string(pages) + " 页";
        EXPECT_NE(text.find(foot), std::string::npos) << foot;
    }
}

// Notes longer than a page go on over the next pages, every line of them, and the table
// follows them, its heads not left alone at a page's foot.
TEST_F(DocumentOutput, NotesLongerThanAPageLoseNoLineAndTheTableFollowsThem)
{
    ASSERT_EQ(RunCli({"quote", kRooms, "--save-project", path("p.renoquote")}).status, 0);
    std::string project = ReadFile(path("p.renoquote"));
    std::string notes;
    for (int line = 0; line < 300; ++line)
        notes += "备注第" + std::to_string(line) + "行\\n";
    const std::size_t at = project.find("\"notes\": \"\"");
    ASSERT_NE(at, std::string::npos) << project;
    project.insert(at + 10, notes);
    std::ofstream(path("p.renoquote"), std::ios::binary) << project;
    const CliRun run = RunCli({"quote", "--project", path("p.renoquote"), "--output", path("notes.pdf")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = PdfText(path("notes.pdf"));
    std::size_t previous = 0;
    for (int line = 0; line < 300; ++line) {
        const std::size_t found = text.find("备注第" + std::to_string(line) + "行");
        ASSERT_NE(found, std::string::npos) << line << "\n" << text;
        EXPECT_GT(found, previous);
        previous = found;
    }
    EXPECT_GT(PdfPages(path("notes.pdf")), 2);
    EXPECT_GT(text.find("项目名称"), previous);
    EXPECT_NE(text.find("工程总造价"), std::string::npos);
}

#else

TEST_F(DocumentOutput, BuildWithoutTheWindowsRefusesPdf)
{
    const CliRun run = RunCli({"quote", kRooms, "--output", path("quote.pdf")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("PDF"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path("quote.pdf")));
}

#endif

// An installed command (here a copy outside the build tree) finds its modules in the
// library folder beside its own; one missing there is named, and nothing is written.
TEST_F(DocumentOutput, InstalledCommandLoadsItsWritersFromBesideItself)
{
    struct Writer {
        std::string extension;
        std::string module;  // built module, to be installed
        std::string header;  // how the file starts
    };
    std::vector<Writer> writers = {{"xlsx", RENOQUOTE_XLSX_MODULE_PATH, "PK"}};
#ifdef RENOQUOTE_CLI_HAS_PDF
    writers.push_back({"pdf", RENOQUOTE_PDF_MODULE_PATH, "%PDF-"});
#endif
    const fs::path program = m_folder / "bin" / "renoquote-cli";
    const fs::path modules = m_folder / RENOQUOTE_MODULE_INSTALL_DIR;
    fs::create_directories(program.parent_path());
    fs::create_directories(modules);
    fs::copy_file(RENOQUOTE_CLI_PATH, program);
    for (const Writer& writer : writers) {
        const std::string file = path("quote." + writer.extension);
        const CliRun missing = RunProgram(program.string(), {"quote", kRooms, "--output", file}, {});
        EXPECT_EQ(missing.status, 1) << writer.extension;
        EXPECT_NE(missing.err.find("找不到输出"), std::string::npos) << missing.err;
        EXPECT_NE(missing.err.find((modules / fs::path(writer.module).filename()).string()), std::string::npos) << missing.err;
        EXPECT_FALSE(fs::exists(file));

        fs::copy_file(writer.module, modules / fs::path(writer.module).filename());
        const CliRun installed = RunProgram(program.string(), {"quote", kRooms, "--output", file}, {});
        EXPECT_EQ(installed.status, 0) << installed.err;
        EXPECT_EQ(ReadFile(file).substr(0, writer.header.size()), writer.header);
    }
}

// The lines of a spreadsheet as read_back.py reads them: filled cells joined by tabs.
std::string SpreadsheetLines(const std::string& kind, const std::string& file)
{
    const CliRun read = RunProgram("/usr/bin/python3", {kReadBack, "lines", kind, file}, {});
    EXPECT_EQ(read.status, 0) << read.err;
    return read.out;
}

// Each text found after the one before it.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& expected, const std::string& what)
{
    std::size_t at = 0;
    for (const std::string& piece : expected) {
        const std::size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << what << ": " << piece << " not after the pieces before it\n" << text;
        at = found + piece.size();
    }
}

// A quote sent to someone says whom it is for and how long it holds, the notes last; what
// it was computed from, the two rooms of one name told apart; and where both sides sign.
TEST_F(DocumentOutput, ProjectDocumentsStateTheDetailsTheRoomsAndWhereToSign)
{
    std::ofstream(path("rooms.txt"), std::ios::binary) << "卧室\t4000*3500*2800\t1500*1500\t实木门\t1\t4\n"
                                                        << "卧室\t3000*2800*2800\t900*1500\t(无)\t0\t3\n";
    ASSERT_EQ(RunCli({"quote", "--grade", "豪华型装修", "--floor", "tiles", path("rooms.txt"), "--save-project",
                      path("job.renoquote")}).status, 0);
    std::string notes;
    for (int i = 0; i < 12; ++i)
        notes += "业主自购主材须提前三天到场";
    const CliRun edit = RunProgram("/usr/bin/python3",
                                   {"-c",
                                    "import json, sys\n"
                                    "p = sys.argv[1]; d = json.load(open(p, encoding='utf-8'))\n"
                                    "d['details'] = {'customer': '张先生', 'date': '2024年5月1日', 'quoteNumber': 'QH-7',\n"
                                    "                'validity': '30 天', 'notes': sys.argv[2] + '\\n第二行'}\n"
                                    "json.dump(d, open(p, 'w', encoding='utf-8'), ensure_ascii=False)\n",
                                    path("job.renoquote"), notes},
                                   {});
    ASSERT_EQ(edit.status, 0) << edit.err;
    const std::vector<std::string> stated = {
        "客户：张先生", "报价单号：QH-7", "有效期：30 天", "价格表：默认价格表", "日期：2024年5月1日",
        "备注：" + notes + "\n第二行", "装修类型：豪华型装修    承包方式：半包    客餐厅地面：地砖",
        "序号\t房屋类型\t长*宽*高\t窗户\t门\t扇数\t墙面数",
        "1\t卧室\t4000*3500*2800\t1500*1500\t实木门\t1\t4", "2\t卧室\t3000*2800*2800\t900*1500\t(无)\t0\t3",
        "序号\t项目名称", "工程总造价", "业主签字：", "公司盖章："};
    for (const std::string kind : {"csv", "xlsx"}) {
        const std::string file = path("job." + kind);
        const CliRun run = RunCli({"quote", "--project", path("job.renoquote"), "--output", file});
        ASSERT_EQ(run.status, 0) << run.err;
        std::string lines = SpreadsheetLines(kind, file);
        EXPECT_EQ(lines.find("not wrapped"), std::string::npos) << lines;
        std::erase(lines, '#');  // the workbook's figures read as the texts they show
        ExpectInOrder(lines, stated, kind);
    }

#ifdef RENOQUOTE_CLI_HAS_PDF
    ASSERT_EQ(RunCli({"quote", "--project", path("job.renoquote"), "--output", path("job.pdf")}).status, 0);
    ExpectInOrder(PdfText(path("job.pdf")),
                  {"张先生", "有效期：", "30 天", "日期：", "2024年5月1日", "备注：", "业主自购主材", "第二行",
                   "装修类型：豪华型装修", "房屋类型", "4000*3500*2800", "3000*2800*2800", "项目名称", "工程总造价",
                   "业主签字：", "公司盖章："},
                  "pdf");
    // The labels stand in one column, the values in the next: every line of the notes
    // starts where the customer's name starts, none under the labels.
    const std::string boxes = RunProgram("/usr/bin/pdftotext", {"-bbox", path("job.pdf"), "-"}, {}).out;
    const std::regex word("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    double valueColumn = -1;
    int noteLines = 0;
    bool inNotes = false;
    for (std::sregex_iterator it(boxes.begin(), boxes.end(), word), end; it != end; ++it) {
        const double x = std::stod((*it)[1]);
        const std::string text = (*it)[2];
        if (text == "张先生")
            valueColumn = x;
        if (text.starts_with("装修类型"))
            break;
        if (inNotes) {
            ++noteLines;
            EXPECT_NEAR(x, valueColumn, 1.0) << text;
        }
        inNotes = inNotes || text == "备注：";
    }
    EXPECT_GT(valueColumn, 20);
    EXPECT_GT(noteLines, 2) << "the notes wrap within their column\n" << boxes;
#endif
}

// The estimate's workbook holds the four prices and every priced line as figures.
TEST_F(DocumentOutput, EstimateWorkbookHoldsItsFiguresAsNumbers)
{
    ASSERT_EQ(RunCli({"estimate", "--output", path("estimate.xlsx")}).status, 0);
    const std::string lines = SpreadsheetLines("xlsx", path("estimate.xlsx"));
    ExpectInOrder(lines,
                  {"户型：3室2厅1厨1卫1阳台    实际面积：100平方米    装修类型：舒适型装修", "项目\t金额（元）",
                   "客餐厅铺地板舒适装修的价格为\t#28169.7", "客餐厅铺瓷砖全包装修的价格为\t#49383.7",
                   "厨房瓷砖铺贴费用\t#511", "鞋柜\t#650", "衣柜移门\t#1200", "客餐厅铺砖全包的五金、厨房、地砖、卫生间\t#15572",
                   "业主签字："},
                  "estimate.xlsx");
    // The 4 prices, the 22 priced lines of the details and the 3 closing ones; no area.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '#'), 29) << lines;
}

TEST_F(DocumentOutput, RefusesAnUnknownFormatAndKeepsTheOldFileWhenWritingFails)
{
    const CliRun unknown = RunCli({"quote", kRooms, "--output", path("quote.doc")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(".xlsx"), std::string::npos) << unknown.err;

    const CliRun missing = RunCli({"quote", kRooms, "--output", path("no/such/folder/quote.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("文件夹不存在"), std::string::npos) << missing.err;

    // A named pipe (or a device) is not replaced by the document.
    ASSERT_EQ(::mkfifo(path("pipe.csv").c_str(), 0600), 0);
    const CliRun pipe = RunCli({"quote", kRooms, "--output", path("pipe.csv")});
    EXPECT_EQ(pipe.status, 1);
    EXPECT_NE(pipe.err.find("这不是一个普通文件"), std::string::npos) << pipe.err;
    EXPECT_TRUE(fs::is_fifo(path("pipe.csv")));

    // The text formats are the printed sheet, byte for byte.
    const std::string sheet = printedSheet({"quote", kRooms});
    ASSERT_EQ(RunCli({"quote", kRooms, "--output", path("quote.tsv")}).status, 0);
    EXPECT_EQ(ReadFile(path("quote.tsv")), sheet);
}

}  // namespace
}  // namespace rq
