// The subcommands of renoquote-cli; each takes the arguments after its own name and
// returns the exit status (0 done, 1 a file could not be read or written, 2 refused input
// or bad usage).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rq::cli {

int RunQuoteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The --grade value of both subcommands: one of the five grade names, typed with its
// blanks or without; otherwise the one-line refusal that lists the five.
struct GradeOption {
    std::string name;
    std::optional<std::string> problem;
};
GradeOption ReadGradeOption(std::string_view value);

int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rq::cli
