#include "convert/encoding.h"

#include <string>

#include <gtest/gtest.h>

#include "convert/convert.h"

namespace rq {
namespace {

std::string Bytes(std::initializer_list<unsigned> bytes)
{
    std::string s;
    for (unsigned b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

TEST(Encoding, RoundTripsChineseBetweenGbkAndUtf8)
{
    const struct {
        std::string gbk;
        const char* utf8;
    } cases[] = {
        {Bytes({0xB3, 0xA4}), "长"},
        {Bytes({0xA3, 0xB3}), "３"},
        {"love 88\r\n", "love 88\r\n"},
        {Bytes({0xD2, 0xD1, 0xB0, 0xEF, 0xD6, 0xFA}), "已帮助"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
    }
}

TEST(Encoding, InvalidGbkBecomesReplacementCharacters)
{
    EXPECT_EQ(GbkToUtf8(Bytes({'1', 0xFF, '2'})), "1\xEF\xBF\xBD" "2");
    EXPECT_EQ(GbkToUtf8(Bytes({'1', 0xB3})), "1\xEF\xBF\xBD");  // lead byte cut off at the end
}

TEST(Encoding, CharactersGbkLacksBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToGbk("墙😀1"), Bytes({0xC7, 0xBD}) + "?1");
    EXPECT_EQ(Utf8ToGbk("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8ToGbk("a\xE9\x95"), "a?");
}

TEST(Encoding, RecognisesWellFormedUtf8)
{
    EXPECT_TRUE(IsValidUtf8("客厅\t3200*2800*2920"));
    EXPECT_TRUE(IsValidUtf8("😀"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE9\x95"));      // cut off
    EXPECT_FALSE(IsValidUtf8(Bytes({0xB3, 0xA4})));
}

// The folding of typed full-width forms must cover exactly what the GBK full-width row
// and its companions hold: each of those characters, decoded by iconv, folds to its ASCII
// twin, and every other GBK character is left alone.
TEST(FoldFullWidthForms, AgreesWithTheGbkTable)
{
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string utf8 = GbkToUtf8(Bytes({lead, trail}));
            if (utf8.empty() || utf8 == "\xEF\xBF\xBD")
                continue;
            std::string expected = utf8;
            if (lead == 0xA3 && trail >= 0xA1)
                expected = std::string(1, static_cast<char>(trail & 0x7F));
            else if (lead == 0xA1 && trail == 0xA1)
                expected = " ";
            else if (lead == 0xA1 && trail == 0xAB)
                expected = "~";
            else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
                expected = "*";
            EXPECT_EQ(FoldFullWidthForms(utf8), expected) << std::hex << lead << ' ' << trail;
        }
    }
}

}  // namespace
}  // namespace rq
