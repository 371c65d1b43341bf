// The room list of a detailed quote and the two door rules.
#include <gtest/gtest.h>

#include "rooms/room_list.h"

namespace {

using rq::RoomList;
using rq::RoomRecord;

RoomRecord initialEntry() { return RoomRecord{{"客厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"}}; }

RoomRecord bedroom() { return RoomRecord{{"卧室", "4000*3000*2800", "1200*1500", "移门", "2", "3"}}; }

TEST(RoomList, AddingTheInitialEntryTwiceGivesTwoIdenticalRows)
{
    RoomList list;
    RoomRecord entry = initialEntry();
    EXPECT_FALSE(list.AddRoom(entry));
    EXPECT_FALSE(list.AddRoom(entry));
    ASSERT_EQ(list.rowCount(), 2);
    const std::array<rq::Text, 6> expected{"客厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"};
    EXPECT_EQ(list.room(0).cells, expected);
    EXPECT_EQ(list.room(1).cells, expected);
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST(RoomList, RefusedRoomLeavesTheListAsItWas)
{
    RoomList list;
    RoomRecord good = initialEntry();
    list.AddRoom(good);
    RoomRecord badSize = initialEntry();
    badSize.cells[rq::kRoomSize] = "3200*2800";
    EXPECT_EQ(list.AddRoom(badSize), rq::Text(rq::kRoomSizeFormatMessage));
    RoomRecord badWindow = initialEntry();
    badWindow.cells[rq::kRoomWindow] = "800";
    EXPECT_EQ(list.AddRoom(badWindow), rq::Text(rq::kWindowFormatMessage));
    EXPECT_EQ(list.rowCount(), 1);
}

TEST(RoomList, RoomWithoutDoorIsStoredWithNoLeavesAndTheEntryCorrected)
{
    RoomList list;
    RoomRecord entry = initialEntry();
    entry.cells[rq::kRoomDoorType] = "(无)";
    entry.cells[rq::kRoomDoorLeaves] = "3";
    EXPECT_FALSE(list.AddRoom(entry));
    EXPECT_EQ(list.room(0).doorLeaves(), "0");
    EXPECT_EQ(entry.doorLeaves(), "0");
}

struct EditCase {
    const char* name;
    int select;           // row to select before the edit, -1 for none
    bool modify;          // modify with the bedroom entry, else delete
    bool changed;
    std::vector<const char*> typesAfter;
};

TEST(RoomList, ModifyAndDeleteActOnTheSelectedRowOnly)
{
    const EditCase cases[] = {
        {"modify without selection", -1, true, false, {"客厅", "餐厅", "厨房"}},
        {"modify the middle row", 1, true, true, {"客厅", "卧室", "厨房"}},
        {"delete without selection", -1, false, false, {"客厅", "餐厅", "厨房"}},
        {"delete the middle row", 1, false, true, {"客厅", "厨房"}},
        {"delete the last row", 2, false, true, {"客厅", "餐厅"}},
        {"a row past the end selects nothing", 3, false, false, {"客厅", "餐厅", "厨房"}},
    };
    for (const auto& c : cases) {
        RoomList list;
        for (const char* type : {"客厅", "餐厅", "厨房"}) {
            RoomRecord entry = initialEntry();
            entry.cells[rq::kRoomType] = type;
            list.AddRoom(entry);
        }
        list.selectRow(c.select);
        const bool changed = c.modify ? list.ModifySelectedRoom(bedroom()) : list.DeleteSelectedRoom();
        EXPECT_EQ(changed, c.changed) << c.name;
        ASSERT_EQ(list.rowCount(), static_cast<int>(c.typesAfter.size())) << c.name;
        for (int row = 0; row < list.rowCount(); ++row)
            EXPECT_EQ(list.room(row).type(), c.typesAfter[static_cast<std::size_t>(row)]) << c.name << " row " << row;
    }
}

TEST(RoomList, ModifyStoresTheEntryUnchecked)
{
    RoomList list;
    RoomRecord entry = initialEntry();
    list.AddRoom(entry);
    list.selectRow(0);
    RoomRecord unchecked{{"卧室", "3200*2800", "800", "(无)", "2", "4"}};
    EXPECT_TRUE(list.ModifySelectedRoom(unchecked));
    EXPECT_EQ(list.room(0), unchecked);
    EXPECT_EQ(list.selectedRow(), 0);
}

TEST(RoomList, DeletingLeavesNothingSelectedSoTheNextDeleteDoesNothing)
{
    RoomList list;
    RoomRecord entry = initialEntry();
    list.AddRoom(entry);
    list.AddRoom(entry);
    list.selectRow(0);
    EXPECT_TRUE(list.DeleteSelectedRoom());
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_FALSE(list.DeleteSelectedRoom());
    EXPECT_EQ(list.rowCount(), 1);
}

TEST(RoomList, DeletingByRowChecksTheRow)
{
    RoomList list;
    RoomRecord entry = initialEntry();
    list.AddRoom(entry);
    EXPECT_FALSE(list.DeleteRoom(1));
    EXPECT_FALSE(list.DeleteRoom(-1));
    list.selectRow(0);
    EXPECT_TRUE(list.DeleteRoom(0));
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST(RoomList, ShowsTheSelectedRoomUnlessNoneOrItsTypeIsEmpty)
{
    RoomList list;
    RoomRecord entry = initialEntry();
    list.AddRoom(entry);
    RoomRecord other = bedroom();
    list.AddRoom(other);
    EXPECT_FALSE(list.RoomToShow());
    list.selectRow(1);
    ASSERT_TRUE(list.RoomToShow());
    EXPECT_EQ(*list.RoomToShow(), bedroom());
    RoomRecord untyped = bedroom();
    untyped.cells[rq::kRoomType] = "";
    list.ModifySelectedRoom(untyped);
    EXPECT_FALSE(list.RoomToShow());
}

struct LeafCase {
    const char* leaves;
    const char* before;  // the door type shown when the leaves change
    std::optional<const char*> corrected;
    const char* doorType;
};

TEST(DoorRules, LeavesSwitchTheDoorOnlyBetweenNoneAndSome)
{
    const LeafCase cases[] = {
        {"0", "推拉门", std::nullopt, "(无)"},
        {"1", "(无)", std::nullopt, "实木门"},
        {"2", "", std::nullopt, "实木门"},
        {"2", "推拉门", std::nullopt, "推拉门"},  // a two-leaf sliding door stays one
        {"2", "塑钢门", std::nullopt, "塑钢门"},
        {"1", "自定的门", std::nullopt, "自定的门"},
        {"", "(无)", std::nullopt, "实木门"},
        {"abc", "移门", std::nullopt, "移门"},
        {"00", "(无)", std::nullopt, "实木门"},  // only the text "0" itself means no door
        {"-1", "推拉门", "0", "(无)"},
        {"-", "实木门", "0", "(无)"},
        {"3-", "移门", "0", "(无)"},
        {"－1", "(无)", std::nullopt, "实木门"},  // a full-width minus is not a minus sign here
    };
    for (const auto& c : cases) {
        const auto result = rq::ApplyDoorLeafRule(c.leaves, c.before);
        EXPECT_EQ(result.correctedLeaves.has_value(), c.corrected.has_value()) << c.leaves;
        if (result.correctedLeaves && c.corrected) {
            EXPECT_EQ(*result.correctedLeaves, *c.corrected) << c.leaves;
        }
        EXPECT_EQ(result.doorType, c.doorType) << c.leaves;
    }
}

TEST(DoorRules, ChosenDoorTypeDecidesTheLeaves)
{
    const std::pair<const char*, const char*> cases[] = {
        {"(无)", "0"}, {"实木门", "1"}, {"移门", "1"}, {"出租房门", "1"}, {"折叠门", "1"}, {"", "1"},
    };
    for (const auto& [doorType, leaves] : cases)
        EXPECT_EQ(rq::DoorLeavesForDoorType(doorType), leaves) << doorType;
}

}  // namespace
