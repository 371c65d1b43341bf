#include "rooms/room_record.h"

#include <array>
#include <cmath>
#include <limits>
#include <span>

namespace rq {

namespace {

// One number of a room as the add check names it in a message.
struct CheckedPiece {
    RoomColumn column;
    int piece;                 // index of the "*" piece, -1 for the whole text
    std::string_view name;     // "您输入的" + name + "不能是负数"
    std::string_view formLine; // the second line of the format message, if any
};

constexpr std::string_view kSizeForm = "\r\n正确格式为   长*宽*高";
constexpr std::string_view kWindowForm = "\r\n正确格式为   长*高";

constexpr CheckedPiece kCheckedPieces[] = {
    {kRoomSize, 0, "房子长度", kSizeForm},      {kRoomSize, 1, "房子宽度", kSizeForm},
    {kRoomSize, 2, "房子高度", kSizeForm},      {kRoomWindow, 0, "窗子长度", kWindowForm},
    {kRoomWindow, 1, "窗子高度", kWindowForm}, {kRoomDoorLeaves, -1, "门的扇数", {}},
    {kRoomWalls, -1, "墙面数", {}},
};

// What a reader of the room would make of the text, before it is cut to 32 bits.
double WholeMillimetres(std::string_view text) { return std::trunc(TextToNumber(text)); }

}  // namespace

std::optional<Text> CheckRoomForAdd(RoomRecord& room)
{
    if (room.doorType() == kNoDoor)
        room.cells[kRoomDoorLeaves].assign(1, '0');  // no door, no leaves to price (assign: GCC 12 warns falsely on =)
    // The pieces are read where they stand: a long room list is checked room by room.
    std::array<std::string_view, 3> size{};
    if (SplitTextViews(room.size(), "*", size) != size.size())
        return Text(kRoomSizeFormatMessage);
    std::array<std::string_view, 2> window{};
    if (SplitTextViews(room.window(), "*", window) != window.size())
        return Text(kWindowFormatMessage);
    for (const CheckedPiece& checked : kCheckedPieces) {
        const std::string_view* pieces = checked.column == kRoomSize ? size.data() : window.data();
        const double value = WholeMillimetres(checked.piece < 0 ? std::string_view(room.cells[checked.column])
                                                                : pieces[checked.piece]);
        if (value < 0)
            return "您输入的" + Text(checked.name) + "不能是负数" + Text(checked.formLine);
        if (!(value <= std::numeric_limits<std::int32_t>::max()))
            return "您输入的" + Text(checked.name) + "太大" + Text(checked.formLine);
    }
    return std::nullopt;
}

namespace {

// The text in millimetres when every one of its `count` pieces is a number above 0 and below
// 100 (a window "0*0" is no window, not one in metres); nothing otherwise.
std::optional<Text> MillimetresOfMetres(std::string_view text, std::size_t count)
{
    std::array<std::string_view, 3> pieces{};
    if (SplitTextViews(text, "*", std::span(pieces.data(), count)) != count)
        return std::nullopt;
    Text millimetres;
    for (std::size_t i = 0; i < count; ++i) {
        const double metres = TextToNumber(pieces[i]);
        if (!(metres > 0 && metres < 100))
            return std::nullopt;
        if (i > 0)
            millimetres += '*';
        millimetres += IntegerToText(static_cast<std::int32_t>(std::lround(metres * 1000)));
    }
    return millimetres;
}

}  // namespace

std::optional<MetreSizes> FindSizesInMetres(const RoomRecord& room)
{
    const std::optional<Text> size = MillimetresOfMetres(room.size(), 3);
    const std::optional<Text> window = MillimetresOfMetres(room.window(), 2);
    if (!size && !window)
        return std::nullopt;
    MetreSizes found{room, {}, {}};
    Text asked;
    Text told;
    if (size) {
        found.suggested.cells[kRoomSize] = *size;
        asked = "房间尺寸以毫米为单位，“" + room.size() + "”像是以米计的。\r\n改为 " + *size + "？";
        told = "房间尺寸“" + room.size() + "”像是以米计的（应为毫米，如 " + *size + "）";
    }
    if (window) {
        found.suggested.cells[kRoomWindow] = *window;
        asked += Text(asked.empty() ? "" : "\r\n") + "窗户尺寸以毫米为单位，“" + room.window() + "”像是以米计的。\r\n改为 "
                 + *window + "？";
        told += Text(told.empty() ? "" : "，") + "窗户尺寸“" + room.window() + "”像是以米计的（应为毫米，如 " + *window
                + "）";
    }
    found.question = std::move(asked);
    found.warning = std::move(told) + "，按原样报价";
    return found;
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
