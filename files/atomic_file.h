// Every file the program writes reaches the disk one way: a temporary file in the target's
// folder, flushed with its folder, renamed over the target, so that the target is always
// either the old file or the whole new one. A link is followed and its target replaced;
// the target's permissions are kept; a read-only target, a folder, a device or a pipe is
// refused. A run killed mid-way may leave its temporary file; the next write into that
// folder removes such files of runs that have ended.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "convert/convert.h"

namespace rq {

// Replaces the file at `path` with `bytes`; the reason in Chinese when it cannot be
// ("磁盘空间不足"), the old file then untouched and nothing left beside it.
std::optional<Text> WriteFileAtomically(const std::string& path, std::string_view bytes);

// For writers that open their file by name (a spreadsheet library, a PDF painter): `write`
// fills the file at the temporary path it is given and returns whether it is complete;
// only then does it take the place of `path`. The reason when the replacing failed;
// nothing when it worked or when `write` gave up (its own result then says why).
std::optional<Text> ReplaceFileWith(const std::string& path, const std::function<bool(const std::string& temporary)>& write);

// Whether `name` is a temporary file of this program's, and of which process: the
// pattern is ".NAME~rq-PID-XXXXXX".
std::optional<long> TemporaryFileProcess(std::string_view name);

}  // namespace rq
