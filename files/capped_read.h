// Reading a whole file the program keeps (a project, a recovery copy) with a cap, so that a
// read never takes more memory than such a file can need, and a device or a pipe is
// refused at once instead of read for ever.
#pragma once

#include <string>

#include "convert/outcome.h"
#include "files/file_stamp.h"

namespace rq {

// Reads a whole regular file of at most `maxBytes` bytes; a failure has the status
// kStatusFailed and the reason in Chinese. `stamp`, when given, receives what the file
// was as read, for a later save to tell whether it changed since.
Outcome<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes, FileStamp* stamp = nullptr);

}  // namespace rq
