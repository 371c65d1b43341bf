// Where copies of open projects are kept against a crash: one file per running program, so
// that two windows never overwrite each other's work, named after the program's process.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rq {

// $XDG_STATE_HOME/renoquote, or ~/.local/state/renoquote when that variable is unset, empty
// or not an absolute path (as the base-directory convention asks); nothing when neither
// gives a folder.
std::optional<std::string> RecoveryFolder(const char* stateHome, const char* home);

// "recovery-<pid>.renoquote", and back: the process of a file in the folder, or nothing for
// any other name.
std::string RecoveryFileName(long pid);
std::optional<long> RecoveryFileProcess(std::string_view fileName);

}  // namespace rq
