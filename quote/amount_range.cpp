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
        const std::optional<double> total = sheet.TotalValue(row);
        if (!total || !CountsInTotals(sheet.GetKind(row)))
            continue;
        const double amount = *total;
        // What the number writer makes of an amount that is not a finite number; such a
        // word reads as 0, so only a total of 0 needs its text looked at.
        if (amount == 0) {
            const std::string_view text = sheet.GetCell(row, kTotal);
            if (text == "inf" || text == "-inf" || text == "nan")
                return row;
        }
        sum = std::trunc(sum + amount);
        if (!FitsWholeYuan(amount) || !FitsWholeYuan(sum))
            return row;
    }
    return -1;
}

} // namespace rq
