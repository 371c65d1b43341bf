// Whole yuan, as the company's sheets have always counted: totals are kept in 32 bits, and
// a running total drops the fraction of each addition before the next.
#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

#include "convert/convert.h"

namespace rq {

inline constexpr double kLargestYuan = 2147483647.0;
// The same bound as messages write it ("超过 2147483647 元").
inline constexpr std::string_view kLargestYuanText = "2147483647";

// Whether an amount, cut to whole yuan, fits the totals; never for infinities and NaN.
inline bool FitsWholeYuan(double amount)
{
    const double whole = std::trunc(amount);
    return whole >= -kLargestYuan - 1 && whole <= kLargestYuan;
}

// One step of a running total in whole yuan: the addition is truncated before the next,
// as the company's sheets add up, so fractions are dropped row by row.
inline std::int32_t AddToRunningTotal(std::int32_t sum, double amount)
{
    return ToInteger(static_cast<double>(sum) + amount);
}

}  // namespace rq
