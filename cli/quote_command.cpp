// renoquote-cli quote: a detailed quote sheet from a list of rooms, with optional edits,
// printed as tab-separated lines.
#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/document_output.h"
#include "cli/input_file.h"
#include "cli/large_quote_memory.h"
#include "cli/options.h"
#include "prices/price_book_file.h"
#include "cli/quote_project.h"
#include "cli/room_edit_files.h"
#include "convert/convert.h"
#include "convert/encoding.h"
#include "convert/outcome.h"
#include "document/quote_document.h"
#include "project/project_file.h"
#include "quote/engine.h"
#include "quote/whole_yuan.h"
#include "convert/utf8.h"

namespace rq::cli {
namespace {

constexpr std::string_view kCommand = "renoquote-cli quote: ";

constexpr std::string_view kHelp =
    "用法: renoquote-cli quote [选项] [房间文件]\n"
    "按房间逐项计算详细报价单(半包或全包)，可再对报价单做修改、删除和添加项目，\n"
    "然后把整张报价单输出到标准输出。\n"
    "\n"
    "房间文件: UTF-8 文本，每行一个房间，六项用制表符(Tab)隔开，顺序同房间列表:\n"
    "    房屋类型  房间长宽高  窗户长高  门的类型  门的扇数  墙面数\n"
    "  例如: 客厅<Tab>4500*3600*2800<Tab>1500*1500<Tab>(无)<Tab>0<Tab>4\n"
    "  空行跳过；缺少的项当作空文字。不写文件名或写 - 时从标准输入读取。\n"
    "  房间文件和修改文件最大 256 MiB，每行最多 1 MiB，不能含空字符(NUL)。\n"
    "  每一行都像按\"添加\"按钮一样检查(长*宽*高 要三段，长*高 要两段；门为\"(无)\"时\n"
    "  扇数记为 0)。有一行不合格就在标准错误上给出行号和提示，不输出报价单。\n"
    "\n"
    "选项:\n"
    "  --package half|full   半包(默认)或全包\n"
    "  --grade 文字          装修类型，默认 舒适型装修；可选 出租房装修、经济型装修、\n"
    "                        舒适型装修、「精  装  修」、豪华型装修(空格可省略)\n"
    "  --floor boards|tiles  客餐厅铺地板(默认)或瓷砖\n"
    "  --unchecked           不检查房间行，按原样使用(同修改房间时一样)\n"
    "  --prices 文件         用这个价格表报价(.renoquote-prices、.json、.csv 或 .xlsx)，不用默认\n"
    "                        价格表；可用 renoquote-cli prices export 写出默认价格表再修改。\n"
    "                        与 --project 同用时按这个价格表重新计算项目的报价单(原报价单中\n"
    "                        的修改不再保留)；不给时用项目保存的价格表\n"
    "  --edits 文件          依次对算好的报价单做的修改，UTF-8 文本，每行一项，用 Tab 隔开:\n"
    "                          modify<Tab>行<Tab>项目名称<Tab>单位<Tab>数量<Tab>单价\n"
    "                          delete<Tab>行\n"
    "                          add<Tab>项目名称<Tab>数量<Tab>单价\n"
    "                          undo   撤销上一项修改(同窗口中的 Ctrl+Z)\n"
    "                          redo   重做撤销的修改(同 Ctrl+Y)；撤销后做了别的修改就不能再重做\n"
    "                        \"行\"是当时报价单中选中的行，从 0 数起，-1 表示没有选中；\n"
    "                        各项文字同在输入框中输入的一样，不是数字的读作 0。\n"
    "                        总计算不出(数量或单价太大)或超出金额范围的修改被拒绝。\n"
    "  --encoding utf-8|gbk  输出编码，默认 utf-8(房间文件和修改文件总是 UTF-8)\n"
    "  --project 文件        不读房间文件，打开 renoquote 项目文件(.renoquote)，对其中\n"
    "                        --package 的报价单继续做 --edits 的修改；项目中没有这张报价单时\n"
    "                        按项目的房间、装修类型和地面新算一张\n"
    "  --save-project 文件   把这次的房间、选择、价格表和修改后的报价单保存为项目文件，可在桌面程序中\n"
    "                        打开；与 --project 同用时保存打开的项目(可以是同一个文件)\n"
    "%OUTPUT%"
    "                        与 --project 同用时，文件中带项目的报价详情(客户、地址等)。\n"
    "  --help                显示本说明\n"
    "\n"
    "输出: 第一行是列标题(序号 项目名称 单位 数量 单价 总计)，然后每行一个报价单行，\n"
    "六格用 Tab 隔开，空格子照样保留。标准输出上没有别的内容。\n"
    "选项的值也可以写成 --grade=文字 的形式。\n"
    "\n"
    "报价单中的金额超过 %LARGEST% 元时拒绝报价，说明是哪个房间。\n"
    "\n"
    "退出状态: 0 已输出；1 读写失败；2 输入被拒绝或用法错误(一行说明写到标准错误)。\n";

struct Options {
    CommonOptions common;
    Text package{kHalfPackage};
    Text grade{kComfortGrade};
    FloorChoice floor = FloorChoice::Boards;
    bool unchecked = false;
    std::optional<std::string> editsPath;
    std::optional<std::string> roomsPath;
    std::optional<std::string> projectPath;
    std::optional<std::string> saveProjectPath;
    std::optional<std::string> pricesPath;
    bool quoteChoicesGiven = false;  // --grade, --floor or --unchecked: a project brings its own
};

constexpr std::string_view kFlags[] = {"--unchecked"};
constexpr std::string_view kValued[] = {"--package", "--grade", "--floor", "--edits", "--project", "--save-project",
                                       "--prices"};

std::optional<Text> TakeOption(Options& options, std::string_view name, std::string_view value)
{
    if (name == "--unchecked") {
        options.unchecked = true;
        options.quoteChoicesGiven = true;
    } else if (name == "--package") {
        if (value != "half" && value != "full")
            return "--package 只能是 half 或 full，不是 " + ShortPiece(value);
        options.package = Text(value == "half" ? kHalfPackage : kFullPackage);
    } else if (name == "--grade") {
        if (std::optional<Text> problem = ReadGradeOption(value, options.grade))
            return problem;
        options.quoteChoicesGiven = true;
    } else if (name == "--floor") {
        if (value != "boards" && value != "tiles")
            return "--floor 只能是 boards 或 tiles，不是 " + ShortPiece(value);
        options.floor = value == "boards" ? FloorChoice::Boards : FloorChoice::Tiles;
        options.quoteChoicesGiven = true;
    } else if (name == "--edits") {
        options.editsPath = Text(value);
    } else if (name == "--project") {
        options.projectPath = Text(value);
    } else if (name == "--prices") {
        options.pricesPath = Text(value);
    } else {
        options.saveProjectPath = Text(value);
    }
    return std::nullopt;
}

std::optional<Text> ParseQuoteOptions(const std::vector<std::string>& args, Options& options)
{
    return ParseOptions(
        args, {kFlags, kValued}, options.common,
        [&](std::string_view name, std::string_view value) { return TakeOption(options, name, value); },
        [&](std::string_view argument) -> std::optional<Text> {
            if (options.roomsPath)
                return "只能给一个房间文件，多出了 " + ShortPiece(argument, 80);
            options.roomsPath = Text(argument);
            return std::nullopt;
        });
}

// The lines of the output (the heading is the first) whose cells held a tab or a line
// break, written as blanks; ten are named.
struct FlattenedLines {
    int count = 0;
    int last = 0;
    Text named;

    void add(int line)
    {
        if (line == last)
            return;  // another cell of the same line
        last = line;
        if (count++ < 10)
            named += (named.empty() ? "" : "、") + IntegerToText(line);
    }
    std::optional<Text> note() const
    {
        if (count == 0)
            return std::nullopt;
        return "输出的第" + named + (count > 10 ? "等 " + IntegerToText(count) + " " : "") +
               "行有格子含制表符或换行，已换成空格";
    }
};

// The first line of the output: the column heads.
RowTexts HeadingCells()
{
    RowTexts heads;
    std::copy(kSheetHeads.begin(), kSheetHeads.end(), heads.begin());
    return heads;
}

// The bytes of a row's line: six cells, a tab after each but the last, which ends it.
std::size_t LineBytes(const RowTexts& cells)
{
    std::size_t bytes = 0;
    for (const std::string_view cell : cells)
        bytes += cell.size() + 1;
    return bytes;
}

// Writes the row's line at `at`, which has room for LineBytes(cells). Each cell stays on its
// line and in its column: a tab or a line break it holds is written as a blank. True when
// one was.
bool PutLine(const RowTexts& cells, char* at)
{
    bool flattened = false;
    for (int column = 0; column < kSheetColumnCount; ++column) {
        const std::string_view cell = cells[static_cast<std::size_t>(column)];
        if (!cell.empty())
            std::memcpy(at, cell.data(), cell.size());
        for (char* c = at; c != at + cell.size(); ++c) {
            // Every byte of a large quote passes here: one comparison clears nearly all.
            if (static_cast<unsigned char>(*c) <= '\r' && (*c == '\t' || *c == '\n' || *c == '\r')) {
                *c = ' ';
                flattened = true;
            }
        }
        at += cell.size();
        *at++ = column + 1 < kSheetColumnCount ? '\t' : '\n';
    }
    return flattened;
}

// The row's line at the end of `text`; true when a cell was flattened.
bool AppendLine(Text& text, const RowTexts& cells)
{
    const std::size_t at = text.size();
    text.resize(at + LineBytes(cells));
    return PutLine(cells, text.data() + at);
}

// The whole sheet in one text of the exact size: a sheet of 100,000 rooms is 30 MB, and
// growing that text step by step would copy it many times over.
Text SheetText(const QuoteSheet& sheet, FlattenedLines& flattenedLines)
{
    std::size_t size = LineBytes(HeadingCells());
    for (int row = 0; row < sheet.RowCount(); ++row)
        size += LineBytes(sheet.RowCells(row));
    Text text;
    text.reserve(size);
    AppendLine(text, HeadingCells());
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (AppendLine(text, sheet.RowCells(row)))
            flattenedLines.add(row + 2);
    return text;
}

// Lines onto an output through one piece of a megabyte: the text of a large quote is as
// large as the sheet itself, and holding both would double what the quote needs.
class LinePieces {
public:
    explicit LinePieces(std::ostream& out) : m_out(out) {}
    ~LinePieces() { flush(); }

    // Room for `bytes` more, valid until the next call; a row of more than a megabyte gets
    // a piece of its own size.
    char* room(std::size_t bytes)
    {
        if (m_used + bytes > m_size) {
            flush();
            if (bytes > m_size) {
                m_size = std::max(bytes, kPieceBytes);
                m_piece = std::make_unique_for_overwrite<char[]>(m_size);
            }
        }
        char* const at = m_piece.get() + m_used;
        m_used += bytes;
        return at;
    }
    void flush()
    {
        if (m_used > 0)
            m_out.write(m_piece.get(), static_cast<std::streamsize>(m_used));
        m_used = 0;
    }

private:
    static constexpr std::size_t kPieceBytes = 1 << 20;
    std::ostream& m_out;
    std::unique_ptr<char[]> m_piece;
    std::size_t m_size = 0;
    std::size_t m_used = 0;
};

// The lines of a quote held until it is known to be whole (no amount out of range). Lines
// of rooms alike are written once and only referred to after: a million rooms of a few
// kinds hold a few megabytes of text, not the hundreds their output takes.
class KeptLines {
public:
    explicit KeptLines(FlattenedLines& flattened) : m_flattened(flattened) { add(HeadingCells()); }

    // The next row; the heading was line 1.
    void add(const RowTexts& cells)
    {
        ++m_line;
        if (!m_ownOpen || m_own.back().size() > kOwnBytes) {
            m_order.push_back(&m_own.emplace_back());
            m_ownOpen = true;
        }
        if (AppendLine(m_own.back(), cells))
            m_flattened.add(m_line);
    }

    // `count` lines already written, none of them flattened; the text must outlive this.
    void addShared(const Text& text, int count)
    {
        m_order.push_back(&text);
        m_ownOpen = false;
        m_line += count;
    }

    void writeTo(std::ostream& out) const
    {
        LinePieces pieces(out);
        for (const Text* text : m_order)
            if (!text->empty())
                std::memcpy(pieces.room(text->size()), text->data(), text->size());
    }

private:
    static constexpr std::size_t kOwnBytes = 1 << 20;
    FlattenedLines& m_flattened;
    int m_line = 0;
    std::deque<Text> m_own;  // lines of no other part, in runs of about a megabyte
    bool m_ownOpen = false;  // whether the last of m_order is the last of m_own
    std::vector<const Text*> m_order;
};

// The lines of the parts of rooms alike, written once and referred to after. A part with a
// cell to flatten is written row by row every time, so that each of its lines is named.
class AlikeParts {
public:
    void add(const QuoteSheet& part, int alike, KeptLines& lines)
    {
        if (alike < 0) {
            addRows(part, lines);
            return;
        }
        if (static_cast<std::size_t>(alike) >= m_texts.size())
            m_texts.resize(static_cast<std::size_t>(alike) + 1);
        std::optional<Text>& text = m_texts[static_cast<std::size_t>(alike)];
        if (!text) {
            text.emplace();
            for (int row = 0; row < part.RowCount(); ++row) {
                if (AppendLine(*text, part.RowCells(row))) {
                    text->clear();
                    break;
                }
            }
        }
        if (text->empty() && part.RowCount() > 0)
            addRows(part, lines);
        else
            lines.addShared(*text, part.RowCount());
    }

private:
    static void addRows(const QuoteSheet& part, KeptLines& lines)
    {
        for (int row = 0; row < part.RowCount(); ++row)
            lines.add(part.RowCells(row));
    }

    // By the engine's number of the part. The kept lines refer to these texts: a deque
    // grown at its end never moves them.
    std::deque<std::optional<Text>> m_texts;
};

void WriteSheet(const QuoteSheet& sheet, std::ostream& out, FlattenedLines& flattenedLines)
{
    LinePieces pieces(out);
    const RowTexts heads = HeadingCells();
    PutLine(heads, pieces.room(LineBytes(heads)));
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const RowTexts cells = sheet.RowCells(row);
        if (PutLine(cells, pieces.room(LineBytes(cells))))
            flattenedLines.add(row + 2);
    }
}

// Said once, after the sheet, where a tab-separated text had to flatten a cell.
void NoteFlattened(const FlattenedLines& flattened, bool gbk, std::ostream& err)
{
    if (const std::optional<Text> note = flattened.note())
        err << kCommand << (gbk ? Utf8ToGbk(*note) : *note) << "\n";
}

}  // namespace

int RunQuoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const std::optional<Text> problem = ParseQuoteOptions(args, options)) {
        err << kCommand << *problem << "\n";
        return kStatusRefused;
    }
    if (options.common.help) {
        std::string help(kHelp);
        help.replace(help.find("%OUTPUT%"), 8, kOutputHelp);
        help.replace(help.find("%LARGEST%"), 9, kLargestYuanText);
        out << help;
        return kStatusDone;
    }
    const bool gbk = options.common.gbk;
    // Messages follow the chosen encoding, so that a GBK console can read them too.
    const auto refuse = [&](const Text& problem, int status = kStatusRefused) {
        const Text line = Text(kCommand) + problem + "\n";
        err << (gbk ? Utf8ToGbk(line) : line);
        return status;
    };
    if (options.projectPath && (options.roomsPath || options.quoteChoicesGiven))
        return refuse("打开项目文件时，房间、装修类型和地面都来自项目，不能再给房间文件、--grade、--floor 或 "
                      "--unchecked");

    const bool roomsFromInput = !options.projectPath && (!options.roomsPath || *options.roomsPath == "-");
    if (roomsFromInput && options.editsPath == "-")
        return refuse("房间和修改不能都从标准输入读取");

    std::optional<PriceBook> prices;
    if (options.pricesPath) {
        Outcome<PriceBook> read = ReadPriceBookFile(*options.pricesPath);
        if (!read)
            return refuse("价格表不能使用：\n" + read.problem, read.status);
        prices = std::move(read.value);
    }

    std::vector<Edit> edits;
    if (options.editsPath) {
        const Outcome<std::string> file = ReadInputFile(options.editsPath, kEditFileName);
        if (!file)
            return refuse(file.problem, file.status);
        Outcome<std::vector<Edit>> read = ReadEditFile(*file.value);
        if (!read)
            return refuse(read.problem, read.status);
        edits = std::move(*read.value);
    }

    const Package package = options.package == kFullPackage ? Package::Full : Package::Half;
    Project project = NewProject();
    KeptSheet kept;
    FileStamp projectRead;
    if (options.projectPath) {
        Outcome<ProjectQuote> opened = OpenProjectQuote(*options.projectPath, package);
        if (!opened)
            return refuse(opened.problem, opened.status);
        project = std::move(opened.value->project);
        kept = std::move(opened.value->kept);
        projectRead = opened.value->read;
        // Another book reprices the project: its sheet is built afresh from its rooms, as
        // the window's recompute does.
        if (prices) {
            project.prices = std::move(*prices);
            std::optional<Text> outOfRange;
            kept = BuildKeptSheet(project, package, outOfRange);
            if (outOfRange)
                return refuse(*outOfRange);
        }
    } else {
        if (prices)
            project.prices = std::move(*prices);
        QuoteInputs inputs{{}, options.grade, options.floor};
        RoomsAlike rooms;
        // The file goes before the quote is built: for a long list of rooms it is as large
        // as the rooms themselves.
        {
            const Outcome<std::string> file = ReadInputFile(options.roomsPath, kRoomFileName);
            if (!file)
                return refuse(file.problem, file.status);
            if (file.value->size() > kLargeRoomListBytes)
                PrepareHeapForLargeQuote();
            std::vector<Text> warnings;
            Outcome<RoomsAlike> read = ReadRoomsAlike(*file.value, options.unchecked, warnings);
            if (!read)
                return refuse(read.problem, read.status);
            for (const Text& warning : warnings) {
                const Text line = Text(kCommand) + warning + "\n";
                err << (gbk ? Utf8ToGbk(line) : line);
            }
            rooms = std::move(*read.value);
        }
        if (rooms.empty())
            return refuse(Text(kNoRoomsMessage));
        // A quote that goes to standard output as it is built is written a room at a time:
        // the largest list of rooms holds only the text of its sheet, never the sheet.
        if (edits.empty() && !options.saveProjectPath && !options.common.outputPath && !gbk) {
            FlattenedLines flattened;
            KeptLines lines(flattened);
            AlikeParts alikeParts;
            QuoteSheet part;
            std::optional<Text> outOfRange;
            BuildQuoteInParts(rooms, inputs.grade, inputs.floor, PackageTextOf(package), outOfRange, project.prices,
                              part, [&](const QuoteSheet& rows, int alike) { alikeParts.add(rows, alike, lines); });
            if (outOfRange)
                return refuse(*outOfRange);
            lines.writeTo(out);
            NoteFlattened(flattened, gbk, err);
            return kStatusDone;
        }
        inputs.rooms = std::move(rooms).TakeAll();
        // The rooms are kept once, with the sheet they were built into; a project written
        // from the run takes its copy of them from there.
        std::optional<Text> outOfRange;
        kept = BuildKeptSheet(std::move(inputs), package, outOfRange, project.prices);
        if (outOfRange)
            return refuse(*outOfRange);
        project.estimate.grade = kept.builtFrom.grade;
        project.floor = kept.builtFrom.floor;
        if (options.saveProjectPath)
            project.rooms = kept.builtFrom.rooms;
    }

    DetailedQuote& quote = kept.quote;
    EditHistory history;
    for (const Edit& edit : edits) {
        if (const std::optional<Text> problem = ApplyEdit(quote.sheet, quote.caption, edit, project.prices, history))
            return refuse(LinePrefix(kEditFileName, edit.line) + *problem);
    }
    // The project keeps the edits on its sheet as well, to be made again after a recompute.
    kept.edits.insert(
        kept.edits.end(), history.kept.begin(), history.kept.begin() + static_cast<std::ptrdiff_t>(history.made));
    if (options.saveProjectPath) {
        project.sheet(package) = kept;
        if (options.projectPath)
            if (const std::optional<Text> problem
                = RefuseSavingOverChanges(*options.projectPath, projectRead, *options.saveProjectPath))
                return refuse(*problem);
        if (const std::optional<Text> problem = SaveProject(*options.saveProjectPath, project))
            return refuse(*problem, kStatusFailed);
    }

    FlattenedLines flattened;
    if (!options.common.outputPath && !gbk) {
        WriteSheet(quote.sheet, out, flattened);
        NoteFlattened(flattened, gbk, err);
        return kStatusDone;  // whether it reached its file is for main to tell
    }
    const Text text = SheetText(quote.sheet, flattened);
    if (!options.common.outputPath || FormatOfPath(*options.common.outputPath) == DocumentFormat::Tsv)
        NoteFlattened(flattened, gbk, err);
    if (options.common.outputPath) {
        const WriteResult written = WriteOutputFile(*options.common.outputPath, gbk ? Utf8ToGbk(text) : text, [&] {
            // A project brings the details of its quote; rooms from a file have none. The head
            // names the price book either way.
            QuoteDocument document = SheetDocument(quote.sheet, quote.caption,
                                                   DetailFields(project.details, project.prices.name()),
                                                   QuoteDate(project.details, TodayText()));
            StateQuoteBasis(document, kept.builtFrom);
            return document;
        });
        if (written.written())
            return kStatusDone;
        err << kCommand << (gbk ? Utf8ToGbk(written.problem) : written.problem) << "\n";
        return kStatusFailed;
    }
    out << Utf8ToGbk(text);
    return kStatusDone;
}

}  // namespace rq::cli
