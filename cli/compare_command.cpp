// renoquote-cli compare: one list of rooms quoted in every grade and both packages, with the
// quick estimate of the dwelling beside them, as tab-separated lines or a document.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/document_output.h"
#include "cli/input_file.h"
#include "cli/options.h"
#include "cli/room_edit_files.h"
#include "compare/comparison.h"
#include "convert/encoding.h"
#include "convert/outcome.h"
#include "convert/utf8.h"
#include "document/comparison_document.h"
#include "prices/price_book_file.h"

namespace rq::cli {
namespace {

constexpr std::string_view kCommand = "renoquote-cli compare: ";

constexpr std::string_view kHelp =
    "用法: renoquote-cli compare [选项] 房间文件\n"
    "把同一份房间列表按五种装修类型、半包和全包各算一张详细报价单，输出各方案的总价，\n"
    "旁边是按房间数量和面积的快速估算(卧室和书房算室，客厅和餐厅算厅，面积为各房间\n"
    "长×宽之和)。房间文件的格式同 renoquote-cli quote；写 - 时从标准输入读取。\n"
    "\n"
    "选项:\n"
    "  --floor boards|tiles  客餐厅铺地板(默认)或瓷砖\n"
    "  --prices 文件         用这个价格表报价，不用默认价格表\n"
    "  --encoding utf-8|gbk  输出编码，默认 utf-8\n"
    "%OUTPUT%"
    "                        文件中还有各方案与舒适型半包的差额、各部分金额和柱状图(.pdf)。\n"
    "  --help                显示本说明\n"
    "\n"
    "输出: 第一行是列标题，然后每种装修类型一行: 装修类型、半包工程总造价、全包总价格、\n"
    "快速估算的半包和全包价格(按所选地面)，用 Tab 隔开。某个方案的金额超出范围时\n"
    "那一格为「金额超出范围」，其余照算；快速估算拒绝这套房屋时两格为它的提示。\n"
    "\n"
    "退出状态: 0 已输出；1 读写失败；2 输入被拒绝或用法错误(一行说明写到标准错误)。\n";

struct Options {
    CommonOptions common;
    FloorChoice floor = FloorChoice::Boards;
    std::optional<std::string> roomsPath;
    std::optional<std::string> pricesPath;
};

constexpr std::string_view kValued[] = {"--floor", "--prices"};

std::optional<Text> ParseCompareOptions(const std::vector<std::string>& args, Options& options)
{
    return ParseOptions(
        args, {{}, kValued}, options.common,
        [&](std::string_view name, std::string_view value) -> std::optional<Text> {
            if (name == "--prices") {
                options.pricesPath = Text(value);
                return std::nullopt;
            }
            if (value != "boards" && value != "tiles")
                return "--floor 只能是 boards 或 tiles，不是 " + ShortPiece(value);
            options.floor = value == "boards" ? FloorChoice::Boards : FloorChoice::Tiles;
            return std::nullopt;
        },
        [&](std::string_view argument) -> std::optional<Text> {
            if (options.roomsPath)
                return "只能给一个房间文件，多出了 " + ShortPiece(argument, 80);
            options.roomsPath = Text(argument);
            return std::nullopt;
        });
}

}  // namespace

int RunCompareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const std::optional<Text> problem = ParseCompareOptions(args, options)) {
        err << kCommand << *problem << "\n";
        return kStatusRefused;
    }
    if (options.common.help) {
        std::string help(kHelp);
        help.replace(help.find("%OUTPUT%"), 8, kOutputHelp);
        out << help;
        return kStatusDone;
    }
    const bool gbk = options.common.gbk;
    const auto encoded = [&](const Text& text) { return gbk ? Utf8ToGbk(text) : text; };
    const auto refuse = [&](const Text& problem, int status = kStatusRefused) {
        err << encoded(Text(kCommand) + problem + "\n");
        return status;
    };
    if (!options.roomsPath)
        return refuse("要给一个房间文件(或 - 表示标准输入)");

    PriceBook prices = BuiltInPriceBook();
    if (options.pricesPath) {
        Outcome<PriceBook> read = ReadPriceBookFile(*options.pricesPath);
        if (!read)
            return refuse("价格表不能使用：\n" + read.problem, read.status);
        prices = std::move(*read.value);
    }
    std::vector<RoomRecord> rooms;
    {
        const Outcome<std::string> file = ReadInputFile(options.roomsPath, kRoomFileName);
        if (!file)
            return refuse(file.problem, file.status);
        std::vector<Text> warnings;
        Outcome<std::vector<RoomRecord>> read = ReadRoomFile(*file.value, false, warnings);
        if (!read)
            return refuse(read.problem, read.status);
        for (const Text& warning : warnings)
            err << encoded(Text(kCommand) + warning + "\n");
        rooms = std::move(*read.value);
    }
    const std::optional<Comparison> comparison = CompareOptions(rooms, options.floor, prices);
    if (!comparison)
        return refuse(Text(kNoRoomsMessage));

    const Text text = ComparisonTsv(*comparison);
    if (options.common.outputPath) {
        const WriteResult written = WriteOutputFile(*options.common.outputPath, encoded(text), [&] {
            // A script has no grade box: the differences are to the grade a new window shows.
            return ComparisonDocument(*comparison, static_cast<int>(Grade::Comfort), Package::Half, prices.name(),
                                      TodayText());
        });
        if (written.written())
            return kStatusDone;
        return refuse(written.problem, kStatusFailed);
    }
    out << encoded(text);
    return kStatusDone;
}

}  // namespace rq::cli
