#include "convert/convert.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <optional>

#include "convert/utf8.h"

namespace rq {

namespace {

// Full-width forms a user may type in a Chinese input method, folded to what they mean.
char FoldedChar(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5D && c != 0xFF04)
        return static_cast<char>(c - 0xFEE0);
    switch (c) {
    case 0xFFE5: return '$';
    case 0xFFE3:
    case 0xFF5E: return '~';
    case 0x3000: return ' ';
    case 0x2605:
    case 0x2606: return '*';
    default: return 0;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double ParseOutOfRange(const std::string& number)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, cLocale);
}

// Writes decimal digits `digits` (no leading zero, value d.ddd × 10^exponent) with at most
// `precision` significant digits already applied: trailing zeros dropped, plain or
// exponent form as the system writes numbers. Built on the stack: a figure is at most
// a sign, 13 digits, a point and a four-character exponent, or "0.000" and 13 digits.
Text FormatDigits(bool negative, std::string_view digits, int exponent, int precision)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.remove_suffix(1);
    char buf[64];
    char* out = buf;
    const auto put = [&out](std::string_view piece) { out = std::copy(piece.begin(), piece.end(), out); };
    if (negative)
        *out++ = '-';
    const int k = static_cast<int>(digits.size());
    if (exponent < -4 || exponent >= precision) {
        *out++ = digits[0];
        if (k > 1) {
            *out++ = '.';
            put(digits.substr(1));
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);  // at most 324 for a double
        *out++ = static_cast<char>('0' + magnitude / 100);
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        if (k <= whole) {
            put(digits);
            out = std::fill_n(out, whole - k, '0');
        } else {
            put(digits.substr(0, static_cast<std::size_t>(whole)));
            *out++ = '.';
            put(digits.substr(static_cast<std::size_t>(whole)));
        }
    } else {
        put("0.");
        out = std::fill_n(out, -exponent - 1, '0');
        put(digits);
    }
    return Text(buf, out);
}

// Splits a scientific rendering "d.ddde±x" into its digits and exponent.
void SplitScientific(const char* text, std::string& digits, int& exponent)
{
    digits.clear();
    const char* p = text;
    for (; *p && *p != 'e'; ++p)
        if (IsDigit(*p))
            digits.push_back(*p);
    exponent = *p == 'e' ? std::atoi(p + 1) : 0;
}

// Rounds a finite, non-zero magnitude to `precision` significant digits, an exact half
// going away from zero, judged on the exact binary value.
void RoundSignificant(double magnitude, int precision, std::string& digits, int& exponent)
{
    char buf[1024];
    // Five guard digits decide the rounding, except when they read "50000": then the
    // value may sit exactly on the half, and only the exact expansion can tell.
    auto res = std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::scientific, precision + 4);
    *res.ptr = '\0';
    SplitScientific(buf, digits, exponent);
    const std::string guard = digits.substr(static_cast<std::size_t>(precision));
    bool roundUp = guard[0] >= '5';
    if (guard == "50000") {
        res = std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::scientific, 800);
        *res.ptr = '\0';
        std::string exact;
        int exactExponent = 0;
        SplitScientific(buf, exact, exactExponent);
        digits = exact.substr(0, static_cast<std::size_t>(precision) + 1);
        exponent = exactExponent;
        roundUp = exact[static_cast<std::size_t>(precision)] >= '5';
    }
    digits.resize(static_cast<std::size_t>(precision));
    if (roundUp) {
        int i = precision - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
}

Text NonFiniteText(double value)
{
    if (std::isnan(value))
        return "nan";
    return value < 0 ? "-inf" : "inf";
}

// The shortest digits that read back as `magnitude`, when there are at most `precision` of
// them. They are then also the correctly rounded `precision` digits: a normal double lies
// within a part in 10^16 of them, far inside half a step of the 13th significant digit, so
// no rounding, and no exact half, can come out differently. This is how nearly every
// figure of a quote is written, without the long expansion.
bool ShortestDigits(double magnitude, int precision, char (&digits)[32], std::size_t& count, int& exponent)
{
    // Below the normal range a double has fewer binary places than that, and its
    // shortest digits can be far from the correctly rounded ones.
    if (magnitude < std::numeric_limits<double>::min())
        return false;
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    count = 0;
    const char* p = buf;
    for (; p != res.ptr && *p != 'e'; ++p)
        if (IsDigit(*p))
            digits[count++] = *p;
    if (count > static_cast<std::size_t>(precision) || p == res.ptr)
        return false;
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, res.ptr, exponent);
    return true;
}

// 10 to the power `n`, exact for the writers' precisions.
constexpr double TenToThe(int n)
{
    double power = 1;
    for (; n > 0; --n)
        power *= 10;
    return power;
}

Text FormatNumber(double value, int precision, bool shortestFirst)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0)
        return "0";
    // A whole number of fewer digits than the precision (a serial number, a count, a total
    // in yuan: most figures of a quote) is written as its digits, with nothing to round.
    if (shortestFirst && std::fabs(value) < std::min(1e9, TenToThe(precision)) && value == std::trunc(value))
        return std::to_string(static_cast<std::int32_t>(value));
    int exponent = 0;
    if (shortestFirst) {
        char shortest[32];
        std::size_t count = 0;
        if (ShortestDigits(std::fabs(value), precision, shortest, count, exponent))
            return FormatDigits(value < 0, std::string_view(shortest, count), exponent, precision);
    }
    std::string digits;
    RoundSignificant(std::fabs(value), precision, digits, exponent);
    return FormatDigits(value < 0, digits, exponent, precision);
}

}  // namespace

Text FoldFullWidthForms(std::string_view text)
{
    Text out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t len = Utf8CharLength(lead);
        if (i + len > text.size())
            break;  // a truncated character ends the text
        char folded = 0;
        if (len == 3) {
            const char32_t c = (char32_t(lead & 0x0F) << 12) | (char32_t(text[i + 1] & 0x3F) << 6)
                | char32_t(text[i + 2] & 0x3F);
            folded = FoldedChar(c);
        }
        if (folded != 0)
            out.push_back(folded);
        else
            out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

namespace {

// A typed figure is nearly always plain ASCII ("4500", "8.96", "8%"): read it where it
// stands, with the number copied to the stack, instead of folding the whole text and
// building the number in a string. Anything else - a character beyond ASCII on the way
// (it may be a full-width digit), a number too long for the buffer, a value out of range
// - is left to the general reading (empty result).
std::optional<double> ReadAsciiNumber(std::string_view text)
{
    char number[64];
    std::size_t length = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto ascii = [&](std::size_t at) { return static_cast<unsigned char>(text[at]) < 0x80; };
    const auto put = [&](char c) {
        if (length == sizeof number)
            return false;
        number[length++] = c;
        return true;
    };
    while (i < n && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < n && !ascii(i))
        return std::nullopt;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            put('-');
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (IsDigit(c))
            anyDigit = true;
        else if (c == '.' && !point)
            point = true;
        else
            break;
        if (!put(c))
            return std::nullopt;
    }
    if (i < n && !ascii(i))
        return std::nullopt;
    if (!anyDigit)
        return 0.0;
    if (i < n && text[i] != '\0' && std::strchr("eEdD", text[i]) != nullptr) {
        std::size_t j = i + 1;
        const std::size_t mark = length;
        bool written = put('e');
        if (j < n && (text[j] == '+' || text[j] == '-'))
            written = put(text[j++]) && written;
        const std::size_t firstDigit = j;
        while (j < n && IsDigit(text[j]))
            written = put(text[j++]) && written;
        if (!written || (j < n && !ascii(j)))
            return std::nullopt;
        if (j == firstDigit)
            length = mark;  // "e" without digits is not part of the number
    }
    // Whole numbers of up to 15 digits (most cells: "4500", "35", "-20") are exact in a
    // double, so they need no decimal-to-binary rounding at all.
    const bool negative = number[0] == '-';
    const std::string_view digits(number + (negative ? 1 : 0), length - (negative ? 1 : 0));
    if (digits.size() <= 15 && std::ranges::all_of(digits, IsDigit)) {
        std::uint64_t whole = 0;
        for (const char c : digits)
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        const auto magnitude = static_cast<double>(whole);
        return negative ? -magnitude : magnitude;
    }
    double value = 0;
    if (std::from_chars(number, number + length, value).ec != std::errc())
        return std::nullopt;
    return value;
}

double PlainTextToNumber(std::string_view text)
{
    const std::string folded = FoldFullWidthForms(text);
    std::size_t i = 0;
    const std::size_t n = folded.size();
    while (i < n && std::strchr(" \t\n\v\f\r", folded[i]) != nullptr && folded[i] != '\0')
        ++i;
    std::string number;
    if (i < n && (folded[i] == '+' || folded[i] == '-')) {
        if (folded[i] == '-')
            number.push_back('-');
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < n; ++i) {
        const char c = folded[i];
        if (IsDigit(c)) {
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number.push_back(c);
    }
    if (!anyDigit)
        return 0;
    // Engineers' tables write exponents with "d" as well as "e"; both count.
    if (i < n && std::strchr("eEdD", folded[i]) != nullptr && folded[i] != '\0') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < n && (folded[j] == '+' || folded[j] == '-'))
            exponent.push_back(folded[j++]);
        const std::size_t firstDigit = j;
        while (j < n && IsDigit(folded[j]))
            exponent.push_back(folded[j++]);
        if (j > firstDigit)
            number += exponent;
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return ParseOutOfRange(number);
    return value;
}

}  // namespace

double TextToNumber(std::string_view text)
{
    // Digits alone or with a point between them, a few ("4500", "35", "8.96", "12.96"), are
    // most of what a quote reads - its quantities, prices and totals. Up to 15 digits they
    // are a whole number below 2^53 over a power of ten that a double holds exactly, and one
    // division of the two rounds just as reading the decimal text does.
    if (!text.empty() && text.size() <= 16) {
        static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::uint64_t whole = 0;
        int digits = 0;
        int afterPoint = -1;  // no point yet
        bool plain = true;
        for (const char c : text) {
            if (IsDigit(c)) {
                whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
                ++digits;
                if (afterPoint >= 0)
                    ++afterPoint;
            } else if (c == '.' && afterPoint < 0 && digits > 0) {
                afterPoint = 0;
            } else {
                plain = false;
                break;
            }
        }
        if (plain && digits <= 15 && afterPoint != 0)
            return afterPoint < 0 ? static_cast<double>(whole) : static_cast<double>(whole) / kTens[afterPoint];
    }
    if (const std::optional<double> value = ReadAsciiNumber(text))
        return *value;
    return PlainTextToNumber(text);
}

std::int32_t ToInteger(double value)
{
    // Every figure of a real quote fits: truncation alone gives its low 32 bits.
    if (value > -2147483649.0 && value < 2147483648.0)
        return static_cast<std::int32_t>(value);
    if (!std::isfinite(value))
        return 0;
    // The low 32 bits of the truncated value; fmod is exact on doubles.
    double wrapped = std::fmod(std::trunc(value), 4294967296.0);
    if (wrapped < 0)
        wrapped += 4294967296.0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(wrapped));
}

Text NumberToText(double value) { return FormatNumber(value, 13, true); }

float ToSingle(double value) { return static_cast<float>(value); }

namespace {

Text SingleToTextWith(float single, bool shortestFirst)
{
    if (!std::isfinite(single))
        return NonFiniteText(single);
    if (single == 0)
        return "0";
    // Six significant digits by the system's own steps, so that short-form figures come out
    // digit for digit as customers have always seen them.
    std::uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    const int e2 = static_cast<int>((bits >> 23) & 0xFF) - 127;
    int a = static_cast<int>(e2 * std::log10(2.0));
    double p = std::pow(10.0, std::abs(a));
    const double magnitude = std::fabs(static_cast<double>(single));
    double v = a > 0 ? magnitude / p : magnitude * p;
    if (v >= 10) {
        p *= 10;
        a += 1;
        v *= 1e4;
    } else if (v >= 1) {
        v *= 1e5;
    } else {
        p *= 10;
        a -= 1;
        v *= 1e6;
    }
    double whole = std::floor(v);
    if (v - whole >= 0.5)
        whole += 1;
    double r = a > 0 ? whole * p * 1e-5 : whole / (p * 1e5);
    if (single < 0)
        r = -r;
    return FormatNumber(r, 6, shortestFirst);
}

}  // namespace

Text SingleToText(float single) { return SingleToTextWith(single, true); }

Text NumberToShortText(double value) { return SingleToText(ToSingle(value)); }

Text IntegerToText(std::int32_t value) { return std::to_string(value); }

Text BytesToText(std::string_view bytes)
{
    const auto zero = bytes.find('\0');
    return Text(bytes.substr(0, zero));
}

namespace {

// The one walk both splits share: calls `piece` for every piece in order.
template <typename OnPiece>
void ForEachPiece(std::string_view text, std::string_view delimiter, OnPiece piece)
{
    if (text.empty())
        return;
    if (delimiter.empty()) {
        piece(text);
        return;
    }
    std::size_t start = 0;
    std::size_t i = 0;
    // A delimiter of one byte ("*") is compared as a byte, not as a text at every step.
    const auto delimiterAt = [&](std::size_t at) {
        return delimiter.size() == 1 ? text[at] == delimiter.front() : text.compare(at, delimiter.size(), delimiter) == 0;
    };
    while (text.size() - i >= delimiter.size()) {
        if (delimiterAt(i)) {
            piece(text.substr(start, i - start));
            i += delimiter.size();
            start = i;
        } else {
            i += Utf8CharLength(static_cast<unsigned char>(text[i]));
            if (i > text.size())
                break;
        }
    }
    if (start < text.size())
        piece(text.substr(start));
}

}  // namespace

std::vector<Text> SplitText(std::string_view text, std::string_view delimiter)
{
    std::vector<Text> pieces;
    ForEachPiece(text, delimiter, [&pieces](std::string_view piece) { pieces.emplace_back(piece); });
    return pieces;
}

std::size_t SplitTextViews(std::string_view text, std::string_view delimiter, std::span<std::string_view> pieces)
{
    std::size_t count = 0;
    ForEachPiece(text, delimiter, [&](std::string_view piece) {
        if (count < pieces.size())
            pieces[count] = piece;
        ++count;
    });
    return count;
}

int FindText(std::string_view text, std::string_view sought)
{
    if (sought.empty())
        return text.empty() ? -1 : 1;
    std::size_t i = 0;
    while (i < text.size() && text.size() - i >= sought.size()) {
        if (text.compare(i, sought.size(), sought) == 0)
            return static_cast<int>(i + 1);
        i += Utf8CharLength(static_cast<unsigned char>(text[i]));
    }
    return -1;
}

double SquareRoot(double value) { return std::sqrt(value); }

namespace plain {

double TextToNumber(std::string_view text) { return PlainTextToNumber(text); }
Text NumberToText(double value) { return FormatNumber(value, 13, false); }
Text SingleToText(float value) { return SingleToTextWith(value, false); }

}  // namespace plain

}  // namespace rq
