// Rooms as typed: the add check accepts only the forms it promises, and any stored row,
// checked or not, reads into numbers.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "rooms/room_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    rq::RoomRecord room;
    for (auto& cell : room.cells) {
        const auto tab = text.find('\t');
        cell = std::string(text.substr(0, tab));
        text = tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
    }

    (void)rq::ReadRoomDimensions(room);  // a row stored by "修改" skips the check

    rq::RoomRecord checked = room;
    const auto message = rq::CheckRoomForAdd(checked);
    if (room.doorType() == rq::kNoDoor)
        FUZZ_CHECK(checked.doorLeaves() == "0");
    const auto sizePieces = rq::SplitText(room.size(), "*").size();
    const auto windowPieces = rq::SplitText(room.window(), "*").size();
    if (!message) {
        FUZZ_CHECK(sizePieces == 3 && windowPieces == 2);
    } else if (*message == rq::kRoomSizeFormatMessage) {
        FUZZ_CHECK(sizePieces != 3);
    } else {
        FUZZ_CHECK(*message == rq::kWindowFormatMessage && sizePieces == 3 && windowPieces != 2);
    }
    (void)rq::ReadRoomDimensions(checked);
    return 0;
}
