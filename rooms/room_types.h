// The seven room types the company prices, and how a type typed with a name of its own
// ("卧室（主卧）", "卫生间(客卫)") is priced as the type it begins with.
#pragma once

#include <optional>
#include <string_view>

#include "convert/convert.h"

namespace rq {

inline constexpr std::string_view kRoomTypes[] = {"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台"};

// The type a room is priced as: the text itself when it is one of the seven, the type it
// begins with when a name in brackets (full-width or not) follows and ends the text, and
// otherwise the text itself, which the company does not price.
std::string_view PricedRoomType(std::string_view typed);

bool IsPricedRoomType(std::string_view typed);

// The type the names home owners give their rooms usually mean (主卧 a bedroom, 客卫 a
// bathroom), for the question that asks which type to price such a room as; nothing for a
// name that says no type.
std::optional<std::string_view> LikelyRoomType(std::string_view name);

// What 添加 asks about a room type none of the seven.
Text RoomTypeQuestion(std::string_view typed);

// The text kept for a room named `name` and priced as `type`: "卧室（主卧）".
Text NamedRoomType(std::string_view type, std::string_view name);

// The common names offered in the room-type list besides the seven, in that form.
inline constexpr std::string_view kNamedRoomTypes[] = {"卧室（主卧）", "卧室（次卧）", "卧室（儿童房）",
                                                       "卫生间（主卫）", "卫生间（客卫）"};

}  // namespace rq
