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

// The first N pieces of a "长*宽*高" or "长*高" text, read where they stand; a missing
// piece reads as 0.
template <std::size_t N>
std::array<std::int32_t, N> ReadPieces(std::string_view text)
{
    std::array<std::string_view, N> pieces{};
    const std::size_t count = SplitTextViews(text, "*", pieces);
    std::array<std::int32_t, N> values{};
    for (std::size_t i = 0; i < N && i < count; ++i)
        values[i] = ReadMillimetres(pieces[i]);
    return values;
}

}  // namespace

RoomDimensions ReadRoomDimensions(const RoomRecord& room)
{
    const auto [length, width, height] = ReadPieces<3>(room.size());
    const auto [windowLength, windowHeight] = ReadPieces<2>(room.window());
    RoomDimensions d;
    d.length = length;
    d.width = width;
    d.height = height;
    d.windowLength = windowLength;
    d.windowHeight = windowHeight;
    d.doorLeaves = ReadMillimetres(room.doorLeaves());
    d.walls = ReadMillimetres(room.walls());
    return d;
}

}  // namespace rq
