// Whether the program has a screen to open its windows on, checked before Qt is started:
// without one, Qt would abort with a long platform-plugin message instead of one clear line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rq {

// The display number of an X display on this machine (":0", ":1.0", "unix:2"), or nothing
// for a remote or malformed one, which is left for Qt to try.
std::optional<int> LocalX11DisplayNumber(std::string_view display);

// The message to print when no window can be shown, or nothing when one can (or may).
std::optional<std::string> DisplayProblem();

// The one line for a display that exists but cannot be used, naming what was tried (the
// variables that choose the platform and the display, as they are set).
std::string UnusableDisplayMessage();

// Held while Qt looks for its platform (the QApplication constructor). What Qt and the
// display libraries print meanwhile is kept back; should no platform start - a display
// that refuses the connection or the authorisation, a Wayland socket that leads nowhere,
// an unknown platform name - Qt's long fatal message gives way to UnusableDisplayMessage()
// and the program ends with status 1 instead of aborting. Once the application exists,
// whatever was kept back is printed after all.
class DisplayStartGuard {
public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;

private:
    int m_heldOutput = -1;  // where standard error goes meanwhile
};

}  // namespace rq
