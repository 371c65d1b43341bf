#include "quote/engine.h"

#include <algorithm>

#include "quote/fees.h"
#include "quote/full_package.h"
#include "quote/room_items.h"

namespace rq {

namespace {

constexpr std::string_view kRoomTypes[] = {"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台"};

bool IsKnownRoomType(std::string_view type)
{
    for (std::string_view known : kRoomTypes)
        if (known == type)
            return true;
    return false;
}

// One section per room: its header, its numbered items and a closing blank row. A room type
// the company does not price is still listed by its header, so nothing typed goes missing.
void AppendRoomSections(QuoteSheet& sheet, const std::vector<RoomRecord>& rooms, std::string_view grade,
                        FloorChoice floor)
{
    for (const RoomRecord& room : rooms) {
        sheet.AppendHeaderRow(room.type());
        if (!IsKnownRoomType(room.type()))
            continue;
        AppendRoomItems(sheet, room, grade, floor);
        sheet.AppendBlankRow();
    }
    AppendFeesAndProjectTotal(sheet);
}

}  // namespace

DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText)
{
    DetailedQuote quote;
    // A room section and its additions rarely exceed 16 rows; the foot adds 9.
    quote.sheet.Reserve(static_cast<int>(std::min<std::size_t>(rooms.size(), 1'000'000) * 16 + 9));
    if (packageText == kHalfPackage) {
        quote.caption = kHalfPackageCaption;
        AppendRoomSections(quote.sheet, rooms, grade, floor);
    } else if (packageText == kFullPackage) {
        quote.caption = kFullPackageCaption;
        AppendRoomSections(quote.sheet, rooms, grade, floor);
        for (const RoomRecord& room : rooms)
            AppendFullPackageAdditions(quote.sheet, room, grade, floor);
        AppendFullPackageTotal(quote.sheet);
    } else {
        quote.caption = kQuoteWindowTitle;
    }
    return quote;
}

}  // namespace rq
