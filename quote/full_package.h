// The main materials and fittings a full package adds to a room: kitchen cabinets and
// appliances, bathroom fittings, tiles and ceilings, living and dining floors, balcony glazing.
#pragma once

#include <cstdint>
#include <string_view>

#include "prices/price_book.h"
#include "quote/quote_choices.h"
#include "quote/quote_sheet.h"
#include "rooms/room_record.h"

namespace rq {

// Appends one blank row for the room, then its unnumbered main-material rows, priced from the book. Bedrooms,
// studies, unknown room types and unknown grades add the blank row only.
void AppendFullPackageAdditions(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade,
                                FloorChoice floor, const PriceBook& book = BuiltInPriceBook());

// The single writers; a material level outside 1..3 writes no row.
void AppendKitchenItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book = BuiltInPriceBook());
void AppendBathroomItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book = BuiltInPriceBook());
void AppendFloorBoardItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book = BuiltInPriceBook());
void AppendTileItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book = BuiltInPriceBook());
void AppendBalconyItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book = BuiltInPriceBook());

}  // namespace rq
