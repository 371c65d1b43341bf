// A JSON file that is not JSON (a project, a price book), told in the user's terms: the
// line and column where reading stopped and what the library's English reason means.
#pragma once

#include <cstddef>
#include <string_view>

#include "convert/convert.h"

namespace rq {

// "第 3 行第 14 列：文件在这里意外结束，可能没有保存完整。" for the byte where parsing stopped
// (the library's count, from 1) and the library's own reason.
Text JsonSyntaxProblem(std::string_view bytes, std::size_t byte, std::string_view libraryReason);

}  // namespace rq
