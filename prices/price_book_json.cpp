#include "prices/price_book_json.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "convert/utf8.h"
#include "files/json_guard.h"
#include "files/json_syntax.h"

namespace rq {
namespace {

using Json = nlohmann::json;

// A book is one object holding a list of flat objects: anything deeper is no book, and the
// cap keeps a hostile file from exhausting the stack.
constexpr int kMaxDepth = 4;
// Far more items than the built-in book has; the list is refused before it is looked at.
constexpr std::size_t kMaxItems = 2000;

struct Refusal {
    Text problem;
};

[[noreturn]] void Refuse(Text problem)
{
    throw Refusal { std::move(problem) };
}

// A book is flat: its items in a list, each an object of a few names.
constexpr JsonLimits kBookLimits{kMaxDepth, 0, "不是 renoquote 的价格表文件", "文件的内容无法读取，不是价格表文件。"};

void CheckNames(const Json& object, std::initializer_list<std::string_view> known, const Text& where)
{
    for (const auto& [name, value] : object.items())
        if (std::find(known.begin(), known.end(), name) == known.end())
            Refuse(where + "有不认识的项“" + Text(Utf8Prefix(name, 60)) + "”。");
}

const Json& Member(const Json& object, std::string_view name, const Text& where)
{
    const auto found = object.find(name);
    if (found == object.end())
        Refuse(where + "缺少“" + Text(name) + "”。");
    return *found;
}

Text TakeText(const Json& value, std::string_view name, const Text& where)
{
    if (!value.is_string())
        Refuse(where + "“" + Text(name) + "”应当是文字（带引号的字符串）。");
    return value.get<std::string>();
}

// A price is a number of yuan with at most two decimals, as a price list writes it.
std::int64_t TakeHundredths(const Json& value, const Text& where)
{
    if (value.is_number_unsigned() || value.is_number_integer()) {
        if (value.is_number_integer() && !value.is_number_unsigned() && value.get<std::int64_t>() < 0)
            Refuse(where + "单价不能是负数。");
        const std::uint64_t whole = value.get<std::uint64_t>();
        if (whole > static_cast<std::uint64_t>(kMaxHundredths / 100))
            Refuse(where + "单价超出范围（最多 2147483647 元）。");
        return static_cast<std::int64_t>(whole) * 100;
    }
    if (!value.is_number_float())
        Refuse(where + "单价应当是数字。");
    const double number = value.get<double>();
    if (!std::isfinite(number) || number < 0)
        Refuse(where + "单价应当是 0 或更大的数。");
    if (number * 100 > static_cast<double>(kMaxHundredths))
        Refuse(where + "单价超出范围（最多 2147483647 元）。");
    const double scaled = number * 100;
    const double rounded = std::round(scaled);
    if (std::fabs(scaled - rounded) > 1e-6)
        Refuse(where + "单价最多两位小数（分），不是 " + value.dump() + "。");
    return static_cast<std::int64_t>(rounded);
}

PriceItem TakeItem(const Json& value, const Text& where)
{
    if (!value.is_object())
        Refuse(where + "应当是一个对象（{…}）。");
    CheckNames(value, { "section", "item", "unit", "level", "price" }, where);
    PriceItem item;
    item.section = Text(WithoutBlanksAround(TakeText(Member(value, "section", where), "section", where)));
    item.name = Text(WithoutBlanksAround(TakeText(Member(value, "item", where), "item", where)));
    item.unit = Text(WithoutBlanksAround(TakeText(Member(value, "unit", where), "unit", where)));
    const Json& level = Member(value, "level", where);
    if (!level.is_number_integer() || level.get<std::int64_t>() < 0 || level.get<std::int64_t>() > kMaxLevel)
        Refuse(where + "“level”应当是 0 到 " + std::to_string(kMaxLevel) + " 的整数（0 表示各等级相同）。");
    item.level = level.get<int>();
    item.hundredths = TakeHundredths(Member(value, "price", where), where);
    if (std::optional<Text> problem = CheckItem(item))
        Refuse(where + *problem + "。");
    return item;
}

// The item's place for a message: "第 3 项（墙顶面 墙顶面乳胶漆）：".
Text ItemWhere(const Json& value, std::size_t index)
{
    Text where = "第 " + std::to_string(index + 1) + " 项";
    if (value.is_object()) {
        const auto section = value.find("section");
        const auto name = value.find("item");
        if (section != value.end() && section->is_string() && name != value.end() && name->is_string())
            where += "（" + Text(Utf8Prefix(section->get_ref<const std::string&>(), 60)) + " "
                + Text(Utf8Prefix(name->get_ref<const std::string&>(), 60)) + "）";
    }
    return where + "：";
}

void AppendString(std::string& out, std::string_view text)
{
    out += Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace

bool ReadBookItems(std::string_view bytes, Text& name, std::vector<PriceItem>& items, std::vector<Text>& problems,
    std::vector<Text>* places)
{
    const std::size_t problemsBefore = problems.size();
    try {
        if (bytes.size() > kMaxPriceBookFileBytes)
            Refuse("文件太大（超过 " + std::to_string(kMaxPriceBookFileBytes >> 10) + " KB），不像是价格表。");
        try {
            JsonGuard guard(kBookLimits);
            Json::sax_parse(bytes.begin(), bytes.end(), &guard);
        } catch (const JsonGuardRefusal& refusal) {
            Refuse(refusal.problem);
        }
        const Json root = Json::parse(bytes.begin(), bytes.end());
        if (!root.is_object())
            Refuse("这不是 renoquote 的价格表文件（最外层应当是一个对象）。");
        CheckNames(root, { "format", "version", "name", "items" }, "文件");
        const auto format = root.find("format");
        if (format == root.end() || *format != kPriceBookFormatName)
            Refuse("这不是 renoquote 的价格表文件（\"format\" 应当是 \"" + Text(kPriceBookFormatName) + "\"）。");
        const Json& version = Member(root, "version", "文件");
        if (!version.is_number_integer() || version.get<std::int64_t>() < 1)
            Refuse("“version”应当是 1 或更大的整数。");
        if (version.get<std::int64_t>() > kPriceBookFormatVersion)
            Refuse("这个价格表是新版本的 renoquote 保存的（格式第 " + version.dump() + " 版），本程序只能打开第 "
                + std::to_string(kPriceBookFormatVersion) + " 版。");
        name = TakeText(Member(root, "name", "文件"), "name", "文件");
        if (std::optional<Text> problem = TextProblem(name, kMaxBookNameChars))
            Refuse("价格表的名称" + *problem + "。");
        const Json& list = Member(root, "items", "文件");
        if (!list.is_array())
            Refuse("“items”应当是一个列表（[…]）。");
        if (list.size() > kMaxItems)
            Refuse("价格表的项太多（超过 " + std::to_string(kMaxItems) + " 项）。");
        items.clear();
        items.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            try {
                items.push_back(TakeItem(list[i], ItemWhere(list[i], i)));
                if (places)
                    places->push_back("第 " + std::to_string(i + 1) + " 项：");
            } catch (const Refusal& refusal) {
                problems.push_back(refusal.problem);
            }
        }
    } catch (const Json::parse_error& error) {
        problems.push_back(JsonSyntaxProblem(bytes, error.byte, error.what()));
    } catch (const Refusal& refusal) {
        problems.push_back(refusal.problem);
    }
    return problems.size() == problemsBefore;
}

PriceBookReadResult ReadPriceBookJson(std::string_view bytes)
{
    PriceBookReadResult result;
    Text name;
    std::vector<PriceItem> items;
    std::vector<Text> places;
    if (!ReadBookItems(bytes, name, items, result.problems, &places))
        return result;
    result.book = PriceBook::Arrange(std::move(name), std::move(items), result.problems, &places);
    return result;
}

std::string WritePriceBookJson(const PriceBook& book)
{
    std::string out = "{\n  \"format\": \"" + Text(kPriceBookFormatName)
        + "\",\n  \"version\": " + std::to_string(kPriceBookFormatVersion) + ",\n  \"name\": ";
    AppendString(out, book.name());
    out += ",\n  \"items\": [";
    for (std::size_t i = 0; i < book.items().size(); ++i) {
        const PriceItem& item = book.at(i);
        out += i == 0 ? "\n    {\"section\": " : ",\n    {\"section\": ";
        AppendString(out, item.section);
        out += ", \"item\": ";
        AppendString(out, item.name);
        out += ", \"unit\": ";
        AppendString(out, item.unit);
        out += ", \"level\": " + std::to_string(item.level) + ", \"price\": " + HundredthsToText(item.hundredths) + "}";
    }
    out += book.items().empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace rq
