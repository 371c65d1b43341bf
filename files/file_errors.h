// Why a file could not be read or written, in words a home owner can act on: one table for
// projects, documents, recovery copies and the command line.
#pragma once

#include <string_view>

#include "convert/convert.h"

namespace rq {

enum class FileAccess { Read, Write };

inline constexpr std::string_view kNotAFile = "这不是一个普通文件";
inline constexpr std::string_view kReadOnlyFile = "文件是只读的";

// The reason for a failed call's error number; a permission or a missing folder reads
// differently for a read and a write.
Text FileErrorText(int error, FileAccess access);

}  // namespace rq
