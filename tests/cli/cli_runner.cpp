#include "tests/cli/cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace rq::testing {

namespace {

// A temporary file that is gone again when the run is over.
struct TempFile {
    char path[64] = "/tmp/renoquote_cli_XXXXXX";
    int fd = mkstemp(path);
    ~TempFile()
    {
        if (fd >= 0)
            close(fd);
        std::remove(path);
    }
};

// This process's environment with the changes made, as NAME=VALUE texts.
std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        bool changed = false;
        for (const auto& change : changes)
            changed = changed || text.starts_with(change.first + "=");
        if (!changed)
            result.push_back(text);
    }
    for (const auto& [name, value] : changes)
        if (value)
            result.push_back(name + "=" + *value);
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Waits as long as the program runs: a hang is CTest's time-out to catch, so that a
// machine busy with other work never turns a slow run into a failure.
int WaitFor(pid_t pid)
{
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

} // namespace

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

CliRun RunProgram(const std::string& program, std::vector<std::string> args, const Streams& streams,
    const EnvironmentChanges& environment)
{
    args.insert(args.begin(), program);
    std::vector<char*> argv = Pointers(args);
    std::vector<std::string> variables = ChangedEnvironment(environment);
    std::vector<char*> envp = Pointers(variables);

    TempFile in, out, err;
    if (write(in.fd, streams.input.data(), streams.input.size()) != static_cast<ssize_t>(streams.input.size()))
        return {};
    lseek(in.fd, 0, SEEK_SET);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (streams.inputClosed)
        posix_spawn_file_actions_addclose(&actions, STDIN_FILENO);
    else if (!streams.inputPath.empty())
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, streams.inputPath.c_str(), O_RDONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, in.fd, STDIN_FILENO);
    if (!streams.outputPath.empty())
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, streams.outputPath.c_str(), O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, out.fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.fd, STDERR_FILENO);
    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0)
        run.status = WaitFor(pid);
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFile(out.path);
    run.err = ReadFile(err.path);
    return run;
}

CliRun RunCli(std::vector<std::string> args, const std::string& input)
{
    Streams streams;
    streams.input = input;
    return RunProgram(RENOQUOTE_CLI_PATH, std::move(args), streams);
}

} // namespace rq::testing
