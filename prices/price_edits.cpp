#include "prices/price_edits.h"

#include <algorithm>

namespace rq {

namespace {

// Puts the figures in and lists the ones that moved.
PriceEditResult Apply(PriceBook& book, const std::vector<std::pair<std::size_t, std::int64_t>>& figures)
{
    PriceEditResult result;
    for (const auto& [index, after] : figures) {
        const std::int64_t before = book.at(index).hundredths;
        if (before == after)
            continue;
        book.SetHundredths(index, after);
        result.changes.push_back({ index, before, after });
    }
    return result;
}

PriceEditResult Refused(Text problem)
{
    PriceEditResult result;
    result.problem = std::move(problem);
    return result;
}

} // namespace

PriceEditResult EditPrice(PriceBook& book, std::size_t index, std::string_view typed)
{
    const PriceItem& item = book.at(index);
    std::string_view text = typed;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (item.IsFee() && text.ends_with('%'))
        text.remove_suffix(1);
    const Text label = "“" + ItemLabel(item.section, item.name, item.level) + "”";
    const std::optional<std::int64_t> hundredths = ParseHundredths(text);
    if (!hundredths) {
        const Text shown = typed.size() > 20 ? Text(typed.substr(0, 20)) + "…" : Text(typed);
        return Refused(label + "的" + (item.IsFee() ? "费率" : "单价") + "应当是不小于 0、最多两位小数的数字"
            + (item.IsFee() ? "（如 2 或 2.5%）" : "（如 13 或 12.5）") + "，不是“" + shown + "”。");
    }
    if (item.IsFee() && *hundredths > kMaxRateHundredths)
        return Refused(label + "的费率应当在 0% 到 100% 之间，不是 " + HundredthsToText(*hundredths) + "%。");
    return Apply(book, { { index, *hundredths } });
}

std::int64_t AdjustedHundredths(std::int64_t hundredths, std::int64_t percentHundredths, PriceRounding rounding)
{
    // Whole fen arithmetic: 0.1 yuan is 10 fen, and a percentage in hundredths is 1/10000.
    const std::int64_t step = rounding == PriceRounding::WholeYuan ? 100 : 10;
    const std::int64_t scaled = hundredths * (10'000 + percentHundredths);
    const std::int64_t unit = 10'000 * step;
    return (scaled + unit / 2) / unit * step;
}

PriceEditResult AdjustPrices(
    PriceBook& book, std::string_view section, std::int64_t percentHundredths, PriceRounding rounding)
{
    if (percentHundredths > kMaxAdjustUp || percentHundredths < -kMaxAdjustDown)
        return Refused("调价幅度应当在 -100% 到 +1000% 之间，不是 " + Text(percentHundredths < 0 ? "-" : "+")
            + HundredthsToText(percentHundredths < 0 ? -percentHundredths : percentHundredths) + "%。");
    std::vector<std::pair<std::size_t, std::int64_t>> figures;
    for (std::size_t i = 0; i < book.items().size(); ++i) {
        const PriceItem& item = book.at(i);
        if (item.IsFee() || (!section.empty() && item.section != section))
            continue;
        const std::int64_t after = AdjustedHundredths(item.hundredths, percentHundredths, rounding);
        if (after > kMaxHundredths)
            return Refused("“" + ItemLabel(item.section, item.name, item.level) + "”调价后超出了能报的最高单价，价格表没有改动。");
        figures.emplace_back(i, after);
    }
    if (figures.empty())
        return Refused("“" + Text(section) + "”中没有可以调价的单价（费率不随调价改变）。");
    return Apply(book, figures);
}

PriceEditResult RestoreBuiltInPrices(PriceBook& book)
{
    const PriceBook& builtIn = BuiltInPriceBook();
    std::vector<std::pair<std::size_t, std::int64_t>> figures;
    for (std::size_t i = 0; i < builtIn.items().size(); ++i)
        figures.emplace_back(i, builtIn.at(i).hundredths);
    return Apply(book, figures);
}

void UndoPriceChanges(PriceBook& book, const std::vector<PriceChange>& changes)
{
    for (auto change = changes.rbegin(); change != changes.rend(); ++change)
        book.SetHundredths(change->index, change->before);
}

std::vector<Text> BookSections(const PriceBook& book)
{
    std::vector<Text> sections;
    for (const PriceItem& item : book.items())
        if (std::find(sections.begin(), sections.end(), item.section) == sections.end())
            sections.push_back(item.section);
    return sections;
}

} // namespace rq
