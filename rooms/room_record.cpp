#include "rooms/room_record.h"

namespace rq {

std::optional<Text> CheckRoomForAdd(RoomRecord& room)
{
    if (room.doorType() == kNoDoor)
        room.cells[kRoomDoorLeaves].assign(1, '0');  // no door, no leaves to price (assign: GCC 12 warns falsely on =)
    if (SplitText(room.size(), "*").size() != 3)
        return Text(kRoomSizeFormatMessage);
    if (SplitText(room.window(), "*").size() != 2)
        return Text(kWindowFormatMessage);
    return std::nullopt;
}

namespace {

std::int32_t ReadMillimetres(const std::string_view text) { return ToInteger(TextToNumber(text)); }

std::int32_t ReadPiece(const std::vector<Text>& pieces, std::size_t index)
{
    return index < pieces.size() ? ReadMillimetres(pieces[index]) : 0;
}

}  // namespace

RoomDimensions ReadRoomDimensions(const RoomRecord& room)
{
    const auto size = SplitText(room.size(), "*");
    const auto window = SplitText(room.window(), "*");
    RoomDimensions d;
    d.length = ReadPiece(size, 0);
    d.width = ReadPiece(size, 1);
    d.height = ReadPiece(size, 2);
    d.windowLength = ReadPiece(window, 0);
    d.windowHeight = ReadPiece(window, 1);
    d.doorLeaves = ReadMillimetres(room.doorLeaves());
    d.walls = ReadMillimetres(room.walls());
    return d;
}

}  // namespace rq
