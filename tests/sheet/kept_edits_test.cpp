#include "sheet/kept_edits.h"

#include <gtest/gtest.h>

#include <vector>

#include "quote/engine.h"

namespace rq {
namespace {

RoomRecord Room(const char* type, const char* size)
{
    return RoomRecord { { type, size, "800*1500", "实木门", "1", "4" } };
}

const RoomRecord kLiving = Room("客厅", "4500*3600*2800");
const RoomRecord kBath = Room("卫生间", "2000*1800*2600");
const RoomRecord kBedroom = Room("卧室", "3200*2800*2920");
const RoomRecord kSmallBedroom = Room("卧室", "3000*2600*2920");

// An edit as a user makes it: on the named item of the `room`-th room (from 0), found on the
// sheet by reading it, apart from the code under test; room -1 with no item: no row.
struct UserEdit {
    KeptEditKind kind;
    int room;
    const char* item;
    ItemFields fields;
};

int RowOf(const QuoteSheet& sheet, int room, const char* item)
{
    for (int row = 0, rooms = -1; row < sheet.RowCount(); ++row) {
        rooms += sheet.GetKind(row) == RowKind::RoomHeader ? 1 : 0;
        if (rooms == room && sheet.GetCell(row, kItemName) == item)
            return row;
    }
    return -1;
}

EditOutcome MakeByHand(QuoteSheet& sheet, const Text& caption, const UserEdit& edit, int room)
{
    const int row = edit.item ? RowOf(sheet, room, edit.item) : -1;
    EXPECT_TRUE(!edit.item || row >= 0) << edit.item;
    const AddedItem added { edit.fields.name, edit.fields.quantity, edit.fields.unitPrice };
    switch (edit.kind) {
    case KeptEditKind::Modify:
        return TryModifyRow(sheet, caption, row, edit.fields, BuiltInPriceBook());
    case KeptEditKind::Delete:
        return TryDeleteRow(sheet, caption, row, BuiltInPriceBook());
    case KeptEditKind::Add:
        return TryAddItem(sheet, caption, added, BuiltInPriceBook());
    case KeptEditKind::AddToRoom:
        return TryAddItemToRoom(sheet, caption, row, added, BuiltInPriceBook());
    }
    return {};
}

// 重新计算并保留修改: the edits made on the sheet of `before` are made again on the sheet of
// `now`, and must give the same sheet as making them there by hand on their rooms' new places
// (`nowRoom`, -1: the room is gone and the edit must be listed instead).
TEST(KeptEdits, RecomputeKeepsTheEditsOfRoomsThatStayAndListsTheRest)
{
    const ItemFields dearerTiles { "地砖铺贴", "M2", "16.2", "45" };
    const ItemFields handles { "橱柜拉手", {}, "4", "25" };
    const ItemFields extraWaterproofing { "防水工程", "项", "5", "45" };
    const ItemFields customRate { "工程管理费", "项", "1", "10%" };
    const ItemFields widerWardrobe { "衣柜制作", "M2", "10", "450" };
    const ItemFields dearerToilet { "马桶", "个", "1", "2600" };
    struct Step {
        UserEdit edit;
        int nowRoom;
    };
    struct Case {
        const char* name;
        std::string_view package;
        std::vector<RoomRecord> before;
        std::vector<RoomRecord> now;
        std::vector<Step> steps;
        std::vector<const char*> lost; // a word each lost edit's line must hold
    };
    const Case cases[] = {
        { "a room added after three edits", kHalfPackage, { kLiving, kBath }, { kLiving, kBath, kBedroom },
            { { { KeptEditKind::Modify, 0, "地砖铺贴", dearerTiles }, 0 },
                { { KeptEditKind::Delete, 1, "包水管", {} }, 1 }, { { KeptEditKind::Add, -1, nullptr, handles }, -1 } },
            {} },
        { "a room added in front moves the edits with their rooms", kHalfPackage, { kLiving, kBath },
            { kBedroom, kLiving, kBath },
            { { { KeptEditKind::Modify, 0, "地砖铺贴", dearerTiles }, 1 },
                { { KeptEditKind::AddToRoom, 1, "卫生间", extraWaterproofing }, 2 },
                // RowOf counts the fees with the last room above them.
                { { KeptEditKind::Modify, 1, "工程管理费", customRate }, 2 } },
            {} },
        { "an edit of a deleted room is listed, not made", kHalfPackage, { kLiving, kBedroom, kBath },
            { kLiving, kBath },
            { { { KeptEditKind::Modify, 1, "衣柜制作", widerWardrobe }, -2 },
                { { KeptEditKind::Delete, 2, "包水管", {} }, 1 }, { { KeptEditKind::Add, -1, nullptr, handles }, -1 } },
            { "卧室" } },
        { "of two bedrooms the deleted one's edit is not made on the other", kHalfPackage, { kBedroom, kSmallBedroom },
            { kSmallBedroom },
            { { { KeptEditKind::Modify, 1, "衣柜制作", widerWardrobe }, 0 },
                { { KeptEditKind::Delete, 0, "衣柜制作", {} }, -2 } },
            { "删除第1个房间（卧室）" } },
        { "a full package keeps an edit of its main materials", kFullPackage, { kLiving, kBath },
            { kLiving, kBath, kBedroom },
            { { { KeptEditKind::Add, -1, nullptr, handles }, -1 },
                { { KeptEditKind::Modify, 1, "防水工程", extraWaterproofing }, 1 },
                // The bathroom's materials come under a header of their own below the fees.
                { { KeptEditKind::Modify, 2, "马桶", dearerToilet }, 3 } },
            {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DetailedQuote edited = BuildDetailedQuote(c.before, kComfortGrade, FloorChoice::Tiles, c.package);
        DetailedQuote byHand = BuildDetailedQuote(c.now, kComfortGrade, FloorChoice::Tiles, c.package);
        std::vector<KeptEdit> kept;
        for (const Step& step : c.steps) {
            const int row = step.edit.item ? RowOf(edited.sheet, step.edit.room, step.edit.item) : -1;
            const KeptEdit edit = KeepEdit(edited.sheet, step.edit.kind, row, step.edit.fields);
            const EditOutcome made = MakeByHand(edited.sheet, edited.caption, step.edit, step.edit.room);
            ASSERT_FALSE(made.refusal);
            ASSERT_FALSE(made.change.empty());
            kept.push_back(edit);
            if (step.nowRoom != -2)
                MakeByHand(byHand.sheet, byHand.caption, step.edit, step.nowRoom);
        }
        DetailedQuote replayed = BuildDetailedQuote(c.now, kComfortGrade, FloorChoice::Tiles, c.package);
        const ReplayOutcome outcome
            = ReplayKeptEdits(replayed.sheet, replayed.caption, kept, c.before, c.now, BuiltInPriceBook());
        EXPECT_EQ(replayed.sheet.CopyRows(), byHand.sheet.CopyRows());
        EXPECT_EQ(replayed.sheet, byHand.sheet) << "kinds along";
        ASSERT_EQ(outcome.lost.size(), c.lost.size());
        for (std::size_t i = 0; i < c.lost.size(); ++i)
            EXPECT_NE(outcome.lost[i].find(c.lost[i]), Text::npos) << outcome.lost[i];
        EXPECT_EQ(outcome.kept.size(), kept.size() - c.lost.size());
        // What the project keeps now makes the new sheet out of a fresh one by itself.
        DetailedQuote again = BuildDetailedQuote(c.now, kComfortGrade, FloorChoice::Tiles, c.package);
        const ReplayOutcome second
            = ReplayKeptEdits(again.sheet, again.caption, outcome.kept, c.now, c.now, BuiltInPriceBook());
        EXPECT_TRUE(second.lost.empty());
        EXPECT_EQ(again.sheet, replayed.sheet);
    }
}

TEST(KeptEdits, ALongListOfLostEditsIsCutWithTheCountLeft)
{
    const std::vector<Text> lost(12, "修改第1个房间（卧室）中的“地砖铺贴”");
    const Text message = LostEditsMessage(lost);
    EXPECT_NE(message.find(" 12 项"), Text::npos);
    EXPECT_NE(message.find("\n10. "), Text::npos);
    EXPECT_EQ(message.find("\n11. "), Text::npos);
    EXPECT_NE(message.find("另有 2 项"), Text::npos);
}

} // namespace
} // namespace rq
