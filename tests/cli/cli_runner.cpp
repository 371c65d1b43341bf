#include "tests/cli/cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
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

}  // namespace

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

CliRun RunCli(std::vector<std::string> args, const std::string& input)
{
    args.insert(args.begin(), RENOQUOTE_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    TempFile in, out, err;
    if (write(in.fd, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        return {};
    lseek(in.fd, 0, SEEK_SET);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.fd, STDERR_FILENO);
    CliRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFile(out.path);
    run.err = ReadFile(err.path);
    return run;
}

}  // namespace rq::testing
