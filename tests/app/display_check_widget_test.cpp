// Before Qt starts: is there a screen to open the windows on?
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "app/display_check.h"

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

}  // namespace
