// How the counter file's bytes become the main window's title and brand line.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "convert/counter_text.h"

namespace rq {
namespace {

struct CounterTextCase {
    const char* name;
    std::string file;
    std::optional<std::string> count;  // nullopt: the window keeps its texts
};

TEST(CounterTextTest, CountIsTakenAsItStands)
{
    const CounterTextCase cases[] = {
        {"plain count", "1234", "1234"},
        {"line break kept", "88\n", "88\n"},
        {"blanks kept", " 7 ", " 7 "},
        {"not a number, still shown", "many", "many"},
        {"zero byte ends the count", std::string("12\0" "9", 4), "12"},
        {"GBK decoded", "\xd2\xbb\xc7\xa7", "一千"},
        {"invalid GBK shown as replacement", "5\xff", "5\xef\xbf\xbd"},
        {"empty file", "", std::nullopt},
        {"zero byte first", std::string("\0" "12", 3), std::nullopt},
    };
    for (const CounterTextCase& c : cases) {
        const auto texts = CounterTextsFromFile(c.file);
        ASSERT_EQ(texts.has_value(), c.count.has_value()) << c.name;
        if (!c.count)
            continue;
        EXPECT_EQ(texts->title, "汀湖装饰公司装修报价评估工具-------已帮助" + *c.count + "位业主预算过报价") << c.name;
        EXPECT_EQ(texts->brandLine, "已帮助" + *c.count + "位业主预算过报价") << c.name;
    }
}

}  // namespace
}  // namespace rq
