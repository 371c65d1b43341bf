#include "convert/convert.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace rq {
namespace {

struct NumberCase {
    double value;
    const char* text;
};

TEST(NumberToText, WritesAtMostThirteenSignificantDigits)
{
    const NumberCase cases[] = {
        {3200.0 * 2800.0 / 1000000.0, "8.96"},
        {0.1 + 0.2, "0.3"},
        {150, "150"},
        {1234567, "1234567"},
        {12345.678, "12345.678"},
        {123456789.123456, "123456789.1235"},
        {-0.5, "-0.5"},
        {0, "0"},
        {-0.0, "0"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {10000000000000.0, "1e+013"},
        {9999999999999.0, "9999999999999"},
        {99999999999999.0, "1e+014"},
        {1234567890122.5, "1234567890123"},  // an exact half goes away from zero
        {-1234567890122.5, "-1234567890123"},
        {1234567890123.5, "1234567890124"},
        {0.5, "0.5"},
        {1.5e-5, "1.5e-005"},
        {1e300, "1e+300"},
        {-2.5e-300, "-2.5e-300"},
        {123.0004, "123.0004"},
        {1e-4 * 0.99999999999999, "0.0001"},  // rounds up across the exponent boundary
        {9.999999999999e-5, "9.999999999999e-005"},
        {4294967296.0, "4294967296"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToText(c.value), c.text) << "value " << c.value;
}

TEST(NumberToText, WritesNonFiniteValuesReadably)
{
    EXPECT_EQ(NumberToText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(NumberToText(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(NumberToText(std::nan("")), "nan");
}

TEST(NumberToShortText, WritesAtMostSixSignificantDigits)
{
    const NumberCase cases[] = {
        {8.96, "8.96"},
        {12345.678, "12345.7"},
        {123456.78, "123457"},
        {12345.25, "12345.3"},
        {100000, "100000"},
        {999999.5, "1e+006"},
        {1234567, "1.23457e+006"},
        {-3.5, "-3.5"},
        {0, "0"},
        {0.00001, "1e-005"},
        {116.48, "116.48"},
        {0.1, "0.1"},
        {1.5, "1.5"},
        {9.5, "9.5"},
        {15, "15"},
        {1e-30, "1e-030"},
        {3.4e38, "3.4e+038"},
        {1e39, "inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToShortText(c.value), c.text) << "value " << c.value;
}

TEST(ToSingle, RoundsToNearestSingleTiesToEven)
{
    EXPECT_EQ(ToSingle(16777217.0), 16777216.0f);
    EXPECT_EQ(ToSingle(16777219.0), 16777220.0f);
    EXPECT_EQ(static_cast<double>(ToSingle(0.1)), static_cast<double>(0.1f));
}

struct TextCase {
    const char* text;
    double number;
};

TEST(TextToNumber, ReadsTheLongestNumberAtTheStart)
{
    const TextCase cases[] = {
        {"3200", 3200},
        {"  3200", 3200},
        {"\t\r\n\v\f3200", 3200},
        {"3200mm", 3200},
        {"３２００", 3200},
        {"－５．５", -5.5},
        {"\xE3\x80\x80" "12", 12},  // ideographic space
        {"3,200", 3},
        {"", 0},
        {"abc", 0},
        {".5", 0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"+7", 7},
        {"-5", -5},
        {"1.5e3", 1500},
        {"1.5d3", 1500},
        {"1.5D+3", 1500},
        {"1.5E-3", 0.0015},
        {"2e", 2},
        {"2e+", 2},
        {"1.23457e+006", 1234570},
        {"3200.9", 3200.9},
        {"1.2.3", 1.2},
        {"--5", 0},
        {"0x10", 0},
        {"米3200", 0},
        {"1e999", std::numeric_limits<double>::infinity()},
        {"-1e999", -std::numeric_limits<double>::infinity()},
        {"1e-999", 0},
        {"0.1", 0.1},
        {"8.959999999999999", 8.959999999999999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToNumber(c.text), c.number) << "text 「" << c.text << "」";
}

TEST(TextToNumber, StopsAtATruncatedCharacter)
{
    // "３" is EF BC 93: cut after two bytes it ends the text.
    EXPECT_EQ(TextToNumber("12\xEF\xBC"), 12);
    EXPECT_EQ(TextToNumber(std::string("12\0" "34", 5)), 12);
}

TEST(TextToNumber, IgnoresTheProcessLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_NUMERIC, "C.UTF-8");
    EXPECT_EQ(TextToNumber("3.5"), 3.5);
    EXPECT_EQ(NumberToText(3.5), "3.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TextToNumber, ReadsAMillionDigitsWithoutTrouble)
{
    std::string digits(1000000, '9');
    EXPECT_TRUE(std::isinf(TextToNumber(digits)));
    std::string small = "0." + std::string(1000000, '0') + "1";
    EXPECT_EQ(TextToNumber(small), 0);
    std::string exact = "1" + std::string(200, '0') + "e-200";
    EXPECT_EQ(TextToNumber(exact), 1);
}

TEST(ToInteger, TruncatesTowardZeroAndKeepsTheLow32Bits)
{
    const struct {
        double value;
        std::int32_t integer;
    } cases[] = {
        {3200.9, 3200},
        {-2.7, -2},
        {0.999, 0},
        {2147483647.0, 2147483647},
        {2147483648.0, -2147483647 - 1},
        {4294967296.0 + 5, 5},
        {-4294967296.0 - 5, -5},
        {1e300, 0},
        {99999999999.0 * 99999999999.0, ToInteger(std::fmod(99999999999.0 * 99999999999.0, 4294967296.0))},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::nan(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToInteger(c.value), c.integer) << "value " << c.value;
    EXPECT_EQ(ToInteger(TextToNumber("3200.9")), 3200);
    EXPECT_EQ(ToInteger(99999999999.0), static_cast<std::int32_t>(99999999999LL & 0xFFFFFFFF));
}

TEST(IntegerToText, WritesSignedDigits)
{
    EXPECT_EQ(IntegerToText(480), "480");
    EXPECT_EQ(IntegerToText(0), "0");
    EXPECT_EQ(IntegerToText(-3), "-3");
    EXPECT_EQ(IntegerToText(-2147483647 - 1), "-2147483648");
}

TEST(BytesToText, StopsAtTheFirstZeroByte)
{
    EXPECT_EQ(BytesToText(std::string_view("123\0" "9", 5)), "123");
    EXPECT_EQ(BytesToText("88\r\n"), "88\r\n");
    EXPECT_EQ(BytesToText(std::string_view("\0" "1", 2)), "");
}

TEST(SplitText, SplitsAtEveryAsteriskOutsideCharacters)
{
    using Pieces = std::vector<Text>;
    const struct {
        const char* text;
        Pieces pieces;
    } cases[] = {
        {"3200*2800*2920", {"3200", "2800", "2920"}},
        {"3200*2800*2920*", {"3200", "2800", "2920"}},
        {"3200**2920", {"3200", "", "2920"}},
        {"*2800*2920", {"", "2800", "2920"}},
        {"3200*2800", {"3200", "2800"}},
        {"3200", {"3200"}},
        {"", {}},
        {"*", {""}},
        {"**", {"", ""}},
        {"3200＊2800＊2920", {"3200＊2800＊2920"}},
        {"长*宽*高", {"长", "宽", "高"}},
        {"墙*", {"墙"}},
        {"\xE9\x95*1", {"\xE9\x95*1"}},  // a cut-off character swallows what follows it
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitText(c.text, "*"), c.pieces) << "text 「" << c.text << "」";
}

TEST(SplitText, NeverMatchesInsideACharacter)
{
    // "丨" (E4 B8 A8) contains no '*', but a delimiter made of its tail bytes must not match.
    EXPECT_EQ(SplitText("a丨b", "\xB8\xA8").size(), 1u);
    EXPECT_EQ(SplitText("abc", "").size(), 1u);
}

TEST(FindText, FindsOnCharacterBoundariesOnly)
{
    EXPECT_EQ(FindText("2-3", "-"), 2);
    EXPECT_EQ(FindText("23", "-"), -1);
    EXPECT_EQ(FindText("-1", "-"), 1);
    EXPECT_EQ(FindText("实木门", "门"), 7);
    EXPECT_EQ(FindText("a丨b", "\xB8\xA8"), -1);
    EXPECT_EQ(FindText("abc", ""), 1);
    EXPECT_EQ(FindText("", ""), -1);
    EXPECT_EQ(FindText("", "-"), -1);
}

TEST(SquareRoot, IsTheDoubleSquareRoot)
{
    EXPECT_EQ(SquareRoot(2.0), std::sqrt(2.0));
    EXPECT_EQ(SquareRoot(0.0), 0.0);
}

TEST(NumberForms, ReadBackAndWriteAgainIsStable)
{
    const double values[] = {8.96, 1234567, 0.00001, 1e13, 12345.678, 999999.5, -3.5, 123456789.123456};
    for (double v : values) {
        const Text longForm = NumberToText(v);
        EXPECT_EQ(NumberToText(TextToNumber(longForm)), longForm);
        const Text shortForm = NumberToShortText(v);
        EXPECT_EQ(NumberToShortText(TextToNumber(shortForm)), shortForm);
    }
}

// The fast paths (ASCII reading, shortest digits) against the general ones, over inputs a
// quote meets and inputs no one types: every result must agree to the bit and the byte.
TEST(FastConversions, AgreeWithThePlainOnesOnRandomInputs)
{
    std::mt19937_64 random(20261209);
    const auto pick = [&random](std::uint64_t n) { return random() % n; };
    using namespace std::string_view_literals;
    const std::string_view pieces[] = {"0", "1", "5", "9", "07", ".", "+", "-", "e", "E", "d", "D", " ", "\t",
                                       "\0"sv, "３", "．", "－", "元", "%", "x", "\xE4",
                                       "1234567890123456789012345678901234567890"};
    for (int i = 0; i < 200'000; ++i) {
        std::string text;
        for (std::uint64_t n = pick(12); n > 0; --n)
            text += pieces[pick(std::size(pieces))];
        const double fast = TextToNumber(text);
        const double reference = plain::TextToNumber(text);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(fast), std::bit_cast<std::uint64_t>(reference)) << "text 「" << text << "」";

        // Figures as a quote writes them: areas from millimetres, products, raw bit patterns.
        const double figures[] = {
            static_cast<double>(pick(20'000)) * static_cast<double>(pick(20'000)) / 1'000'000.0,
            TextToNumber(text) * static_cast<double>(pick(5'000)),
            std::bit_cast<double>(random()),
            std::bit_cast<double>(random() % 100'000),  // below the normal range
            static_cast<double>(pick(1'000'000)) / std::pow(10.0, static_cast<double>(pick(20))),
        };
        for (const double value : figures) {
            ASSERT_EQ(NumberToText(value), plain::NumberToText(value)) << std::hexfloat << value;
            ASSERT_EQ(SingleToText(ToSingle(value)), plain::SingleToText(ToSingle(value))) << std::hexfloat << value;
            // Read back as the quote reads its own cells.
            const Text written = NumberToText(value);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(TextToNumber(written)),
                      std::bit_cast<std::uint64_t>(plain::TextToNumber(written)))
                << written;
        }
    }
}

}  // namespace
}  // namespace rq
