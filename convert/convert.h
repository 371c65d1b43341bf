// Number and text conversions: how every figure of a quote becomes text and back.
// Texts are UTF-8; the rules once defined on GBK bytes apply to the same characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rq {

using Text = std::string;

// Reads the longest number at the start of a typed text (full-width forms folded,
// leading white space skipped, "d"/"D" accepted as exponent marker); 0 when there is none.
// Independent of the process locale, correctly rounded.
double TextToNumber(std::string_view text);

// The full-width forms of a Chinese input method folded to ASCII ("３" to "3", "．" to ".",
// the ideographic space to " ", "☆"/"★" to "*"); other characters unchanged; a truncated
// character at the end ends the text.
Text FoldFullWidthForms(std::string_view text);

// Truncates toward zero and keeps the low 32 bits; NaN and infinities give 0.
std::int32_t ToInteger(double value);

// Long form: at most 13 significant digits, exact halves away from zero,
// exponent form (at least three exponent digits) when the exponent is < -4 or >= 13.
Text NumberToText(double value);

// Rounds to the nearest single, ties to even.
float ToSingle(double value);

// Six significant digits by the system's own rounding; exponent form when < -4 or >= 6.
Text SingleToText(float value);

// Short form: SingleToText(ToSingle(value)).
Text NumberToShortText(double value);

Text IntegerToText(std::int32_t value);

// The bytes up to, not including, the first zero byte.
Text BytesToText(std::string_view bytes);

// Pieces between delimiters; a delimiter is never matched inside a character, a trailing
// delimiter adds no empty piece, an empty text has no pieces.
std::vector<Text> SplitText(std::string_view text, std::string_view delimiter);

// The same pieces as views into `text`, nothing copied (every room is read this way): the
// first pieces.size() are written, and the number of all pieces is returned.
std::size_t SplitTextViews(std::string_view text, std::string_view delimiter, std::span<std::string_view> pieces);

// 1-based byte position of the first occurrence starting on a character boundary, or -1.
int FindText(std::string_view text, std::string_view sought);

double SquareRoot(double value);

// The three conversions above without their fast paths: the general reading and the
// correctly rounded long expansion for every figure. The fast paths must agree with them
// byte for byte; the tests and the fuzz targets hold them to it.
namespace plain {
double TextToNumber(std::string_view text);
Text NumberToText(double value);
Text SingleToText(float value);
}  // namespace plain

}  // namespace rq
