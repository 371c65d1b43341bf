// renoquote-cli estimate: the quick estimate from typed texts, printed exactly as the
// result window shows it.
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/document_output.h"
#include "cli/options.h"
#include "convert/outcome.h"
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
    CommonOptions common;
    EstimateInputs inputs = DefaultEstimateInputs();
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

constexpr std::array<std::string_view, kTextOptions.size()> kValued = [] {
    std::array<std::string_view, kTextOptions.size()> names {};
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = kTextOptions[i].name;
    return names;
}();

// Every value is a text as typed into its box, so that an empty text or a negative count
// ("--bedrooms=-1", "--bedrooms -1") can both be given.
std::optional<Text> ParseEstimateOptions(const std::vector<std::string>& args, Options& options)
{
    return ParseOptions(
        args, {{}, kValued}, options.common,
        [&](std::string_view name, std::string_view value) -> std::optional<Text> {
            if (name == "--grade")
                return ReadGradeOption(value, options.inputs.grade);
            for (const TextOption& option : kTextOptions) {
                if (option.name == name)
                    options.inputs.*(option.field) = Text(value);
            }
            return std::nullopt;
        },
        [](std::string_view argument) -> std::optional<Text> { return UnknownOption(argument); });
}

} // namespace

int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const std::optional<Text> problem = ParseEstimateOptions(args, options)) {
        err << "renoquote-cli estimate: " << *problem << "\n";
        return kStatusRefused;
    }
    if (options.common.help) {
        std::string help(kHelp);
        help.replace(help.find("%OUTPUT%"), 8, kOutputHelp);
        out << help;
        return 0;
    }
    const auto encoded = [&](const Text& text) { return options.common.gbk ? Utf8ToGbk(text) : text; };
    // No estimate has been made before in this process: the previous report is empty.
    const EstimateResult result = RunQuickEstimate(options.inputs, Text());
    if (result.refusal) {
        err << encoded(*result.refusal) << "\n";
        return 2;
    }
    const Text text = ResultWindowText(result.report);
    if (options.common.outputPath) {
        const WriteResult written = WriteOutputFile(*options.common.outputPath, encoded(text),
                                                    [&] {
                                                        QuoteDocument document = EstimateDocument(text, {}, TodayText());
                                                        StateEstimateBasis(document, options.inputs);
                                                        return document;
                                                    });
        if (written.written())
            return 0;
        err << "renoquote-cli estimate: " << encoded(written.problem) << "\n";
        return 1;
    }
    out << encoded(text);
    return 0;  // whether it reached its file is for main to tell
}

} // namespace rq::cli
