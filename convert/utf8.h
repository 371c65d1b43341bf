// Stepping over whole UTF-8 characters, so that a delimiter or a sought text is never
// matched inside a character.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace rq {

// Length of the character whose first byte is `lead`: 1 for ASCII and for bytes that
// cannot start a character, else the length the lead byte announces.
constexpr std::size_t Utf8CharLength(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    if (lead < 0xF8)
        return 4;
    return 1;
}

// The longest start of `text` of at most `maxBytes` bytes that does not end inside a
// character: a name cut short stays readable.
constexpr std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    std::size_t end = std::min(text.size(), maxBytes);
    while (end > 0 && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

}  // namespace rq
