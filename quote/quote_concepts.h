// What a detailed quote is made of, wherever it is asked for: the two packages, their texts
// and captions, and the inputs a sheet is computed from.
#pragma once

#include <string_view>
#include <vector>

#include "convert/convert.h"
#include "quote/quote_choices.h"
#include "rooms/room_record.h"

namespace rq {

inline constexpr std::string_view kHalfPackage = "半包";
inline constexpr std::string_view kFullPackage = "全包";
inline constexpr std::string_view kHalfPackageCaption = "半包装修详细报价";
inline constexpr std::string_view kFullPackageCaption = "全包装修详细报价";

// A quote of no room is no quote: the window, the command line and a project without a
// sheet all say so in these words.
inline constexpr std::string_view kNoRoomsMessage = "至少要添加1房间！";

enum class Package { Half, Full };

// The package text the engine reads ("半包" / "全包") and the caption of its sheet.
constexpr std::string_view PackageTextOf(Package package)
{
    return package == Package::Half ? kHalfPackage : kFullPackage;
}
constexpr std::string_view PackageCaption(Package package)
{
    return package == Package::Half ? kHalfPackageCaption : kFullPackageCaption;
}

// What a detailed quote is computed from. A kept sheet remembers its own copy, so that a
// later press of a package button can tell whether the rooms or choices changed since.
struct QuoteInputs {
    std::vector<RoomRecord> rooms;
    Text grade;
    FloorChoice floor = FloorChoice::Boards;
    bool operator==(const QuoteInputs&) const = default;
};

}  // namespace rq
