// Reading and writing whole files for projects, so that a save never leaves a half-written
// file behind and a read never takes more memory than a project can need.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/convert.h"
#include "convert/outcome.h"

namespace rq {

// Replaces the file at `path` with `bytes` so that the file is always either the old one
// or the complete new one: the bytes go to a temporary file beside it, are flushed to the
// disk, and the temporary file is renamed over the old one. A link is followed, so the
// file it points at is replaced, not the link. Returns the problem in Chinese ("磁盘空间不足")
// when it fails; the old file is then untouched and no temporary file is left.
std::optional<Text> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file of at most `maxBytes` bytes; a failure has the status kStatusFailed.
Outcome<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

} // namespace rq
