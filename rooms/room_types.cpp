#include "rooms/room_types.h"

namespace rq {

namespace {

// Either kind of bracket, and a pair of two kinds too: input methods switch between full-
// and half-width on their own.
constexpr std::string_view kOpenBrackets[] = {"（", "("};
constexpr std::string_view kCloseBrackets[] = {"）", ")"};

bool IsBracketedName(std::string_view text)
{
    for (const std::string_view open : kOpenBrackets)
        for (const std::string_view close : kCloseBrackets)
            if (text.size() >= open.size() + close.size() && text.starts_with(open) && text.ends_with(close))
                return true;
    return false;
}

struct UsualName {
    std::string_view name;
    std::string_view type;
};

constexpr UsualName kUsualNames[] = {
    {"主卧", "卧室"},   {"次卧", "卧室"},   {"儿童房", "卧室"}, {"客房", "卧室"},   {"老人房", "卧室"},
    {"卧房", "卧室"},   {"主卫", "卫生间"}, {"客卫", "卫生间"}, {"公卫", "卫生间"}, {"洗手间", "卫生间"},
    {"浴室", "卫生间"}, {"厕所", "卫生间"}, {"起居室", "客厅"}, {"大厅", "客厅"},   {"饭厅", "餐厅"},
    {"厨房间", "厨房"}, {"工作室", "书房"}, {"露台", "阳台"},   {"生活阳台", "阳台"},
};

}  // namespace

std::string_view PricedRoomType(std::string_view typed)
{
    for (const std::string_view type : kRoomTypes) {
        if (!typed.starts_with(type))
            continue;
        const std::string_view rest = typed.substr(type.size());
        if (rest.empty() || IsBracketedName(rest))
            return type;
    }
    return typed;
}

bool IsPricedRoomType(std::string_view typed)
{
    const std::string_view priced = PricedRoomType(typed);
    for (const std::string_view type : kRoomTypes)
        if (priced == type)
            return true;
    return false;
}

std::optional<std::string_view> LikelyRoomType(std::string_view name)
{
    for (const UsualName& usual : kUsualNames)
        if (usual.name == name)
            return usual.type;
    return std::nullopt;
}

Text RoomTypeQuestion(std::string_view typed)
{
    return "“" + Text(typed) + "”不是报价所列的房间类型，按哪一种房间报价？\r\n（按原样：只列出房间名，不计项目）";
}

Text NamedRoomType(std::string_view type, std::string_view name) { return Text(type) + "（" + Text(name) + "）"; }

}  // namespace rq
