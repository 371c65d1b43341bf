// Rooms as typed: the add check accepts only the forms it promises, and any stored row,
// checked or not, reads into numbers. A room the check accepts has no negative number and
// prices no negative quantity or total, nor one that is not a finite number.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "quote/full_package.h"
#include "quote/room_items.h"
#include "rooms/room_record.h"

namespace {

constexpr std::string_view kRoomTypes[] = {"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台"};

bool isNegativeOrNotFinite(std::string_view cell)
{
    return cell.starts_with('-') || cell.find("inf") != std::string_view::npos || cell.find("nan") != std::string_view::npos;
}

// Every kind of room at every grade and floor, half-package items and full-package additions.
void checkPricesOfAcceptedRoom(rq::RoomRecord room)
{
    for (const std::string_view type : kRoomTypes) {
        room.cells[rq::kRoomType] = std::string(type);
        for (const std::string_view grade : rq::kGradeNames) {
            for (const auto floor : {rq::FloorChoice::Boards, rq::FloorChoice::Tiles}) {
                rq::QuoteSheet sheet;
                rq::AppendRoomItems(sheet, room, grade, floor);
                rq::AppendFullPackageAdditions(sheet, room, grade, floor);
                for (int row = 0; row < sheet.RowCount(); ++row) {
                    FUZZ_CHECK(!isNegativeOrNotFinite(sheet.GetCell(row, rq::kQuantity)));
                    FUZZ_CHECK(!isNegativeOrNotFinite(sheet.GetCell(row, rq::kTotal)));
                }
            }
        }
    }
}

}  // namespace

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
        const rq::RoomDimensions d = rq::ReadRoomDimensions(checked);
        FUZZ_CHECK(d.length >= 0 && d.width >= 0 && d.height >= 0 && d.windowLength >= 0 && d.windowHeight >= 0
                   && d.doorLeaves >= 0 && d.walls >= 0);
        checkPricesOfAcceptedRoom(checked);
    } else if (*message == rq::kRoomSizeFormatMessage) {
        FUZZ_CHECK(sizePieces != 3);
    } else if (*message == rq::kWindowFormatMessage) {
        FUZZ_CHECK(sizePieces == 3 && windowPieces != 2);
    } else {
        // a number the room cannot have, named after both forms were found sound
        FUZZ_CHECK(sizePieces == 3 && windowPieces == 2);
        FUZZ_CHECK(message->starts_with("您输入的"));
    }
    (void)rq::ReadRoomDimensions(checked);
    return 0;
}
