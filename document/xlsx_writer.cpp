#include "document/xlsx_writer.h"

#include <algorithm>

#include "convert/utf8.h"

namespace rq {
namespace {

constexpr std::string_view kFallbackSheetName = "报价";
constexpr int kMaxSheetNameChars = 31;

}  // namespace

Text WorksheetName(std::string_view caption)
{
    Text name;
    int characters = 0;
    for (std::size_t i = 0; i < caption.size() && characters < kMaxSheetNameChars;) {
        const std::size_t length = std::min(Utf8CharLength(static_cast<unsigned char>(caption[i])), caption.size() - i);
        const std::string_view character = caption.substr(i, length);
        i += length;
        if (character.size() == 1 && std::string_view("[]:*?/\\").find(character[0]) != std::string_view::npos)
            continue;
        name += character;
        ++characters;
    }
    while (name.starts_with('\''))
        name.erase(0, 1);
    while (name.ends_with('\''))
        name.pop_back();
    return name.empty() ? Text(kFallbackSheetName) : name;
}

}  // namespace rq
