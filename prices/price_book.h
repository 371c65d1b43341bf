// The price book: the name, unit and unit price of every item the detailed quote writes, and
// the fee rates, by section and grade level. Which grade buys which item stays a rule of the
// quote engine; the book holds only the figures. The built-in book holds the company's own.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "convert/convert.h"

namespace rq {

inline constexpr std::string_view kBuiltInBookName = "默认价格表";
// The section whose figures are percentages of the items (transport, rubbish, management).
inline constexpr std::string_view kFeeSection = "费用";
// The usual prices the add-item dialog offers for extra works (the user may type others).
inline constexpr std::string_view kExtraWorksSection = "增项";
// A price or a rate in hundredths: fen of a yuan, or hundredths of a per cent. No price above
// the largest whole-yuan total can be priced at all.
inline constexpr std::int64_t kMaxHundredths = 2'147'483'647LL * 100;
inline constexpr std::int64_t kMaxRateHundredths = 100 * 100;
// The highest grade level an item can belong to (the five grades, rental to luxury).
inline constexpr int kMaxLevel = 5;

struct PriceItem {
    Text section; // 分类
    Text name; // 项目
    Text unit; // 单位
    int level = 0; // 等级: 0 when the figure is the same at every grade, else 1..kMaxLevel
    std::int64_t hundredths = 0; // 单价 in fen; in the fee section, the rate in 0.01 %
    Text price; // the 单价 as the sheet writes it ("13", "12.5", for a fee "2%")

    bool IsFee() const { return section == kFeeSection; }
    // A fee's rate as a fraction (2 % is 0.02, the nearest double to it as if written so).
    double Rate() const { return static_cast<double>(hundredths) / 10'000.0; }
    bool operator==(const PriceItem&) const = default;
};

// Hundredths as a sheet writes a price: "13", "12.5", "12.05"; no trailing zeros.
Text HundredthsToText(std::int64_t hundredths);

// A price typed or read as text: digits with at most two decimals ("12", "12.5", "0.05").
// Anything else (a sign, an exponent, blanks, a third decimal, beyond the cap) is nothing.
std::optional<std::int64_t> ParseHundredths(std::string_view text);

// Every book holds the same items as the built-in one, in its order, so that an item's
// position is the same in every book and the engine finds its figures without searching.
class PriceBook {
public:
    const Text& name() const { return m_name; }
    void setName(Text name) { m_name = std::move(name); }
    const std::vector<PriceItem>& items() const { return m_items; }
    const PriceItem& at(std::size_t index) const { return m_items[index]; }

    // Where the item is in every book; nothing when no book holds it.
    std::optional<std::size_t> IndexOf(std::string_view section, std::string_view name, int level) const;

    // A new price or rate, checked by the caller against kMaxHundredths / kMaxRateHundredths.
    void SetHundredths(std::size_t index, std::int64_t hundredths);
    void SetUnit(std::size_t index, Text unit) { m_items[index].unit = std::move(unit); }

    // Units and figures alike, whatever the books are called.
    bool SameFigures(const PriceBook& other) const { return m_items == other.m_items; }
    bool operator==(const PriceBook&) const = default;

    // Puts read items into the built-in book's order. Every problem is listed (an item the
    // built-in book lacks, one it has that is missing, one given twice), each after the place
    // in the file of its item when `places` gives them ("第 5 行："); then there is no book.
    static std::optional<PriceBook> Arrange(Text name, std::vector<PriceItem> items, std::vector<Text>& problems,
        const std::vector<Text>* places = nullptr);

private:
    friend const PriceBook& BuiltInPriceBook();
    Text m_name;
    std::vector<PriceItem> m_items;
};

// The company's prices, as the repository's data file holds them; read once.
const PriceBook& BuiltInPriceBook();

// What is wrong with one read item on its own: an empty or over-long text, a control
// character, a level outside 0..kMaxLevel, a rate above 100 %. When nothing is, its price text
// is set from its hundredths.
std::optional<Text> CheckItem(PriceItem& item);

// The longest name of a book and of a unit, in characters.
inline constexpr std::size_t kMaxBookNameChars = 40;
inline constexpr std::size_t kMaxTextChars = 20;

// Blanks a price list pads a name, a unit or a cell with are no part of it: " M2" and "M2"
// are one unit, and a book reads the same from each of its files.
std::string_view WithoutBlanksAround(std::string_view text);

// What is wrong with a text a book holds (its name, a section, an item, a unit), or nothing.
std::optional<Text> TextProblem(std::string_view text, std::size_t maxChars);

// Where an item the quote engine writes sits in every book. The built-in book must hold it:
// a data file without it is a broken build, and the program stops at once.
std::size_t PlaceInBook(std::string_view section, std::string_view name, int level = 0);

// "墙顶面 顶面批腻子" or "木作与吊顶 电视背景墙（等级 3）", for messages.
Text ItemLabel(std::string_view section, std::string_view name, int level);

} // namespace rq
