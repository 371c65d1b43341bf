// The edits of a quote sheet kept as what the user did to which row: the room and the
// item's name, not the row's number. A sheet computed afresh after the rooms, grade or floor
// changed can then be given the same edits again; an edit whose row is gone (its room
// deleted, its item no longer priced) is named to the user, never made on another row.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "rooms/room_record.h"
#include "sheet/edit_checks.h"

namespace rq {

enum class KeptEditKind : std::uint8_t { Modify, Delete, Add, AddToRoom };

// Where a row lies on a sheet, told by what surrounds it.
enum class SheetPart : std::uint8_t {
    None, // no row: an edit made with nothing selected
    Room, // a room's header, its items and the blank row closing it
    Loose, // any other row above the fees: blank rows, the block of added items
    Fees, // from "其它的" through "工程总造价"
    Materials, // below "工程总造价": a full package's main materials and its foot
};

// A row found again by its room and name. Counting is from 0.
struct RowAnchor {
    SheetPart part = SheetPart::None;
    Text room; // Room: the header's text (the room type)
    int roomNumber = 0; // Room: which room of the sheet, top down, whatever its type
    Text item; // the row's 项目名称 (the header's own for the header)
    // Which row of that name: in a room from its header down; among the loose rows from the
    // fees up (the added items stay above the fees whatever rooms come); in the fees and
    // the main materials from their first row down.
    int itemNumber = 0;
    bool operator==(const RowAnchor&) const = default;
};

// One edit as the project keeps it.
struct KeptEdit {
    KeptEditKind kind = KeptEditKind::Modify;
    RowAnchor at; // Add: none; AddToRoom: the room's header
    // Modify: the four texts written. Add and AddToRoom: the item's name, quantity and unit
    // price (the unit is always "增" and stays empty here). Delete: none.
    ItemFields fields;
    bool operator==(const KeptEdit&) const = default;
};

// Where `row` of `sheet` lies; none outside the sheet.
RowAnchor AnchorOfRow(const QuoteSheet& sheet, int row);
// The row the anchor names on `sheet`, or -1 when there is none such.
int FindAnchoredRow(const QuoteSheet& sheet, const RowAnchor& at);

// The edit to keep for 修改, 删除此项, 确定添加 or 在此房间添加项 on `row` of `sheet`, taken
// before the edit is made.
KeptEdit KeepEdit(const QuoteSheet& sheet, KeptEditKind kind, int row, const ItemFields& fields);

// Makes the kept edit on the row its anchor names, through the same checked edits the
// window makes (TryModifyRow and the others). An anchor naming no row refuses the edit
// with a message saying so, and changes nothing.
EditOutcome ApplyKeptEdit(QuoteSheet& sheet, std::string_view caption, const KeptEdit& edit, const PriceBook& book,
    SheetListener* listener = nullptr);

struct ReplayOutcome {
    std::vector<KeptEdit> kept; // the edits made, anchored on the new sheet
    std::vector<Text> lost; // each edit not made, as the user is told of it
};

// Makes the edits of a sheet computed from the rooms `before` again, in order, on `sheet`,
// computed afresh from the rooms `now`. A room is followed through the change of list: a
// room deleted before it or one added do not send its edits to a neighbour, and the edits
// of a deleted room are lost, not made on the next room of its type.
ReplayOutcome ReplayKeptEdits(QuoteSheet& sheet, std::string_view caption, const std::vector<KeptEdit>& edits,
    const std::vector<RoomRecord>& before, const std::vector<RoomRecord>& now, const PriceBook& book);

// An edit as the list of lost edits names it: "修改第2个房间（卫生间）中的“防水工程”".
Text DescribeKeptEdit(const KeptEdit& edit);
// The one message naming the lost edits, at most `shown` of them and how many more.
Text LostEditsMessage(const std::vector<Text>& lost, std::size_t shown = 10);

// Stable names in project files; never change one once released.
std::string_view KeptEditKindName(KeptEditKind kind);
std::optional<KeptEditKind> KeptEditKindFromName(std::string_view name);
std::string_view SheetPartName(SheetPart part);
std::optional<SheetPart> SheetPartFromName(std::string_view name);

} // namespace rq
