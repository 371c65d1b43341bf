// A room as the user typed it (six texts, room-list column order), the check made before
// it enters the list, and the one way every reader turns its texts into millimetres.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "convert/convert.h"

namespace rq {

enum RoomColumn { kRoomType = 0, kRoomSize, kRoomWindow, kRoomDoorType, kRoomDoorLeaves, kRoomWalls, kRoomColumnCount };

struct RoomRecord {
    std::array<Text, kRoomColumnCount> cells;

    const Text& type() const { return cells[kRoomType]; }
    const Text& size() const { return cells[kRoomSize]; }
    const Text& window() const { return cells[kRoomWindow]; }
    const Text& doorType() const { return cells[kRoomDoorType]; }
    const Text& doorLeaves() const { return cells[kRoomDoorLeaves]; }
    const Text& walls() const { return cells[kRoomWalls]; }
    bool operator==(const RoomRecord&) const = default;
};

inline constexpr std::string_view kNoDoor = "(无)";
inline constexpr std::string_view kRoomSizeFormatMessage = "您输入的房子内容格式不正确\r\n正确格式为   长*宽*高";
inline constexpr std::string_view kWindowFormatMessage = "您输入的窗子内容格式不正确\r\n正确格式为   长*高";

// The add check. A room without a door gets "0" leaves first (written into `room`, as the
// entry field is corrected too); then the room size must have three pieces and the window
// two; then no size, window piece, door-leaf or wall count may read as a negative number
// ("您输入的房子宽度不能是负数") or as one beyond whole millimetres ("…太大"), since no real
// room has one and it would price negative metres. A piece that is not a number reads as
// 0 and passes. Returns the message to show, or nothing when the room may be added.
std::optional<Text> CheckRoomForAdd(RoomRecord& room);

// Sizes that look typed in metres: a room size (or a window) whose every piece is a number
// above 0 and below 100 is no room a person can stand in, in millimetres. `suggested` is
// the room with each such text in millimetres (4.5*3.6*2.8 becoming 4500*3600*2800, to the
// nearest millimetre); `question` asks the window's user, `warning` is one line for the
// command line, which quotes the room as given. Nothing when no text looks so.
struct MetreSizes {
    RoomRecord suggested;
    Text question;
    Text warning;
};
std::optional<MetreSizes> FindSizesInMetres(const RoomRecord& room);

// The numbers of a room. A row stored without the add check (via "修改") may lack pieces:
// missing pieces read as 0, so such a room is quoted with zero sizes instead of failing.
struct RoomDimensions {
    std::int32_t length = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t windowLength = 0;
    std::int32_t windowHeight = 0;
    std::int32_t doorLeaves = 0;
    std::int32_t walls = 0;
};

RoomDimensions ReadRoomDimensions(const RoomRecord& room);

}  // namespace rq
