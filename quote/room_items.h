// The half-package items of one room (labour and auxiliary materials: putty, paint, tiling,
// doors, carpentry), appended as numbered rows below the room's header row.
#pragma once

#include <cstdint>
#include <string_view>

#include "prices/price_book.h"
#include "quote/quote_choices.h"
#include "quote/quote_sheet.h"
#include "rooms/room_record.h"

namespace rq {

// Writes the items of one room at the grade's prices from the book: painting, the door, then the items of
// the room type. A grade or room type the company does not price writes nothing.
void AppendRoomItems(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade, FloorChoice floor, const PriceBook& book = BuiltInPriceBook());

// The single writers; levels outside a writer's price list write no row.
void AppendPaintingItems(QuoteSheet& sheet, const RoomDimensions& room, const PriceBook& book = BuiltInPriceBook());
void AppendDoorItem(QuoteSheet& sheet, std::string_view doorType, std::int32_t leaves, std::string_view roomType, const PriceBook& book = BuiltInPriceBook());
void AppendDoorCasing(QuoteSheet& sheet, int kind, std::int32_t quantity, int level, const PriceBook& book = BuiltInPriceBook());
void AppendFloorTiling(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book = BuiltInPriceBook());
void AppendFloorAndWallTiling(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book = BuiltInPriceBook());
void AppendPipeBoxing(QuoteSheet& sheet, int count, const PriceBook& book = BuiltInPriceBook());
void AppendWaterproofing(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book = BuiltInPriceBook());
void AppendTvWall(QuoteSheet& sheet, int level, const PriceBook& book = BuiltInPriceBook());
void AppendShoeCabinet(QuoteSheet& sheet, const PriceBook& book = BuiltInPriceBook());
void AppendWardrobe(QuoteSheet& sheet, int level, std::int32_t height, std::int32_t width, const PriceBook& book = BuiltInPriceBook());
void AppendBookcase(QuoteSheet& sheet, int level, const PriceBook& book = BuiltInPriceBook());
void AppendCeiling(QuoteSheet& sheet, int level, std::int32_t length, std::int32_t width, const PriceBook& book = BuiltInPriceBook());
void AppendEntrance(QuoteSheet& sheet, int level, const PriceBook& book = BuiltInPriceBook());
void AppendWineRack(QuoteSheet& sheet, std::int32_t width, std::int32_t height, const PriceBook& book = BuiltInPriceBook());

}  // namespace rq
