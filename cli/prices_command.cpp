// renoquote-cli prices: the built-in price book written out as a file to start from, and a
// price-book file checked before it is used.
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "prices/price_book_file.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_json.h"
#include "convert/quoted_field.h"
#include "files/atomic_file.h"
#include "modules/price_book_output.h"

namespace rq::cli {
namespace {

constexpr std::string_view kCommand = "renoquote-cli prices: ";

constexpr std::string_view kHelp
    = "用法: renoquote-cli prices export [--format json|csv|xlsx] [--output 文件]\n"
      "      renoquote-cli prices check 文件\n"
      "\n"
      "export  把默认价格表写到标准输出或 --output 文件：json(默认，.renoquote-prices 文件)\n"
      "        或 csv(UTF-8 带 BOM，列为 分类,项目,单位,等级,单价)或 xlsx(同样的列，\n"
      "        要 --output)。改好价格后用\n"
      "        renoquote-cli quote --prices 文件 报价。\n"
      "check   检查价格表文件(.renoquote-prices、.json、.csv 或 .xlsx，CSV 可以是 UTF-8 或 GBK)，\n"
      "        列出每一个问题。\n"
      "\n"
      "退出状态: 0 已写出或价格表没有问题；1 读写失败；2 价格表有问题或用法错误。\n";

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string format = "json";
    std::optional<std::string> output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name != "--format" && name != "--output") {
            err << kCommand << "未知的选项 " << args[i] << "（用 --help 查看用法）\n";
            return kStatusRefused;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                err << kCommand << "选项 " << name << " 缺少值\n";
                return kStatusRefused;
            }
            value = args[++i];
        }
        if (name == "--output") {
            output = *value;
        } else if (*value == "json" || *value == "csv" || *value == "xlsx") {
            format = *value;
        } else {
            err << kCommand << "--format 只能是 json、csv 或 xlsx，不是 " << *value << "\n";
            return kStatusRefused;
        }
    }
    const PriceBook& book = BuiltInPriceBook();
    if (format == "xlsx") {
        // A workbook is no text for a terminal: it needs a file.
        if (!output) {
            err << kCommand << "--format xlsx 要用 --output 指定文件\n";
            return kStatusRefused;
        }
        if (!EndsWithIgnoringCase(*output, ".xlsx")) {
            err << kCommand << "--format xlsx 的文件扩展名应当是 .xlsx，不是 " << *output << "\n";
            return kStatusRefused;
        }
        if (const std::optional<Text> problem = WritePriceBookFile(*output, book)) {
            err << kCommand << "无法写出 " << *output << "：" << *problem << "\n";
            return kStatusFailed;
        }
        return kStatusDone;
    }
    const std::string text = format == "csv" ? WritePriceBookCsv(book) : WritePriceBookJson(book);
    if (!output) {
        out << text;
        return kStatusDone;
    }
    if (const std::optional<Text> problem = WriteFileAtomically(*output, text)) {
        err << kCommand << "无法写出 " << *output << "：" << *problem << "\n";
        return kStatusFailed;
    }
    return kStatusDone;
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 2) {
        err << kCommand << "check 要一个价格表文件\n";
        return kStatusRefused;
    }
    const Outcome<PriceBook> read = ReadPriceBookFile(args[1]);
    if (!read) {
        err << read.problem << "\n";
        return read.status;
    }
    out << args[1] << ": 价格表“" << read.value->name() << "”没有问题，共 " << read.value->items().size() << " 项。\n";
    return kStatusDone;
}

} // namespace

int RunPricesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args.front() == "--help" || args.front() == "-h") {
        (args.empty() ? err : out) << kHelp;
        return args.empty() ? kStatusRefused : kStatusDone;
    }
    if (args.front() == "export")
        return Export(args, out, err);
    if (args.front() == "check")
        return Check(args, out, err);
    err << kCommand << "未知的操作 " << args.front() << "（只能是 export 或 check）\n";
    return kStatusRefused;
}

} // namespace rq::cli
