// The choices of the main window that steer a quote: the decoration grade (picked by its
// exact text, for the quick estimate and the detailed quote alike) and the floor of living
// and dining rooms.
#pragma once

#include <optional>
#include <string_view>

namespace rq {

// The "地板" / "地砖" radio buttons of the main window: boards or tiles in living and dining rooms.
enum class FloorChoice { Boards, Tiles };

// The five decoration grades, cheapest first.
enum class Grade { Rental, Economy, Comfort, Fine, Luxury };

// The grade box's texts, compared exactly ("精  装  修" has two blanks on each side).
inline constexpr std::string_view kRentalGrade = "出租房装修";
inline constexpr std::string_view kEconomyGrade = "经济型装修";
inline constexpr std::string_view kComfortGrade = "舒适型装修";
inline constexpr std::string_view kFineGrade = "精  装  修";
inline constexpr std::string_view kLuxuryGrade = "豪华型装修";

inline constexpr std::string_view kGradeNames[] = {kRentalGrade, kEconomyGrade, kComfortGrade, kFineGrade,
                                                   kLuxuryGrade};

// The grade whose name equals the text exactly (blanks count), or nothing: a grade the
// company does not offer prices no items.
std::optional<Grade> FindGrade(std::string_view text);

// The grade name a person meant when typing it by hand, with the blanks left out, doubled
// or full-width ("精装修", "精 装 修"), or nothing when it is none of the five.
std::optional<std::string_view> GradeNameAsTyped(std::string_view typed);

}  // namespace rq
