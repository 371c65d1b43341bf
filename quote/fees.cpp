#include "quote/fees.h"

namespace rq {

namespace {

struct Fee {
    std::string_view name;
    std::string_view unit;
    std::string_view rateText;
    double rate;
};

// The transport fee is always 2%; the floor-dependent rates in its remark are advice only.
constexpr Fee kFees[] = {
    {"材料搬运费", "户", "2%", 0.02},
    {"垃圾清理费用", "户", "1%", 0.01},
    {"工程管理费", "项", "8%", 0.08},
};

}  // namespace

std::int32_t SumTotals(const QuoteSheet& sheet, int fromRow, int toRow, bool skipProjectTotal)
{
    std::int32_t sum = 0;
    for (int row = fromRow; row < toRow; ++row) {
        const Text& total = sheet.GetCell(row, kTotal);
        if (total.empty())
            continue;
        if (skipProjectTotal && sheet.GetCell(row, kItemName) == kProjectTotal)
            continue;
        sum = AddToRunningTotal(sum, TextToNumber(total));
    }
    return sum;
}

void AppendFeesAndProjectTotal(QuoteSheet& sheet)
{
    const std::int32_t items = SumTotals(sheet, 0, sheet.RowCount(), false);
    sheet.AppendHeaderRow(Text(kOtherSection));
    for (const Fee& fee : kFees) {
        sheet.AppendBlankRow();
        const int row = sheet.RowCount() - 1;
        sheet.SetCell(row, kItemName, Text(fee.name));
        sheet.SetCell(row, kUnit, Text(fee.unit));
        sheet.SetCell(row, kQuantity, "1");
        sheet.SetCell(row, kUnitPrice, Text(fee.rateText));
        sheet.SetCell(row, kTotal, NumberToText(static_cast<double>(items) * fee.rate));
    }
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kProjectTotal));
    const int last = sheet.RowCount() - 1;
    sheet.SetCell(last, kTotal, IntegerToText(SumTotals(sheet, 0, sheet.RowCount(), false)));
}

void AppendFullPackageTotal(QuoteSheet& sheet)
{
    const std::int32_t everything = SumTotals(sheet, 0, sheet.RowCount(), true);
    sheet.AppendBlankRow();
    sheet.AppendHeaderRow(Text(kFullPackageTotal));
    sheet.SetCell(sheet.RowCount() - 1, kTotal, IntegerToText(everything));
}

}  // namespace rq
