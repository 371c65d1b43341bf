// The main materials and fittings a full package adds to a room: kitchen cabinets and
// appliances, bathroom fittings, tiles and ceilings, living and dining floors, balcony glazing.
#pragma once

#include <cstdint>
#include <string_view>

#include "quote/quote_choices.h"
#include "quote/quote_sheet.h"
#include "rooms/room_record.h"

namespace rq {

// Appends one blank row for the room, then its unnumbered main-material rows. Bedrooms,
// studies, unknown room types and unknown grades add the blank row only.
void AppendFullPackageAdditions(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade,
                                FloorChoice floor);

// The single writers; a material level outside 1..3 writes no row.
void AppendKitchenItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level);
void AppendBathroomItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level);
void AppendFloorBoardItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level);
void AppendTileItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level);
void AppendBalconyItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width);

}  // namespace rq
