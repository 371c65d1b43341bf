#include "rooms/room_list.h"

namespace rq {

std::optional<Text> RoomList::AddRoom(RoomRecord& entry)
{
    if (auto message = CheckRoomForAdd(entry))
        return message;
    m_rooms.push_back(entry);
    return std::nullopt;
}

bool RoomList::ModifySelectedRoom(const RoomRecord& entry)
{
    if (m_selected < 0)
        return false;
    m_rooms[static_cast<std::size_t>(m_selected)] = entry;
    return true;
}

void RoomList::ReplaceRooms(std::vector<RoomRecord> rooms)
{
    m_rooms = std::move(rooms);
    m_selected = -1;
}

bool RoomList::DeleteSelectedRoom() { return DeleteRoom(m_selected); }

bool RoomList::DeleteRoom(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_rooms.erase(m_rooms.begin() + row);
    m_selected = -1;
    return true;
}

std::optional<RoomRecord> RoomList::RoomToShow() const
{
    if (m_selected < 0)
        return std::nullopt;
    const RoomRecord& selected = room(m_selected);
    if (selected.type().empty())
        return std::nullopt;
    return selected;
}

void RoomList::selectRow(int row) { m_selected = (row >= 0 && row < rowCount()) ? row : -1; }

Text DoorLeavesForDoorType(std::string_view doorType) { return doorType == kNoDoor ? "0" : "1"; }

DoorLeafRuleResult ApplyDoorLeafRule(std::string_view leaves, std::string_view currentDoorType)
{
    if (FindText(leaves, "-") > 0)
        return {Text("0"), Text(kNoDoor)};
    if (leaves == "0")
        return {std::nullopt, Text(kNoDoor)};
    if (currentDoorType.empty() || currentDoorType == kNoDoor)
        return {std::nullopt, Text(kDefaultDoorType)};
    return {std::nullopt, Text(currentDoorType)};
}

}  // namespace rq
