#include "quote/amount_range.h"

#include <cmath>

#include "quote/fees.h"

namespace rq {

bool FitsWholeYuan(double amount)
{
    const double whole = std::trunc(amount);
    return whole >= -kLargestYuan - 1 && whole <= kLargestYuan;
}

int FirstRowOutOfRange(const QuoteSheet& sheet)
{
    double sum = 0; // a double holds every whole number of yuan far past the range exactly
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const std::string_view total = sheet.GetCell(row, kTotal);
        if (total.empty() || !CountsInTotals(sheet.GetKind(row)))
            continue;
        // What the number writer makes of an amount that is not a finite number.
        if (total == "inf" || total == "-inf" || total == "nan")
            return row;
        const double amount = TextToNumber(total);
        sum = std::trunc(sum + amount);
        if (!FitsWholeYuan(amount) || !FitsWholeYuan(sum))
            return row;
    }
    return -1;
}

} // namespace rq
