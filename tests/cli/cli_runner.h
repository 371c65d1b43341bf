// Runs a built program (renoquote-cli, or the desktop program where it must end before any
// window opens) as a script would: arguments straight to the program (no shell between, so
// blanks, quotes and Chinese arrive as given), standard input from a text or a path, and
// what comes out on both streams and in the exit status.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rq::testing {

struct CliRun {
    int status = -1; // -1 when the program did not end normally (a crash, a signal, a hang)
    std::string out;
    std::string err;
};

// Where the standard streams lead; by default input is `input` and both outputs are caught.
struct Streams {
    std::string input;
    std::string inputPath; // opened as standard input instead ("/dev/zero", a folder)
    bool inputClosed = false;
    std::string outputPath; // standard output goes there instead ("/dev/full")
};

// Variables to change for the run: a value sets one, nothing removes it.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// A program killed by a signal is reported with status -1.
CliRun RunProgram(const std::string& program, std::vector<std::string> args, const Streams& streams,
    const EnvironmentChanges& environment = {});

CliRun RunCli(std::vector<std::string> args, const std::string& input = {});

// Any program, found by its full path: the readers that check what the command wrote.
CliRun RunProgram(std::vector<std::string> args, const std::string& input = {});

std::string ReadFile(const std::string& path);

} // namespace rq::testing
