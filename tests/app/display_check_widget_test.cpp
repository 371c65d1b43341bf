// Before Qt starts: is there a screen to open the windows on?
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/display_check.h"
#include "tests/cli/cli_runner.h"

namespace {

TEST(LocalX11DisplayNumber, ReadsLocalDisplaysOnly)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {":0", 0},         {":1.0", 1},      {"unix:2", 2},          {":12.3", 12},
        {"host:0", std::nullopt}, {"", std::nullopt},  {":", std::nullopt},   {":x", std::nullopt},
        {":0.x", std::nullopt},   {"localhost:10.0", std::nullopt}, {":99999999", std::nullopt},
    };
    for (const auto& [display, number] : cases)
        EXPECT_EQ(rq::LocalX11DisplayNumber(display), number) << display;
}

// Sets the three variables for one case and puts the test process's own back afterwards.
class Environment {
public:
    Environment()
    {
        for (const char* name : kNames)
            if (const char* value = std::getenv(name))
                m_saved.emplace_back(name, value);
    }
    ~Environment()
    {
        for (const char* name : kNames)
            ::unsetenv(name);
        for (const auto& [name, value] : m_saved)
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    void set(const char* display, const char* wayland, const char* platform)
    {
        const char* values[] = {display, wayland, platform};
        for (int i = 0; i < 3; ++i)
            values[i] ? ::setenv(kNames[i], values[i], 1) : ::unsetenv(kNames[i]);
    }

private:
    static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::vector<std::pair<std::string, std::string>> m_saved;
};

struct ProblemCase {
    const char* display;
    const char* wayland;
    const char* platform;
    const char* messageContains;  // nullptr: no problem
};

TEST(DisplayProblem, OneLineWhenNoWindowCanBeShown)
{
    const ProblemCase cases[] = {
        {nullptr, nullptr, nullptr, "DISPLAY"},
        {"", "", "", "DISPLAY"},
        {":4711", nullptr, nullptr, ":4711"},  // no X server listens there
        {nullptr, "wayland-0", nullptr, nullptr},
        {nullptr, nullptr, "offscreen", nullptr},
        {"remote.example:0", nullptr, nullptr, nullptr},  // Qt's to try
    };
    for (const auto& c : cases) {
        Environment environment;
        environment.set(c.display, c.wayland, c.platform);
        const auto problem = rq::DisplayProblem();
        EXPECT_EQ(problem.has_value(), c.messageContains != nullptr) << (c.display ? c.display : "(unset)");
        if (problem && c.messageContains) {
            EXPECT_NE(problem->find(c.messageContains), std::string::npos) << *problem;
            EXPECT_EQ(problem->find('\n'), std::string::npos) << "one line";
        }
    }
}

// The desktop program itself, started where a display exists but cannot be used: one line
// saying what was tried and status 1, never Qt's abort with its long plugin message.
TEST(DisplayStartGuard, UnusableDisplaysEndWithOneLineAndStatusOne)
{
    using Changes = rq::testing::EnvironmentChanges;
    const Changes unset = {{"QT_QPA_PLATFORM", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
    const auto with = [&](Changes more) {
        Changes changes = unset;
        changes.insert(changes.end(), more.begin(), more.end());
        return changes;
    };
    const std::pair<Changes, const char*> cases[] = {
        {with({{"DISPLAY", "localhost:99"}}), "DISPLAY=localhost:99"},
        {with({{"DISPLAY", ":99.x"}}), "DISPLAY=:99.x"},
        {with({{"DISPLAY", "bogus"}}), "DISPLAY=bogus"},
        {with({{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", "renoquote-nowhere-0"}}), "WAYLAND_DISPLAY=renoquote-nowhere-0"},
        {{{"QT_QPA_PLATFORM", "bogus"}}, "QT_QPA_PLATFORM=bogus"},
    };
    for (const auto& [changes, tried] : cases) {
        const rq::testing::CliRun run = rq::testing::RunProgram(RENOQUOTE_APP_PATH, {}, {}, changes);
        EXPECT_EQ(run.status, 1) << tried << "\n" << run.err;
        EXPECT_NE(run.err.find(tried), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_EQ(run.err.rfind("renoquote: ", 0), 0u) << run.err;
    }
}

// --version and --help of both programs, where there is no display at all: the package
// check and a user in a terminal ask them so. The version is the build's.
TEST(DisplayStartGuard, VersionAndHelpNeedNoDisplay)
{
    const rq::testing::EnvironmentChanges noDisplay = {
        {"QT_QPA_PLATFORM", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"DISPLAY", std::nullopt}};
    const struct {
        const char* program;
        const char* argument;
        std::string out;
    } cases[] = {
        {RENOQUOTE_APP_PATH, "--version", "renoquote " RENOQUOTE_VERSION "\n"},
        {RENOQUOTE_CLI_PATH, "--version", "renoquote-cli " RENOQUOTE_VERSION "\n"},
        {RENOQUOTE_APP_PATH, "--help", ""},
    };
    for (const auto& c : cases) {
        const rq::testing::CliRun run = rq::testing::RunProgram(c.program, {c.argument}, {}, noDisplay);
        EXPECT_EQ(run.status, 0) << c.program << " " << c.argument << "\n" << run.err;
        EXPECT_EQ(run.err, "");
        if (!c.out.empty())
            EXPECT_EQ(run.out, c.out);
        else
            EXPECT_EQ(run.out.rfind("用法: renoquote ", 0), 0u) << run.out;
    }
}

// An X server that lets in only those holding its cookie, as a desktop session's does;
// started through sudo, the program often finds the display but not the cookie.
TEST(DisplayStartGuard, RefusedAuthorisationEndsWithOneLine)
{
    namespace fs = std::filesystem;
    int number = 70;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) || fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        ++number;
    const std::string display = ":" + std::to_string(number);
    const std::string cookieFile = ::testing::TempDir() + "renoquote-cookie-" + std::to_string(::getpid());
    const std::string addCookie = "xauth -q -f '" + cookieFile + "' add " + display + " . $(mcookie)";
    ASSERT_EQ(std::system(addCookie.c_str()), 0) << "xauth and mcookie are installed with the test tools";

    const pid_t server = ::fork();
    ASSERT_GE(server, 0);
    if (server == 0) {
        ::execlp("Xvfb", "Xvfb", display.c_str(), "-auth", cookieFile.c_str(), "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    // Until the server listens or gives up: a busy machine may take long to start it.
    while (!fs::exists(socket) && ::waitpid(server, nullptr, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const bool started = fs::exists(socket);

    const rq::testing::CliRun run = started
        ? rq::testing::RunProgram(RENOQUOTE_APP_PATH, {}, {},
              {{"QT_QPA_PLATFORM", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"DISPLAY", display},
               {"XAUTHORITY", "/nonexistent"}})
        : rq::testing::CliRun {};
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    fs::remove(cookieFile);

    ASSERT_TRUE(started) << "Xvfb did not start on " << display;
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("XAUTHORITY=/nonexistent"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
}

}  // namespace
