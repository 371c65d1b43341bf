#include "cli/options.h"

#include <algorithm>

#include "cli/document_output.h"
#include "quote/quote_choices.h"
#include "convert/utf8.h"

namespace rq::cli {

Text UnknownOption(std::string_view argument)
{
    return "未知的选项 " + ShortPiece(argument) + "（用 --help 查看可用的选项）";
}

std::optional<Text> ReadGradeOption(std::string_view value, Text& grade)
{
    if (const auto name = GradeNameAsTyped(value)) {
        grade = Text(*name);
        return std::nullopt;
    }
    Text names;
    for (const std::string_view name : kGradeNames)
        names += (names.empty() ? "" : "、") + Text(name);
    return "--grade 只能是 " + names + " 之一，不是 " + ShortPiece(value);
}

namespace {

std::optional<Text> TakeCommonOption(std::string_view name, std::string_view value, CommonOptions& common)
{
    if (name == "--output") {
        if (std::optional<Text> problem = CheckOutputPath(Text(value)))
            return problem;
        common.outputPath = Text(value);
    } else if (value == "utf-8" || value == "UTF-8" || value == "utf8") {
        common.gbk = false;
    } else if (value == "gbk" || value == "GBK") {
        common.gbk = true;
    } else {
        return "不支持的编码 " + ShortPiece(value) + "（只能是 utf-8 或 gbk）";
    }
    return std::nullopt;
}

bool Listed(std::span<const std::string_view> names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::optional<Text> ParseOptions(const std::vector<std::string>& args, const OptionTable& table,
                                 CommonOptions& common, const TakeOption& take, const TakeArgument& argument)
{
    constexpr std::string_view kCommonValued[] = {"--encoding", "--output"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::optional<Text> problem;
        if (arg == "--help" || arg == "-h") {
            common.help = true;
        } else if (Listed(table.flags, arg)) {
            problem = take(arg, {});
        } else if (arg == "-" || !arg.starts_with("-")) {
            problem = argument(arg);
        } else {
            std::string_view name = arg;
            std::optional<std::string_view> value;
            if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            }
            const bool shared = Listed(kCommonValued, name);
            if (!shared && !Listed(table.valued, name))
                return UnknownOption(arg);
            if (!value) {
                if (i + 1 >= args.size())
                    return "选项 " + Text(name) + " 缺少值";
                value = args[++i];
            }
            problem = shared ? TakeCommonOption(name, *value, common) : take(name, *value);
        }
        if (problem)
            return problem;
    }
    return std::nullopt;
}

}  // namespace rq::cli
