#include "convert/encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>

#include "convert/utf8.h"

namespace rq {

namespace {

// One conversion pass; `onBad` decides what replaces a sequence iconv cannot take and
// how many input bytes it spans.
template <typename OnBad>
std::string Convert(const char* to, const char* from, std::string_view input, OnBad onBad)
{
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out;
    out.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a sequence cut off at the end): replace and step over it.
        const std::size_t skip = std::min(inLeft, onBad(out, std::string_view(in, inLeft)));
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    return Convert("UTF-8", "GBK", gbk, [](std::string& out, std::string_view) {
        out += "\xEF\xBF\xBD";  // U+FFFD
        return std::size_t{1};
    });
}

std::string Utf8ToGbk(std::string_view utf8)
{
    return Convert("GBK", "UTF-8", utf8, [](std::string& out, std::string_view rest) {
        out += '?';
        const std::size_t len = Utf8CharLength(static_cast<unsigned char>(rest[0]));
        // An invalid lead or continuation byte is one bad byte; a valid lead that GBK
        // cannot write spans its whole character.
        for (std::size_t k = 1; k < len; ++k) {
            if (k >= rest.size())
                return rest.size();  // a character cut off at the end
            if ((static_cast<unsigned char>(rest[k]) & 0xC0) != 0x80)
                return std::size_t{1};
        }
        return len;
    });
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            // Most of a room list or a price list is ASCII: it is passed eight bytes at a time.
            ++i;
            for (std::uint64_t eight = 0; i + sizeof eight <= bytes.size(); i += sizeof eight) {
                std::memcpy(&eight, bytes.data() + i, sizeof eight);
                if ((eight & 0x8080808080808080ull) != 0)
                    break;
            }
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            len = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            len = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            len = 4;
            c = lead & 0x07;
        } else {
            return false;
        }
        if (i + len > bytes.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (b & 0x3F);
        }
        const char32_t minimum = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

}  // namespace rq
