// The add check and the reading of a room's texts into millimetres.
#include <gtest/gtest.h>

#include "rooms/room_record.h"

namespace {

using rq::RoomRecord;

RoomRecord room(const char* size, const char* window, const char* doorType = "实木门", const char* leaves = "1")
{
    return RoomRecord{{"客厅", size, window, doorType, leaves, "4"}};
}

struct CheckCase {
    const char* size;
    const char* window;
    std::optional<std::string_view> message;
};

TEST(CheckRoomForAdd, CountsPiecesOfSizeFirstThenWindow)
{
    const std::optional<std::string_view> ok;
    const CheckCase cases[] = {
        {"3200*2800*2920", "800*1500", ok},
        {"3200*2800", "800*1500", rq::kRoomSizeFormatMessage},
        {"3200*2800*2920*1", "800*1500", rq::kRoomSizeFormatMessage},
        {"", "800*1500", rq::kRoomSizeFormatMessage},
        {"3200*2800*2920*", "800*1500", ok},  // a trailing "*" adds no piece
        {"3200**2920", "800*1500", ok},
        {"abc*def*ghi", "800*1500", ok},      // pieces are not checked for being numbers
        {"3200×2800×2920", "800*1500", rq::kRoomSizeFormatMessage},
        {"3200＊2800＊2920", "800*1500", rq::kRoomSizeFormatMessage},
        {"3200*2800*2920", "0*0", ok},
        {"3200*2800*2920", "800", rq::kWindowFormatMessage},
        {"3200*2800*2920", "", rq::kWindowFormatMessage},
        {"3200*2800*2920", "800*1500*1", rq::kWindowFormatMessage},
        {"3200*2800", "800", rq::kRoomSizeFormatMessage},  // only the first fault is told
    };
    for (const auto& c : cases) {
        RoomRecord r = room(c.size, c.window);
        const RoomRecord before = r;
        const auto message = rq::CheckRoomForAdd(r);
        EXPECT_EQ(message.has_value(), c.message.has_value()) << c.size << " / " << c.window;
        if (message && c.message) {
            EXPECT_EQ(*message, *c.message);
        }
        EXPECT_EQ(r, before) << "texts are stored as typed";
    }
}

TEST(CheckRoomForAdd, RefusesNegativeOrOversizedNumbersNamingThePiece)
{
    struct Case {
        const char* size;
        const char* window;
        const char* leaves;
        const char* walls;
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {"-3200*-2800*-2800", "800*1500", "1", "4", "您输入的房子长度不能是负数\r\n正确格式为   长*宽*高"},
        {"3200*-2800*2800", "800*1500", "1", "4", "您输入的房子宽度不能是负数\r\n正确格式为   长*宽*高"},
        {"3200*2800*－2800", "800*1500", "1", "4", "您输入的房子高度不能是负数\r\n正确格式为   长*宽*高"},
        {"3200*2800*2800", "-800*1500", "1", "4", "您输入的窗子长度不能是负数\r\n正确格式为   长*高"},
        {"3200*2800*2800", "800*-1e309", "1", "4", "您输入的窗子高度不能是负数\r\n正确格式为   长*高"},
        {"3200*2800*2800", "800*1500", "-1", "4", "您输入的门的扇数不能是负数"},
        {"3200*2800*2800", "800*1500", "1", "-4", "您输入的墙面数不能是负数"},
        // a length past whole millimetres would read wrapped round, negative or tiny
        {"3000000000*2800*2800", "800*1500", "1", "4", "您输入的房子长度太大\r\n正确格式为   长*宽*高"},
        {"3200*2800*2800", "1e309*1500", "1", "4", "您输入的窗子长度太大\r\n正确格式为   长*高"},
        {"3200*2800*2800", "800*1500", "4294967297", "4", "您输入的门的扇数太大"},
        // not numbers, fractions of a millimetre below zero, and the largest length pass
        {"abc*-*2800", "-x*0", "", "四", nullptr},
        {"-0.9*2800*2800", "800*1500", "-0", "4", nullptr},
        {"2147483647*2800*2800", "800*1500", "1", "4", nullptr},
    };
    for (const Case& c : cases) {
        RoomRecord r{{"客厅", c.size, c.window, "实木门", c.leaves, c.walls}};
        const auto message = rq::CheckRoomForAdd(r);
        EXPECT_EQ(message.value_or("(accepted)"), c.message ? c.message : "(accepted)") << c.size << " " << c.window;
    }
}

TEST(CheckRoomForAdd, MessagesBreakTheLineWithCarriageReturnAndLineFeed)
{
    EXPECT_EQ(rq::kRoomSizeFormatMessage, "您输入的房子内容格式不正确\r\n正确格式为   长*宽*高");
    EXPECT_EQ(rq::kWindowFormatMessage, "您输入的窗子内容格式不正确\r\n正确格式为   长*高");
}

struct NoDoorCase {
    const char* doorType;
    const char* size;
    const char* leavesAfter;
};

TEST(CheckRoomForAdd, RoomWithoutDoorGetsNoLeavesEvenWhenRefused)
{
    const NoDoorCase cases[] = {
        {"(无)", "3200*2800*2920", "0"},
        {"(无)", "3200", "0"},              // corrected before the size is checked
        {"实木门", "3200*2800*2920", "3"},
        {"（无）", "3200*2800*2920", "3"},  // full-width brackets are another door type
    };
    for (const auto& c : cases) {
        RoomRecord r = room(c.size, "800*1500", c.doorType, "3");
        rq::CheckRoomForAdd(r);
        EXPECT_EQ(r.doorLeaves(), c.leavesAfter) << c.doorType << " " << c.size;
    }
}

struct ReadCase {
    const char* size;
    const char* window;
    const char* leaves;
    const char* walls;
    rq::RoomDimensions expected;
};

// 4.5*3.6*2.8 priced as millimetres is a room of 0.0000126 m²: such a text is offered in
// millimetres, and only when every piece of it is a number between 0 and 100.
TEST(FindSizesInMetres, OffersMillimetresOnlyWhenEveryPieceLooksLikeMetres)
{
    const struct {
        const char* size;
        const char* window;
        const char* suggestedSize;    // nullptr: nothing found
        const char* suggestedWindow;
    } cases[] = {
        {"4.5*3.6*2.8", "1500*1500", "4500*3600*2800", "1500*1500"},
        {"3200*2800*2920", "1.5*1.2", "3200*2800*2920", "1500*1200"},
        {"4.5*3.6*2.8", "1.5*1.2", "4500*3600*2800", "1500*1200"},
        {"4.1*3.35*2.8", "0*0", "4100*3350*2800", "0*0"},  // to the nearest millimetre
        {"99*99*99", "800*1500", "99000*99000*99000", "800*1500"},
        {"100*3.6*2.8", "800*1500", nullptr, nullptr},  // one piece of millimetres is enough
        {"4.5*3.6*2800", "800*1500", nullptr, nullptr},
        {"4.5*0*2.8", "800*1500", nullptr, nullptr},
        {"4.5*3.6", "800*1500", nullptr, nullptr},      // the format check's to refuse
        {"abc*def*ghi", "0*0", nullptr, nullptr},
        {"-4.5*-3.6*-2.8", "800*1500", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const auto found = rq::FindSizesInMetres(room(c.size, c.window));
        ASSERT_EQ(found.has_value(), c.suggestedSize != nullptr) << c.size << " / " << c.window;
        if (!found)
            continue;
        EXPECT_EQ(found->suggested, room(c.suggestedSize, c.suggestedWindow)) << c.size;
        EXPECT_NE(found->question.find(std::string("改为 ") + (c.size == std::string_view(c.suggestedSize)
                                                                  ? c.suggestedWindow : c.suggestedSize) + "？"),
                  std::string::npos) << found->question;
        EXPECT_EQ(found->warning.find('\n'), std::string::npos) << "one line for the command line";
    }
}

TEST(ReadRoomDimensions, ReadsWholeMillimetresAndZeroForWhatIsNotANumber)
{
    const ReadCase cases[] = {
        {"3200*2800*2920", "800*1500", "1", "4", {3200, 2800, 2920, 800, 1500, 1, 4}},
        {"3200*2800*2920*", "0*0", "0", "3", {3200, 2800, 2920, 0, 0, 0, 3}},
        {"3200**2920", "800*1500", "1", "4", {3200, 0, 2920, 800, 1500, 1, 4}},
        {"abc*def*ghi", "x*y", "abc", "", {0, 0, 0, 0, 0, 0, 0}},
        {"3200.7*2800*2920", "800.9*1500", "2.9", "4", {3200, 2800, 2920, 800, 1500, 2, 4}},
        {"３２００*2800*2920", "800*1500", "1", "4", {3200, 2800, 2920, 800, 1500, 1, 4}},
        // Stored through "修改" without the check: the missing pieces read as 0.
        {"3200*2800", "800", "1", "4", {3200, 2800, 0, 800, 0, 1, 4}},
        {"", "", "", "", {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        RoomRecord r{{"卧室", c.size, c.window, "实木门", c.leaves, c.walls}};
        const auto d = rq::ReadRoomDimensions(r);
        const auto& e = c.expected;
        EXPECT_EQ(d.length, e.length) << c.size;
        EXPECT_EQ(d.width, e.width) << c.size;
        EXPECT_EQ(d.height, e.height) << c.size;
        EXPECT_EQ(d.windowLength, e.windowLength) << c.window;
        EXPECT_EQ(d.windowHeight, e.windowHeight) << c.window;
        EXPECT_EQ(d.doorLeaves, e.doorLeaves) << c.leaves;
        EXPECT_EQ(d.walls, e.walls) << c.walls;
    }
}

}  // namespace
