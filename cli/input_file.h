// Reading a room or edit file for renoquote-cli: from a path or from standard input ("-"),
// with caps, so that a device such as /dev/zero or a runaway pipe cannot fill the memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rq::cli {

// No list of rooms or edits comes near these; past them the input is refused.
inline constexpr std::size_t kMaxInputBytes = std::size_t { 256 } << 20;
inline constexpr std::size_t kMaxLineBytes = std::size_t { 1 } << 20;

struct InputFile {
    std::string bytes;
    std::string problem; // one line when the file could not be read or was refused
    int status = 0; // 0 read; 1 a read failure; 2 refused (too large, NUL byte)
};

// Reads the whole file, `what` naming it in messages ("房间文件"). A NUL byte is refused
// with its line number: no typed room holds one, and it would cut a size short unseen.
InputFile ReadInputFile(const std::optional<std::string>& path, std::string_view what);

// A short reason for a failed system call, in Chinese where the user can act on it.
std::string SystemErrorText(int error);

} // namespace rq::cli
