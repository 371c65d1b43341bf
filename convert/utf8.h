// Stepping over whole UTF-8 characters, so that a delimiter or a sought text is never
// matched inside a character.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
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

// A value as a message quotes it: its first `characters` characters and "…" when there is
// more, with control characters written as \n, \t or \xNN, so that a refusal stays one
// short line whatever the value holds (a name of five million bytes, a line break).
inline std::string ShortPiece(std::string_view text, int characters = 40)
{
    std::string piece;
    std::size_t at = 0;
    for (int taken = 0; at < text.size() && taken < characters; ++taken) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = std::min(Utf8CharLength(lead), text.size() - at);
        if (lead == '\n') {
            piece += "\\n";
        } else if (lead == '\t') {
            piece += "\\t";
        } else if (lead < 0x20 || lead == 0x7F) {
            constexpr char kHex[] = "0123456789ABCDEF";
            piece += {'\\', 'x', kHex[lead >> 4], kHex[lead & 15]};
        } else {
            piece += text.substr(at, length);
        }
        at += length;
    }
    if (at < text.size())
        piece += "…";
    return piece;
}

}  // namespace rq
