// The choices of the main window that steer a detailed quote: the decoration grade (picked
// by its exact text) and the floor of living and dining rooms.
#pragma once

#include <optional>
#include <string_view>

namespace rq {

// The "地板" / "地砖" radio buttons of the main window: boards or tiles in living and dining rooms.
enum class FloorChoice { Boards, Tiles };

// The five decoration grades, cheapest first.
enum class Grade { Rental, Economy, Comfort, Fine, Luxury };

inline constexpr std::string_view kGradeNames[] = {
    "出租房装修", "经济型装修", "舒适型装修", "精  装  修", "豪华型装修",
};

// The grade whose name equals the text exactly (blanks count), or nothing: a grade the
// company does not offer prices no items.
std::optional<Grade> FindGrade(std::string_view text);

}  // namespace rq
