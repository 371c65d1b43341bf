// Comparing options: the same rooms, floor and price book quoted in every grade and both
// packages, with where the money goes and the quick estimate of the dwelling the rooms
// describe beside them. The window, the command line and the documents all show this.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "estimate/quick_estimate.h"
#include "prices/price_book.h"
#include "quote/quote_choices.h"
#include "quote/quote_concepts.h"
#include "rooms/room_record.h"

namespace rq {

inline constexpr std::string_view kComparisonTitle = "方案对比";
// Shown in place of a total that leaves the range of whole-yuan totals.
inline constexpr std::string_view kCellOutOfRange = "金额超出范围";
// The parts of a quote that no price-book section stands for.
inline constexpr std::string_view kMainMaterialsPart = "全包主材";
inline constexpr std::string_view kFeesPart = "费用";
inline constexpr std::string_view kOtherPart = "其它";

inline constexpr int kGradeCount = static_cast<int>(std::size(kGradeNames));
inline constexpr Package kPackages[] = {Package::Half, Package::Full};

// One grade in one package: its total as its sheet's 工程总造价 or 全包总价格 says, and the
// same total split by part (parallel to Comparison::parts; zero where the part has no row).
struct OptionTotal {
    std::optional<std::int64_t> total;  // empty when the quote leaves the range of amounts
    std::vector<std::int64_t> parts;
};

// The quick estimate of one grade for the floor chosen: half and full package.
struct EstimatePair {
    float half = 0;
    float full = 0;
};

struct Comparison {
    FloorChoice floor = FloorChoice::Boards;
    std::vector<Text> parts;  // the price book's labour sections in book order, main materials, fees
    std::array<std::array<OptionTotal, 2>, kGradeCount> options;  // [grade][package]
    EstimateInputs dwelling;            // the dwelling the rooms describe (grade left empty)
    std::optional<Text> estimateRefusal;  // the estimate's own message when it refuses the dwelling
    std::array<EstimatePair, kGradeCount> estimates{};

    const OptionTotal& option(int grade, Package package) const
    {
        return options[static_cast<std::size_t>(grade)][package == Package::Half ? 0 : 1];
    }
};

// The quick estimate's inputs for a room list: bedrooms and studies as 室, living and dining
// rooms as 厅, kitchens, bathrooms and balconies counted by the type each room is priced as;
// the area is the sum of every room's floor (length × width), in square metres.
EstimateInputs DwellingOfRooms(const std::vector<RoomRecord>& rooms);

// The ten quotes and five estimates. An empty list is no comparison (the caller says
// kNoRoomsMessage) and gives nothing. Ten quotes of a large list take a while: `stop`, when
// given, is asked between options and ends the work early, giving nothing.
std::optional<Comparison> CompareOptions(const std::vector<RoomRecord>& rooms, FloorChoice floor,
                                         const PriceBook& book, const std::function<bool()>& stop = {});

// A total as a cell shows it: the figure, or kCellOutOfRange.
Text TotalText(const OptionTotal& option);

// How `option` differs from `chosen`: "+1200 元 (+5.3%)", "-800 元 (-2.1%)", "" for the same
// option or when either is out of range; a chosen total of 0 has no per cent. The two
// halves alone: "+1200" and "+5.3%".
Text DifferenceText(const OptionTotal& option, const OptionTotal& chosen);
Text DifferenceYuan(const OptionTotal& option, const OptionTotal& chosen);
Text DifferencePercent(const OptionTotal& option, const OptionTotal& chosen);

// The matrix as tab-separated lines: a head, then per grade its name, the half and full
// totals and the estimate's half and full figures (or its message in both).
Text ComparisonTsv(const Comparison& comparison);

}  // namespace rq
