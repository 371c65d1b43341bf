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

}  // namespace rq
