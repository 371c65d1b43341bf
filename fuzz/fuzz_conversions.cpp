// Conversions on arbitrary typed texts: the fast paths agree with the general ones, a
// number written in either form reads back to the same text; splitting and searching never cut a character and lose no byte.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "convert/convert.h"
#include "convert/encoding.h"
#include "fuzz/fuzz_check.h"

namespace {

void checkNumberForms(double value)
{
    // The fast paths write exactly what the general ones write.
    FUZZ_CHECK(rq::NumberToText(value) == rq::plain::NumberToText(value));
    FUZZ_CHECK(rq::SingleToText(rq::ToSingle(value)) == rq::plain::SingleToText(rq::ToSingle(value)));
    if (!std::isfinite(value))
        return;
    const rq::Text longForm = rq::NumberToText(value);
    FUZZ_CHECK(rq::NumberToText(rq::TextToNumber(longForm)) == longForm);
    const float single = rq::ToSingle(value);
    if (std::isfinite(single) && std::fabs(single) >= 1e-30f) {
        const rq::Text shortForm = rq::SingleToText(single);
        FUZZ_CHECK(rq::NumberToShortText(rq::TextToNumber(shortForm)) == shortForm);
    }
    (void)rq::ToInteger(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double read = rq::TextToNumber(text);
    const double readPlain = rq::plain::TextToNumber(text);
    FUZZ_CHECK(std::memcmp(&read, &readPlain, sizeof read) == 0);  // the ASCII fast path reads the same
    checkNumberForms(read);
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkNumberForms(raw);
    }

    // Splitting at "*": on well-formed text the pieces joined again give the text back,
    // less one trailing "*" (which adds no piece).
    const auto pieces = rq::SplitText(text, "*");
    if (rq::IsValidUtf8(text)) {
        std::string joined;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                joined += '*';
            joined += pieces[i];
        }
        FUZZ_CHECK(joined == text || joined + "*" == text);
        for (const auto& piece : pieces)
            FUZZ_CHECK(rq::IsValidUtf8(piece));
    }

    // Searching: a found position holds the sought text; the sought text is split off the
    // fuzz input at its first tab.
    const auto tab = text.find('\t');
    if (tab != std::string_view::npos) {
        const std::string_view haystack = text.substr(0, tab);
        const std::string_view sought = text.substr(tab + 1);
        const int position = rq::FindText(haystack, sought);
        FUZZ_CHECK(position == -1 || (position >= 1 && static_cast<std::size_t>(position) <= haystack.size()));
        if (position > 0 && !sought.empty())
            FUZZ_CHECK(haystack.substr(static_cast<std::size_t>(position) - 1, sought.size()) == sought);
        if (position == -1 && !haystack.empty() && !sought.empty() && rq::IsValidUtf8(haystack)
            && rq::IsValidUtf8(sought))
            FUZZ_CHECK(haystack.find(sought) == std::string_view::npos);
    }

    const std::string gbk = rq::Utf8ToGbk(text);
    FUZZ_CHECK(rq::IsValidUtf8(rq::GbkToUtf8(gbk)));
    FUZZ_CHECK(rq::IsValidUtf8(rq::GbkToUtf8(text)));
    return 0;
}
