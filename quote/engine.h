// The detailed quote: from the room list, the grade, the floor choice and the package to the
// window caption and the whole quote sheet, room sections, fees and totals.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "prices/price_book.h"
#include "quote/quote_choices.h"
#include "quote/quote_concepts.h"
#include "quote/quote_sheet.h"
#include "rooms/room_record.h"
#include "rooms/rooms_alike.h"

namespace rq {

// The quote window's own title, kept when the package is neither of the two.
inline constexpr std::string_view kQuoteWindowTitle = "青禾空间装饰   青禾改变生活";

struct DetailedQuote {
    Text caption;
    QuoteSheet sheet;
    bool operator==(const DetailedQuote&) const = default;
};

// Half package ("半包"): one section per room, then the fees and "工程总造价". Full package
// ("全包"): the same, then the main-material additions of every room and "全包总价格".
// Any other package text prices nothing: the caption stays the window's own title and the
// sheet stays empty. Unknown room types, grades and door types never stop the quote. Every
// name, unit, price and fee rate comes from the book.
DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText, const PriceBook& book = BuiltInPriceBook());

// The caption of the quote sheet window for a package text.
Text QuoteCaption(std::string_view packageText);

// Called with each part of a quote built in parts, and a number for the parts of rooms
// alike: the same number each time such a part comes again, -1 for a part of its own (the
// fees, the foot, rooms not compared).
using QuotePartDone = std::function<void(const QuoteSheet& part, int alike)>;

// The quote's rows built into `sheet` a part at a time: each room's section, the fees and
// "工程总造价", on a full package each room's additions and the foot. `outOfRange` is set as
// below at the first row out of range. Without `partDone` the sheet keeps every part, to
// the end. With it, it sees each part and the sheet is emptied after, so that the largest
// quote is never held whole; the parts one after another are the sheet the other way
// builds, and nothing is built after a row out of range (its part is not handed out).
void BuildQuoteInParts(const RoomsAlike& rooms, std::string_view grade, FloorChoice floor,
                       std::string_view packageText, std::optional<Text>& outOfRange, const PriceBook& book,
                       QuoteSheet& sheet, const QuotePartDone& partDone = {});

// The same, and whether an amount leaves the range of whole-yuan totals (a room typed a
// thousand times too large, or a million rooms): then `outOfRange` holds "金额超出范围：…"
// naming the room or row, and the sheet must not be shown.
DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText, std::optional<Text>& outOfRange,
                                 const PriceBook& book = BuiltInPriceBook());

}  // namespace rq
