#include "quote/amount_range.h"

#include <algorithm>
#include <cmath>
#include <iterator>


namespace rq {

bool IsNonFiniteAmountText(std::string_view text)
{
    constexpr std::string_view kWords[] = { "inf", "-inf", "+inf", "nan", "-nan", "+nan", "infinity", "-infinity" };
    return std::any_of(std::begin(kWords), std::end(kWords), [&](std::string_view word) {
        return text.size() == word.size() && std::equal(text.begin(), text.end(), word.begin(), [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
        });
    });
}

int FirstRowOutOfRange(const QuoteSheet& sheet)
{
    double sum = 0; // a double holds every whole number of yuan far past the range exactly
    return FirstRowOutOfRange(sheet, 0, sum);
}

int FirstRowOutOfRange(const QuoteSheet& sheet, int from, double& sum)
{
    for (int row = std::max(from, 0); row < sheet.RowCount(); ++row) {
        const std::optional<double> total = sheet.TotalValue(row);
        if (!total || !CountsInTotals(sheet.GetKind(row)))
            continue;
        const double amount = *total;
        // Such a word reads as 0, so only a total of 0 needs its text looked at.
        if (amount == 0 && IsNonFiniteAmountText(sheet.GetCell(row, kTotal)))
            return row;
        if (!AddWithinRange(amount, sum))
            return row;
    }
    return -1;
}

} // namespace rq
