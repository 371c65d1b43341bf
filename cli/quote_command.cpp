// renoquote-cli quote: a detailed quote sheet from a list of rooms, with optional edits,
// printed as tab-separated lines.
#include <algorithm>
#include <cstring>
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
#include "cli/quote_project.h"
#include "convert/convert.h"
#include "convert/encoding.h"
#include "document/quote_document.h"
#include "project/project_file.h"
#include "quote/engine.h"
#include "rooms/room_record.h"
#include "sheet/edit_checks.h"
#include "sheet/sheet_edits.h"

namespace rq::cli {
namespace {

constexpr std::string_view kCommand = "renoquote-cli quote: ";
constexpr std::string_view kNoRooms = "至少要添加1房间！";

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
    "  --edits 文件          依次对算好的报价单做的修改，UTF-8 文本，每行一项，用 Tab 隔开:\n"
    "                          modify<Tab>行<Tab>项目名称<Tab>单位<Tab>数量<Tab>单价\n"
    "                          delete<Tab>行\n"
    "                          add<Tab>项目名称<Tab>数量<Tab>单价\n"
    "                        \"行\"是当时报价单中选中的行，从 0 数起，-1 表示没有选中；\n"
    "                        各项文字同在输入框中输入的一样，不是数字的读作 0。\n"
    "                        总计算不出(数量或单价太大)或超出金额范围的修改被拒绝。\n"
    "  --encoding utf-8|gbk  输出编码，默认 utf-8(房间文件和修改文件总是 UTF-8)\n"
    "  --project 文件        不读房间文件，打开 renoquote 项目文件(.renoquote)，对其中\n"
    "                        --package 的报价单继续做 --edits 的修改；项目中没有这张报价单时\n"
    "                        按项目的房间、装修类型和地面新算一张\n"
    "  --save-project 文件   把这次的房间、选择和修改后的报价单保存为项目文件，可在桌面程序中\n"
    "                        打开；与 --project 同用时保存打开的项目(可以是同一个文件)\n"
    "%OUTPUT%"
    "                        与 --project 同用时，文件中带项目的报价详情(客户、地址等)。\n"
    "  --help                显示本说明\n"
    "\n"
    "输出: 第一行是列标题(序号 项目名称 单位 数量 单价 总计)，然后每行一个报价单行，\n"
    "六格用 Tab 隔开，空格子照样保留。标准输出上没有别的内容。\n"
    "选项的值也可以写成 --grade=文字 的形式。\n"
    "\n"
    "报价单中的金额超过 2147483647 元时拒绝报价，说明是哪个房间。\n"
    "\n"
    "退出状态: 0 已输出；1 读写失败；2 输入被拒绝或用法错误(一行说明写到标准错误)。\n";

constexpr std::string_view kHeadings = "序号\t项目名称\t单位\t数量\t单价\t总计\n";

struct Options {
    Text package{kHalfPackage};
    Text grade{"舒适型装修"};
    FloorChoice floor = FloorChoice::Boards;
    bool unchecked = false;
    bool gbk = false;
    bool help = false;
    std::optional<std::string> editsPath;
    std::optional<std::string> roomsPath;
    std::optional<std::string> outputPath;
    std::optional<std::string> projectPath;
    std::optional<std::string> saveProjectPath;
    bool quoteChoicesGiven = false;  // --grade, --floor or --unchecked: a project brings its own
};

// A value given as "--name value" or "--name=value".
struct OptionValue {
    std::string_view name;
    std::optional<std::string_view> value;
};

// Returns a one-line problem, or an empty text when every argument was understood.
Text ParseOptions(const std::vector<std::string>& args, Options& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--unchecked") {
            options.unchecked = true;
            options.quoteChoicesGiven = true;
            continue;
        }
        if (arg == "-" || !arg.starts_with("-")) {
            if (options.roomsPath)
                return "只能给一个房间文件，多出了 " + Text(arg);
            options.roomsPath = Text(arg);
            continue;
        }
        OptionValue option{arg, std::nullopt};
        if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos)
            option = {arg.substr(0, eq), arg.substr(eq + 1)};
        constexpr std::string_view kValued[] = {"--package", "--grade", "--floor", "--edits", "--encoding", "--output",
            "--project", "--save-project"};
        bool known = false;
        for (const std::string_view name : kValued)
            known = known || name == option.name;
        if (!known)
            return "未知的选项 " + Text(arg) + "（用 --help 查看可用的选项）";
        if (!option.value) {
            if (i + 1 >= args.size())
                return "选项 " + Text(option.name) + " 缺少值";
            option.value = args[++i];
        }
        const std::string_view value = *option.value;
        if (option.name == "--package") {
            if (value != "half" && value != "full")
                return "--package 只能是 half 或 full，不是 " + Text(value);
            options.package = Text(value == "half" ? kHalfPackage : kFullPackage);
        } else if (option.name == "--grade") {
            GradeOption grade = ReadGradeOption(value);
            if (grade.problem)
                return *grade.problem;
            options.grade = std::move(grade.name);
            options.quoteChoicesGiven = true;
        } else if (option.name == "--floor") {
            if (value != "boards" && value != "tiles")
                return "--floor 只能是 boards 或 tiles，不是 " + Text(value);
            options.floor = value == "boards" ? FloorChoice::Boards : FloorChoice::Tiles;
            options.quoteChoicesGiven = true;
        } else if (option.name == "--edits") {
            options.editsPath = Text(value);
        } else if (option.name == "--output") {
            if (const Text problem = CheckOutputPath(Text(value)); !problem.empty())
                return problem;
            options.outputPath = Text(value);
        } else if (option.name == "--project") {
            options.projectPath = Text(value);
        } else if (option.name == "--save-project") {
            options.saveProjectPath = Text(value);
        } else if (value == "utf-8" || value == "UTF-8" || value == "utf8") {
            options.gbk = false;
        } else if (value == "gbk" || value == "GBK") {
            options.gbk = true;
        } else {
            return "不支持的编码 " + Text(value) + "（只能是 utf-8 或 gbk）";
        }
    }
    return {};
}

// One line of an input file, its 1-based number and its tab-separated fields.
struct Line {
    int number = 0;
    std::vector<Text> fields;
};

struct Lines {
    std::vector<Line> lines;
    Text problem;
};

// The next line of `bytes`, taken off them, without its line end. Files saved on Windows
// end lines with CR LF: the CR is no part of the last field.
std::string_view TakeLine(std::string_view& bytes)
{
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

// Calls take(number, fields) for every line of a UTF-8 file that is not empty, with its
// 1-based number and its tab-separated fields read where they stand; stops at the first
// problem `take` returns. A file saved on Windows may start with a byte order mark, no part
// of the first field, or the first room type would not be recognised. A line that is not
// UTF-8 is the problem before any line is taken.
template <typename Take>
Text ForEachLine(std::string_view bytes, std::string_view fileName, Take take)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    // No UTF-8 character holds a line end, so the file is UTF-8 when every line is.
    if (!IsValidUtf8(bytes)) {
        for (int number = 1;; ++number)
            if (!IsValidUtf8(TakeLine(bytes)))
                return Text(fileName) + "第" + IntegerToText(number) + "行不是有效的 UTF-8 文字";
    }
    std::vector<std::string_view> fields;  // kept from line to line: a room list has 100,000
    for (int number = 1; !bytes.empty(); ++number) {
        const std::string_view line = TakeLine(bytes);
        if (line.empty())
            continue;
        fields.clear();
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        if (Text problem = take(number, std::as_const(fields)); !problem.empty())
            return problem;
    }
    return {};
}

// Splits a UTF-8 file into lines of fields; empty lines are skipped.
Lines SplitLines(std::string_view bytes, std::string_view fileName)
{
    Lines result;
    result.problem = ForEachLine(bytes, fileName, [&](int number, const std::vector<std::string_view>& fields) {
        result.lines.push_back({number, std::vector<Text>(fields.begin(), fields.end())});
        return Text();
    });
    if (!result.problem.empty())
        result.lines.clear();
    return result;
}

Text LinePrefix(std::string_view fileName, int number)
{
    return Text(fileName) + "第" + IntegerToText(number) + "行: ";
}

// Rooms in list order, or the problem with its line number. Each room is made straight
// from its line: a list of 100,000 rooms is never held as lines of fields besides.
Text ReadRooms(std::string_view bytes, bool unchecked, std::vector<RoomRecord>& rooms)
{
    std::size_t filled = 0;  // lines that are not empty: one room each
    for (std::string_view rest = bytes; !rest.empty();)
        filled += TakeLine(rest).empty() ? 0 : 1;
    rooms.reserve(filled);
    return ForEachLine(bytes, "房间文件", [&](int number, const std::vector<std::string_view>& fields) {
        if (fields.size() > kRoomColumnCount)
            return LinePrefix("房间文件", number) + "一个房间只有 6 项，这一行有 " +
                   IntegerToText(static_cast<std::int32_t>(fields.size())) + " 项";
        RoomRecord room;
        std::copy(fields.begin(), fields.end(), room.cells.begin());
        if (!unchecked) {
            if (const std::optional<Text> message = CheckRoomForAdd(room))
                return LinePrefix("房间文件", number) + *message;
        }
        rooms.push_back(std::move(room));
        return Text();
    });
}

enum class EditKind { Modify, Delete, Add };

struct Edit {
    int line = 0;  // in the edit file, for a refusal
    EditKind kind = EditKind::Modify;
    int row = -1;
    ItemFields fields;
};

struct EditForm {
    std::string_view verb;
    EditKind kind;
    std::size_t fieldCount;  // the verb included
};

constexpr EditForm kEditForms[] = {
    {"modify", EditKind::Modify, 6},
    {"delete", EditKind::Delete, 2},
    {"add", EditKind::Add, 4},
};

// A selected row as the window knows it: a whole number, -1 for none.
std::optional<int> ParseRow(std::string_view text)
{
    std::string_view digits = text;
    if (digits.starts_with('-'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (const char digit : digits)
        value = value * 10 + (digit - '0');
    return text.starts_with('-') ? -value : value;
}

Text ReadEdits(const Lines& lines, std::vector<Edit>& edits)
{
    for (const Line& line : lines.lines) {
        const EditForm* form = nullptr;
        for (const EditForm& candidate : kEditForms) {
            if (candidate.verb == line.fields.front())
                form = &candidate;
        }
        const Text prefix = LinePrefix("修改文件", line.number);
        if (!form)
            return prefix + "不认识的操作 " + line.fields.front() + "（只能是 modify、delete 或 add）";
        if (line.fields.size() > form->fieldCount)
            return prefix + Text(form->verb) + " 最多有 " + IntegerToText(static_cast<std::int32_t>(form->fieldCount - 1)) +
                   " 项";
        // Fields left out read as empty texts, as empty edit fields would.
        std::vector<Text> fields = line.fields;
        fields.resize(form->fieldCount);
        Edit& edit = edits.emplace_back();
        edit.line = line.number;
        edit.kind = form->kind;
        if (form->kind == EditKind::Add) {
            edit.fields = {fields[1], "", fields[2], fields[3]};
            continue;
        }
        const std::optional<int> row = ParseRow(fields[1]);
        if (!row)
            return prefix + "行号应当是整数(-1 表示没有选中)，不是 " + fields[1];
        edit.row = *row;
        if (form->kind == EditKind::Modify)
            edit.fields = {fields[2], fields[3], fields[4], fields[5]};
    }
    return {};
}

// Makes the edit, or leaves the sheet as it is and returns why not, as the window would.
std::optional<Text> ApplyEdit(QuoteSheet& sheet, std::string_view caption, const Edit& edit)
{
    const AddedItem added{edit.fields.name, edit.fields.quantity, edit.fields.unitPrice};
    std::optional<Text> problem;
    switch (edit.kind) {
    case EditKind::Modify:
        problem = CheckModifyRow(sheet, caption, edit.row, edit.fields);
        if (!problem)
            ModifyRow(sheet, caption, edit.row, edit.fields);
        break;
    case EditKind::Delete:
        DeleteRow(sheet, caption, edit.row);
        break;
    case EditKind::Add:
        problem = CheckAddItem(sheet, caption, added);
        if (!problem)
            AddItem(sheet, caption, added);
        break;
    }
    return problem;
}

// The sheet as the program prints it, piece by piece: the heading line, then each row's
// six cells with a tab after each but the last, which ends the line.
template <typename Put>
void ForEachSheetPiece(const QuoteSheet& sheet, Put put)
{
    put(kHeadings);
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const RowTexts cells = sheet.RowCells(row);
        for (int column = 0; column < kSheetColumnCount; ++column) {
            put(cells[static_cast<std::size_t>(column)]);
            put(column + 1 < kSheetColumnCount ? "\t" : "\n");
        }
    }
}

// The whole sheet in one text of the exact size: a sheet of 100,000 rooms is 30 MB, and
// growing that text step by step would copy it many times over.
Text SheetText(const QuoteSheet& sheet)
{
    std::size_t size = 0;
    ForEachSheetPiece(sheet, [&](std::string_view piece) { size += piece.size(); });
    Text text;
    text.reserve(size);
    ForEachSheetPiece(sheet, [&](std::string_view piece) { text += piece; });
    return text;
}

// The sheet onto standard output a piece at a time: the text of a large quote is as large
// as the sheet itself, and holding both at once would double what the quote needs. Rows are
// copied into the piece byte for byte, with no text growing on the way.
void WriteSheet(const QuoteSheet& sheet, std::ostream& out)
{
    constexpr std::size_t kPieceBytes = 1 << 20;
    const auto piece = std::make_unique_for_overwrite<char[]>(kPieceBytes);
    std::size_t used = 0;
    ForEachSheetPiece(sheet, [&](std::string_view bytes) {
        if (used + bytes.size() > kPieceBytes) {
            out.write(piece.get(), static_cast<std::streamsize>(used));
            used = 0;
        }
        if (bytes.size() > kPieceBytes) {  // a cell of more than a megabyte goes out as it is
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return;
        }
        std::memcpy(piece.get() + used, bytes.data(), bytes.size());
        used += bytes.size();
    });
    out.write(piece.get(), static_cast<std::streamsize>(used));
}

}  // namespace

int RunQuoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const Text problem = ParseOptions(args, options); !problem.empty()) {
        err << kCommand << problem << "\n";
        return 2;
    }
    if (options.help) {
        std::string help(kHelp);
        help.replace(help.find("%OUTPUT%"), 8, kOutputHelp);
        out << help;
        return 0;
    }
    // Messages follow the chosen encoding, so that a GBK console can read them too.
    const auto refuse = [&](const Text& problem, int status = 2) {
        const Text line = Text(kCommand) + problem + "\n";
        err << (options.gbk ? Utf8ToGbk(line) : line);
        return status;
    };
    if (options.projectPath && (options.roomsPath || options.quoteChoicesGiven))
        return refuse("打开项目文件时，房间、装修类型和地面都来自项目，不能再给房间文件、--grade、--floor 或 "
                      "--unchecked");

    const bool roomsFromInput = !options.projectPath && (!options.roomsPath || *options.roomsPath == "-");
    if (roomsFromInput && options.editsPath == "-")
        return refuse("房间和修改不能都从标准输入读取");

    std::vector<Edit> edits;
    if (options.editsPath) {
        const InputFile file = ReadInputFile(options.editsPath, "修改文件");
        if (file.status != 0)
            return refuse(file.problem, file.status);
        const Lines lines = SplitLines(file.bytes, "修改文件");
        if (!lines.problem.empty())
            return refuse(lines.problem);
        if (const Text problem = ReadEdits(lines, edits); !problem.empty())
            return refuse(problem);
    }

    const Package package = options.package == kFullPackage ? Package::Full : Package::Half;
    Project project = NewProject();
    KeptSheet kept;
    if (options.projectPath) {
        ProjectQuote opened = OpenProjectQuote(*options.projectPath, package);
        if (opened.status != 0)
            return refuse(opened.problem, opened.status);
        project = std::move(opened.project);
        kept = std::move(opened.kept);
    } else {
        // The file and its lines go before the quote is built: for a long list of rooms they
        // are as large as the rooms themselves.
        {
            const InputFile file = ReadInputFile(options.roomsPath, "房间文件");
            if (file.status != 0)
                return refuse(file.problem, file.status);
            if (file.bytes.size() > kLargeRoomListBytes)
                PrepareHeapForLargeQuote();
            if (const Text problem = ReadRooms(file.bytes, options.unchecked, project.rooms); !problem.empty())
                return refuse(problem);
        }
        if (project.rooms.empty())
            return refuse(Text(kNoRooms));
        project.estimate.grade = options.grade;
        project.floor = options.floor;
        // What the sheet was built from is only written with a project: no second copy of
        // a long room list otherwise.
        std::optional<Text> outOfRange;
        kept.quote = BuildDetailedQuote(project.rooms, project.estimate.grade, project.floor, PackageTextOf(package),
                                        outOfRange);
        if (outOfRange)
            return refuse(*outOfRange);
        if (options.saveProjectPath)
            kept.builtFrom = project.quoteInputs();
    }

    DetailedQuote& quote = kept.quote;
    for (const Edit& edit : edits) {
        if (const std::optional<Text> problem = ApplyEdit(quote.sheet, quote.caption, edit))
            return refuse(LinePrefix("修改文件", edit.line) + *problem);
    }
    if (options.saveProjectPath) {
        project.sheet(package) = kept;
        if (const std::optional<Text> problem = SaveProject(*options.saveProjectPath, project))
            return refuse(*problem, 1);
    }

    if (!options.outputPath && !options.gbk) {
        WriteSheet(quote.sheet, out);
        return 0;  // whether it reached its file is for main to tell
    }
    const Text text = SheetText(quote.sheet);
    if (options.outputPath) {
        const WriteResult written = WriteOutputFile(*options.outputPath, options.gbk ? Utf8ToGbk(text) : text, [&] {
            // A project brings the details of its quote; rooms from a file have none.
            return SheetDocument(quote.sheet, quote.caption, DetailFields(project.details),
                                 QuoteDate(project.details, TodayText()));
        });
        if (written.written())
            return 0;
        err << kCommand << (options.gbk ? Utf8ToGbk(written.problem) : written.problem) << "\n";
        return 1;
    }
    out << Utf8ToGbk(text);
    return 0;
}

}  // namespace rq::cli
