// Runs the built renoquote-cli as a script would: arguments straight to the program (no
// shell between, so blanks, quotes and Chinese arrive as given), standard input from a
// text, and what comes out on both streams and in the exit status.
#pragma once

#include <string>
#include <vector>

namespace rq::testing {

struct CliRun {
    int status = -1;  // -1 when the program did not end normally (a crash, a signal)
    std::string out;
    std::string err;
};

CliRun RunCli(std::vector<std::string> args, const std::string& input = {});

std::string ReadFile(const std::string& path);

}  // namespace rq::testing
