#include "quote/engine.h"

#include <algorithm>

#include "quote/amount_range.h"
#include "quote/fees.h"
#include "quote/full_package.h"
#include "quote/room_items.h"
#include "rooms/room_types.h"

namespace rq {

namespace {

// Where each room's rows begin: its section, and on a full package its additions.
struct RoomRows {
    std::vector<int> sections;
    int feeSection = 0;  // the first row after the last section
    std::vector<int> additions;
};

// One section per room: its header, its numbered items and a closing blank row. A room type
// the company does not price is still listed by its header, so nothing typed goes missing.
// The first row of every room is noted in `starts`.
void AppendRoomSections(QuoteSheet& sheet, const std::vector<RoomRecord>& rooms, std::string_view grade,
                        FloorChoice floor, const PriceBook& book, RoomRows& rows)
{
    for (const RoomRecord& room : rooms) {
        rows.sections.push_back(sheet.RowCount());
        sheet.AppendHeaderRow(room.type());
        if (!IsPricedRoomType(room.type()))
            continue;
        AppendRoomItems(sheet, room, grade, floor, book);
        sheet.AppendBlankRow();
    }
}

// The room (0-based) whose rows in [starts.front(), end) carry `row`.
std::optional<std::size_t> RoomAt(const std::vector<int>& starts, int end, int row)
{
    if (starts.empty() || row < starts.front() || row >= end)
        return std::nullopt;
    return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), row) - starts.begin() - 1);
}

// Names the room whose rows carry `row`, or else the fee or total row itself.
Text OutOfRangeMessage(const QuoteSheet& sheet, int row, const std::vector<RoomRecord>& rooms, const RoomRows& rows)
{
    std::optional<std::size_t> room = RoomAt(rows.sections, rows.feeSection, row);
    if (!room)
        room = RoomAt(rows.additions, sheet.RowCount(), row);
    if (room)
        return Text(kAmountOutOfRange) + "第" + std::to_string(*room + 1) + "个房间「" + rooms[*room].type() +
               "」使报价超过 " + Text(kLargestYuanText) + " 元，请检查房间的尺寸";
    return Text(kAmountOutOfRange) + "「" + Text(sheet.GetCell(row, kItemName)) + "」超过 " + Text(kLargestYuanText) + " 元";
}

}  // namespace

DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText, const PriceBook& book)
{
    std::optional<Text> outOfRange;
    return BuildDetailedQuote(rooms, grade, floor, packageText, outOfRange, book);
}

DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText, std::optional<Text>& outOfRange,
                                 const PriceBook& book)
{
    outOfRange.reset();
    DetailedQuote quote;
    // A room section and its additions rarely exceed 16 rows; the foot adds 9.
    quote.sheet.Reserve(static_cast<int>(std::min<std::size_t>(rooms.size(), 1'000'000) * 16 + 9));
    const bool fullPackage = packageText == kFullPackage;
    if (!fullPackage && packageText != kHalfPackage) {
        quote.caption = kQuoteWindowTitle;
        return quote;
    }
    quote.caption = fullPackage ? kFullPackageCaption : kHalfPackageCaption;
    RoomRows rows;
    rows.sections.reserve(rooms.size());
    if (fullPackage)
        rows.additions.reserve(rooms.size());
    AppendRoomSections(quote.sheet, rooms, grade, floor, book, rows);
    rows.feeSection = quote.sheet.RowCount();
    AppendFeesAndProjectTotal(quote.sheet, 0, book);
    if (fullPackage) {
        for (const RoomRecord& room : rooms) {
            rows.additions.push_back(quote.sheet.RowCount());
            AppendFullPackageAdditions(quote.sheet, room, grade, floor, book);
        }
        AppendFullPackageTotal(quote.sheet);
    }
    if (const int row = FirstRowOutOfRange(quote.sheet); row >= 0)
        outOfRange = OutOfRangeMessage(quote.sheet, row, rooms, rows);
    return quote;
}

}  // namespace rq
