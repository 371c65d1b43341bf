// The rooms of a detailed quote as the user lists them on the main window, in the order
// entered, with the row the user has selected, and the two rules that keep the door type and
// the number of door leaves consistent while a room is typed in.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "rooms/room_record.h"

namespace rq {

inline constexpr std::string_view kDefaultDoorType = "实木门";

class RoomList {
public:
    // Adds a copy of the entry texts after the add check. The check may correct the entry
    // itself (a room without a door has "0" leaves), which is why it is taken by reference.
    // Returns the message to show when the room is refused; the list is then unchanged.
    std::optional<Text> AddRoom(RoomRecord& entry);

    // Overwrites the selected room with the entry texts as they stand, without the add check:
    // the user corrects a room in place. False (nothing changed) when no room is selected.
    bool ModifySelectedRoom(const RoomRecord& entry);

    // Removes the selected room; the rooms below move up and nothing is selected afterwards,
    // so a second press of "删除" cannot silently remove a neighbour. False when none is selected.
    bool DeleteSelectedRoom();
    // Removes the given room (the one that was selected when the user pressed "删除"); the
    // selection is cleared as above. False when the row is not in the list.
    bool DeleteRoom(int row);

    // The rooms of an opened project, as they were kept (unchecked, like rooms changed with
    // "修改"); nothing is selected.
    void ReplaceRooms(std::vector<RoomRecord> rooms);

    // The room to copy back into the entry fields: the selected one, unless nothing is
    // selected or its room type is empty.
    std::optional<RoomRecord> RoomToShow() const;

    int selectedRow() const { return m_selected; }
    // A row outside the list selects nothing.
    void selectRow(int row);

    int rowCount() const { return static_cast<int>(m_rooms.size()); }
    bool empty() const { return m_rooms.empty(); }
    const RoomRecord& room(int row) const { return m_rooms.at(static_cast<std::size_t>(row)); }
    const std::vector<RoomRecord>& rooms() const { return m_rooms; }

private:
    std::vector<RoomRecord> m_rooms;
    int m_selected = -1;  // a row index, or -1 for none
};

// The leaves that go with a door type picked from the list: none for a room without a door,
// one otherwise.
Text DoorLeavesForDoorType(std::string_view doorType);

// What the door-leaf field and the door-type field become after the leaves text changed. A
// minus sign anywhere makes the leaves "0"; no leaves means no door ("(无)"). Leaves only
// bring a door where there was none (the usual solid-wood door); a door the user picked,
// a two-leaf sliding door say, stays what it is whatever its number of leaves.
struct DoorLeafRuleResult {
    std::optional<Text> correctedLeaves;  // set when the leaves text itself must change
    Text doorType;
};
DoorLeafRuleResult ApplyDoorLeafRule(std::string_view leaves, std::string_view currentDoorType);

}  // namespace rq
