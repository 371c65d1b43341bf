// renoquote-cli estimate: the quick estimate from typed texts, printed exactly as the
// result window shows it.
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/document_output.h"
#include "convert/encoding.h"
#include "document/quote_document.h"
#include "estimate/quick_estimate.h"

namespace rq::cli {
namespace {

constexpr std::string_view kHelp
    = "用法: renoquote-cli estimate [选项]\n"
      "按房间数量、实际面积和装修类型快速估算装修价格，输出与结果窗口中的文字完全相同\n"
      "(换行为 CR LF，末尾不加换行)。\n"
      "每个值都按在窗口输入框中输入的文字读取: 「abc」读作 0，「３」读作 3。\n"
      "\n"
      "  --bedrooms 文字    室的数量，默认 3\n"
      "  --living 文字      厅的数量，默认 2\n"
      "  --kitchens 文字    厨的数量，默认 1\n"
      "  --bathrooms 文字   卫的数量，默认 1\n"
      "  --balconies 文字   阳台的数量，默认 1\n"
      "  --area 文字        实际面积(平方米)，默认 100\n"
      "  --grade 文字       装修类型，默认 舒适型装修；可选 出租房装修、经济型装修、舒适型装修、\n"
      "                     「精  装  修」、豪华型装修(空格可省略)\n"
      "  --encoding 编码    输出编码: utf-8 (默认) 或 gbk\n"
      "%OUTPUT%"
      "  --help             显示本说明\n"
      "\n"
      "退出状态: 0 已输出；1 写出失败；2 输入被拒绝(信息写到标准错误)或用法错误。\n";

struct Options {
    EstimateInputs inputs { "3", "2", "1", "1", "1", "100", Text(kComfortGrade) };
    bool gbk = false;
    bool help = false;
    std::optional<std::string> outputPath;
};

struct TextOption {
    std::string_view name;
    Text EstimateInputs::*field;
};

constexpr std::array<TextOption, 7> kTextOptions { {
    { "--bedrooms", &EstimateInputs::bedrooms },
    { "--living", &EstimateInputs::livingRooms },
    { "--kitchens", &EstimateInputs::kitchens },
    { "--bathrooms", &EstimateInputs::bathrooms },
    { "--balconies", &EstimateInputs::balconies },
    { "--area", &EstimateInputs::area },
    { "--grade", &EstimateInputs::grade },
} };

// Returns an error message, or an empty text when every argument was understood.
// Values may follow as the next argument or after "=", so that an empty text or a
// negative count ("--bedrooms=-1", "--bedrooms -1") can both be given.
Text ParseOptions(const std::vector<std::string>& args, Options& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const TextOption* text = nullptr;
        for (const TextOption& option : kTextOptions) {
            if (option.name == name)
                text = &option;
        }
        if (!text && name != "--encoding" && name != "--output")
            return "未知的选项 " + Text(arg) + "（用 --help 查看可用的选项）";
        if (!value) {
            if (i + 1 >= args.size())
                return "选项 " + Text(name) + " 缺少值";
            value = args[++i];
        }
        if (text && text->field == &EstimateInputs::grade) {
            GradeOption grade = ReadGradeOption(*value);
            if (grade.problem)
                return *grade.problem;
            options.inputs.grade = std::move(grade.name);
        } else if (text) {
            options.inputs.*(text->field) = Text(*value);
        } else if (name == "--output") {
            if (const Text problem = CheckOutputPath(Text(*value)); !problem.empty())
                return problem;
            options.outputPath = Text(*value);
        } else if (*value == "utf-8" || *value == "UTF-8" || *value == "utf8") {
            options.gbk = false;
        } else if (*value == "gbk" || *value == "GBK") {
            options.gbk = true;
        } else {
            return "不支持的编码 " + Text(*value) + "（只能是 utf-8 或 gbk）";
        }
    }
    return {};
}

} // namespace

int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const Text problem = ParseOptions(args, options); !problem.empty()) {
        err << "renoquote-cli estimate: " << problem << "\n";
        return 2;
    }
    if (options.help) {
        std::string help(kHelp);
        help.replace(help.find("%OUTPUT%"), 8, kOutputHelp);
        out << help;
        return 0;
    }
    const auto encoded = [&](const Text& text) { return options.gbk ? Utf8ToGbk(text) : text; };
    // No estimate has been made before in this process: the previous report is empty.
    const EstimateResult result = RunQuickEstimate(options.inputs, Text());
    if (result.refusal) {
        err << encoded(*result.refusal) << "\n";
        return 2;
    }
    const Text text = ResultWindowText(result.report);
    if (options.outputPath) {
        const WriteResult written = WriteOutputFile(*options.outputPath, encoded(text),
                                                    [&] { return EstimateDocument(text, {}, TodayText()); });
        if (written.written())
            return 0;
        err << "renoquote-cli estimate: " << encoded(written.problem) << "\n";
        return 1;
    }
    out << encoded(text);
    return 0;  // whether it reached its file is for main to tell
}

} // namespace rq::cli
