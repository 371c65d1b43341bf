#include "prices/price_book.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "convert/utf8.h"
#include "prices/built_in_book.h"
#include "prices/price_book_json.h"

namespace rq {

Text HundredthsToText(std::int64_t hundredths)
{
    Text text = std::to_string(hundredths / 100);
    const std::int64_t cents = hundredths % 100;
    if (cents != 0) {
        text += '.';
        text += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0)
            text += static_cast<char>('0' + cents % 10);
    }
    return text;
}

std::optional<std::int64_t> ParseHundredths(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const bool digitsOnly = [&] {
        for (const std::string_view part : { whole, fraction })
            for (const char c : part)
                if (c < '0' || c > '9')
                    return false;
        return true;
    }();
    // "12." and ".5" are how a spreadsheet never writes a price; a 13th digit is beyond any.
    if (!digitsOnly || whole.empty() || whole.size() > 12 || fraction.size() > 2
        || (point != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : whole)
        value = value * 10 + (c - '0');
    value *= 100;
    if (!fraction.empty())
        value += (fraction[0] - '0') * 10 + (fraction.size() == 2 ? fraction[1] - '0' : 0);
    if (value > kMaxHundredths)
        return std::nullopt;
    return value;
}

std::optional<std::size_t> PriceBook::IndexOf(std::string_view section, std::string_view name, int level) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const PriceItem& item = m_items[i];
        if (item.level == level && item.name == name && item.section == section)
            return i;
    }
    return std::nullopt;
}

void PriceBook::SetHundredths(std::size_t index, std::int64_t hundredths)
{
    PriceItem& item = m_items[index];
    item.hundredths = hundredths;
    item.price = HundredthsToText(hundredths) + (item.IsFee() ? "%" : "");
}

std::optional<PriceBook> PriceBook::Arrange(
    Text name, std::vector<PriceItem> items, std::vector<Text>& problems, const std::vector<Text>* places)
{
    const PriceBook& builtIn = BuiltInPriceBook();
    std::vector<std::optional<PriceItem>> placed(builtIn.m_items.size());
    const std::size_t problemsBefore = problems.size();
    // Books written before the extra works' usual prices were kept in books (projects and
    // files of the first version) lack that whole section: they take the company's.
    const bool noExtraWorks = std::none_of(items.begin(), items.end(), [](const PriceItem& item) {
        return item.section == kExtraWorksSection;
    });
    for (std::size_t i = 0; i < items.size(); ++i) {
        PriceItem& item = items[i];
        const Text where = places && i < places->size() ? (*places)[i] : Text();
        const Text label = ItemLabel(item.section, item.name, item.level);
        const std::optional<std::size_t> index = builtIn.IndexOf(item.section, item.name, item.level);
        if (!index)
            problems.push_back(where + "价格表中没有“" + label + "”这一项（分类、项目和等级都要与默认价格表一致）。");
        else if (placed[*index])
            problems.push_back(where + "“" + label + "”出现了两次，不知道该用哪一个。");
        else
            placed[*index] = std::move(item);
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (!placed[i] && noExtraWorks && builtIn.m_items[i].section == kExtraWorksSection)
            placed[i] = builtIn.m_items[i];
    for (std::size_t i = 0; i < placed.size(); ++i)
        if (!placed[i]) {
            const PriceItem& missing = builtIn.m_items[i];
            problems.push_back("缺少“" + ItemLabel(missing.section, missing.name, missing.level) + "”。");
        }
    if (problems.size() != problemsBefore)
        return std::nullopt;
    PriceBook book;
    book.m_name = std::move(name);
    book.m_items.reserve(placed.size());
    for (std::optional<PriceItem>& item : placed)
        book.m_items.push_back(std::move(*item));
    return book;
}

const PriceBook& BuiltInPriceBook()
{
    static const PriceBook book = [] {
        PriceBook read;
        std::vector<Text> problems;
        if (!ReadBookItems(BuiltInBookBytes(), read.m_name, read.m_items, problems)) {
            // The data file is part of the program: a broken one is a broken build.
            for (const Text& problem : problems)
                std::fprintf(stderr, "built-in price book: %s\n", problem.c_str());
            std::abort();
        }
        return read;
    }();
    return book;
}

std::string_view WithoutBlanksAround(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<Text> TextProblem(std::string_view text, std::size_t maxChars)
{
    if (text.empty())
        return Text("不能是空的");
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); i += Utf8CharLength(static_cast<unsigned char>(text[i]))) {
        if (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F)
            return Text("不能有换行或控制字符");
        ++chars;
    }
    if (chars > maxChars)
        return "太长（最多 " + std::to_string(maxChars) + " 个字）";
    return std::nullopt;
}

std::optional<Text> CheckItem(PriceItem& item)
{
    const struct {
        const Text& text;
        std::string_view what;
    } texts[] = { { item.section, "分类" }, { item.name, "项目" }, { item.unit, "单位" } };
    for (const auto& [text, what] : texts)
        if (std::optional<Text> problem = TextProblem(text, kMaxTextChars))
            return Text(what) + *problem;
    if (item.level < 0 || item.level > kMaxLevel)
        return "等级应当是 1 到 " + std::to_string(kMaxLevel) + "，或空着（各等级相同），不是 "
            + std::to_string(item.level);
    if (item.hundredths < 0 || item.hundredths > kMaxHundredths)
        return Text("单价超出范围");
    if (item.IsFee() && item.hundredths > kMaxRateHundredths)
        return "费率应当在 0% 到 100% 之间，不是 " + HundredthsToText(item.hundredths) + "%";
    item.price = HundredthsToText(item.hundredths) + (item.IsFee() ? "%" : "");
    return std::nullopt;
}

std::size_t PlaceInBook(std::string_view section, std::string_view name, int level)
{
    const std::optional<std::size_t> place = BuiltInPriceBook().IndexOf(section, name, level);
    if (!place) {
        std::fprintf(stderr, "built-in price book lacks %s\n", ItemLabel(section, name, level).c_str());
        std::abort();
    }
    return *place;
}

Text ItemLabel(std::string_view section, std::string_view name, int level)
{
    Text label = Text(section) + " " + Text(name);
    if (level != 0)
        label += "（等级 " + std::to_string(level) + "）";
    return label;
}

} // namespace rq
