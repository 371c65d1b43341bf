// Reading a room or edit file for renoquote-cli: from a path or from standard input ("-"),
// with caps, so that a device such as /dev/zero or a runaway pipe cannot fill the memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "convert/outcome.h"

namespace rq::cli {

// No list of rooms or edits comes near these; past them the input is refused.
inline constexpr std::size_t kMaxInputBytes = std::size_t { 256 } << 20;
inline constexpr std::size_t kMaxLineBytes = std::size_t { 1 } << 20;

// Reads the whole file, `what` naming it in messages ("房间文件"): it fails when it cannot
// be read, and is refused when too large or when it holds a NUL byte, named with its line
// number: no typed room holds one, and it would cut a size short unseen.
Outcome<std::string> ReadInputFile(const std::optional<std::string>& path, std::string_view what);

} // namespace rq::cli
