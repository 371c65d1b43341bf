// The options of renoquote-cli's subcommands, read by one parser: "--name value" or
// "--name=value" (so that an empty text or a negative count can be given), flags without a
// value, -h/--help, and the arguments that are no option.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/convert.h"

namespace rq::cli {

// What every subcommand takes: --help, --encoding utf-8|gbk and --output FILE.
struct CommonOptions {
    bool help = false;
    bool gbk = false;
    std::optional<std::string> outputPath;
};

// A subcommand's own options: flags ("--unchecked") and options with a value ("--grade").
struct OptionTable {
    std::span<const std::string_view> flags;
    std::span<const std::string_view> valued;
};

// Takes one of the subcommand's own options (`value` is empty for a flag), or refuses it.
using TakeOption = std::function<std::optional<Text>(std::string_view name, std::string_view value)>;
// Takes an argument that is no option ("-" or one not starting with "-"), or refuses it.
using TakeArgument = std::function<std::optional<Text>(std::string_view argument)>;

// Reads every argument in order; the first refusal, one line, is returned.
std::optional<Text> ParseOptions(const std::vector<std::string>& args, const OptionTable& table,
                                 CommonOptions& common, const TakeOption& take, const TakeArgument& argument);

// The refusal of an argument the subcommand does not know.
Text UnknownOption(std::string_view argument);

// The --grade value of both subcommands: one of the five grade names, typed with its
// blanks or without, as `grade`; otherwise the one-line refusal that lists the five.
std::optional<Text> ReadGradeOption(std::string_view value, Text& grade);

}  // namespace rq::cli
