// The range of a quote's amounts: whole-yuan totals are kept in 32 bits, as the company's
// sheets always have been. A quote or an edit whose amounts would leave that range is
// refused, so no customer ever sees a total wrapped round to negative yuan, "inf" or "nan".
#pragma once

#include <cmath>

#include "quote/quote_sheet.h"
#include "quote/whole_yuan.h"

namespace rq {

inline constexpr std::string_view kAmountOutOfRange = "金额超出范围：";

// Whether a 总计 text is a word for an amount that is no finite number ("inf", "nan", in
// any case and sign): such a text reads as 0, so the amount it stands for would be lost.
bool IsNonFiniteAmountText(std::string_view text);

// One step of the running sum the range is checked on: false when the amount, or the sum
// with it, leaves the range.
inline bool AddWithinRange(double amount, double& sum)
{
    sum = std::trunc(sum + amount);
    return FitsWholeYuan(amount) && FitsWholeYuan(sum);
}

// The first row at which the sheet's amounts leave the range, or -1 when all fit: a 总计
// that does not fit by itself, or the running sum of every 总计 that counts in the totals
// passing it. Every sum an edit writes is a part of that running sum, so none of them can
// wrap when this finds nothing.
int FirstRowOutOfRange(const QuoteSheet& sheet);

// The same over rows [from, end) of a sheet built or handed out in parts: `sum` is the
// running sum of the rows before and goes on over these.
int FirstRowOutOfRange(const QuoteSheet& sheet, int from, double& sum);

} // namespace rq
