// The one place where GBK and UTF-8 meet: the counter file arrives in GBK and the
// command line can write GBK for older tools.
#pragma once

#include <string>
#include <string_view>

namespace rq {

// Bytes that are not valid GBK become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// Characters that GBK lacks become "?"; invalid UTF-8 bytes become "?" too.
std::string Utf8ToGbk(std::string_view utf8);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace rq
