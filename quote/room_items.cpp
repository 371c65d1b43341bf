#include "quote/room_items.h"

#include <algorithm>
#include <span>

namespace rq {

namespace {

enum class RoomKind { Living, Dining, Kitchen, Bedroom, Bathroom, Study, Balcony };

struct RoomKindName {
    std::string_view name;
    RoomKind kind;
};

constexpr RoomKindName kRoomKinds[] = {
    {"客厅", RoomKind::Living},  {"餐厅", RoomKind::Dining},   {"厨房", RoomKind::Kitchen}, {"卧室", RoomKind::Bedroom},
    {"卫生间", RoomKind::Bathroom}, {"书房", RoomKind::Study}, {"阳台", RoomKind::Balcony},
};

// What a grade buys in each kind of room; 0 means the grade has no such item.
struct GradePlan {
    bool paintEveryRoom;  // the rental grade paints kitchens, bathrooms and balconies too
    bool wallTiling;      // kitchens and bathrooms get wall tiles besides floor tiles
    int pipeBoxing;       // how many water pipes are boxed in kitchens and bathrooms
    int tvWall;
    bool shoeCabinet;
    int livingCeiling;
    int diningCeiling;
    int entrance;
    bool wineRack;
    int wardrobe;
    int bookcase;
};

// In grade order. The luxury dining room takes the artistic ceiling of the luxury living
// room: there is no dearer ceiling, and a luxury dining room without any ceiling would be
// priced below the fine grade's.
constexpr GradePlan kGradePlans[] = {
    {true, false, 1, 0, false, 0, 0, 0, false, 0, 0},
    {false, true, 1, 1, true, 0, 0, 0, false, 1, 1},
    {false, true, 1, 3, true, 1, 1, 1, true, 1, 1},
    {false, true, 2, 4, true, 2, 2, 2, true, 2, 2},
    {false, true, 2, 5, true, 2, 2, 3, true, 3, 3},
};

struct DoorPrice {
    std::string_view door;
    std::string_view price;
};

constexpr DoorPrice kDoorPrices[] = {
    {"出租房门", "480"}, {"实木免漆门", "580"}, {"实木门", "1480"}, {"原木门", "1880"}, {"移门", "360"},
    {"推拉门", "480"},   {"彩铝门", "580"},     {"折叠门", "600"},  {"塑钢门", "580"},
};

// Wooden doors come with their own frame; every other door in a wet room needs a casing.
constexpr std::string_view kDoorsWithFrame[] = {"实木免漆门", "原木门", "实木门", "出租房门"};

struct PricedItem {
    std::string_view name;
    std::string_view price;
};

constexpr std::string_view kTvWallPrices[] = {"600", "800", "1200", "1800", "3000"};
constexpr std::string_view kWardrobePrices[] = {"450", "480", "550"};
constexpr std::string_view kBookcasePrices[] = {"800", "1200", "1600"};
constexpr std::string_view kEntrancePrices[] = {"600", "800", "1200"};
constexpr PricedItem kCeilings[] = {{"局部吊顶", "115"}, {"艺术吊顶", "135"}};

// A door leaf counts as an opening of 2 m² (a leaf is about 0.9 m × 2.1 m).
constexpr double kDoorLeafArea = 2'000'000.0;

// Levels count from 1; a level outside the price list yields nothing.
template <typename T>
const T* AtLevel(std::span<const T> levels, int level)
{
    if (level < 1 || static_cast<std::size_t>(level) > levels.size())
        return nullptr;
    return &levels[static_cast<std::size_t>(level - 1)];
}

void AppendNumbered(QuoteSheet& sheet, std::string_view name, std::string_view unit, std::string_view quantity,
                    std::string_view price)
{
    sheet.AppendItemRow(name, unit, quantity, price, true, TotalForm::WholeYuan);
}

// Square metres from millimetres, computed in double so that no room size can overflow.
Text AreaText(std::int32_t a, std::int32_t b) { return NumberToText(static_cast<double>(a) * b / 1'000'000.0); }

const RoomKind* FindRoomKind(std::string_view type)
{
    for (const RoomKindName& entry : kRoomKinds)
        if (entry.name == type)
            return &entry.kind;
    return nullptr;
}

void AppendTypeItems(QuoteSheet& sheet, RoomKind kind, const GradePlan& plan, const RoomDimensions& d,
                     FloorChoice floor)
{
    const bool tiledFloor = floor == FloorChoice::Tiles;
    switch (kind) {
    case RoomKind::Kitchen:
    case RoomKind::Bathroom:
        if (plan.wallTiling)
            AppendFloorAndWallTiling(sheet, d.length, d.width);
        else
            AppendFloorTiling(sheet, d.length, d.width);
        AppendPipeBoxing(sheet, plan.pipeBoxing);
        if (kind == RoomKind::Bathroom)
            AppendWaterproofing(sheet, d.length, d.width);
        break;
    case RoomKind::Living:
        if (tiledFloor)
            AppendFloorTiling(sheet, d.length, d.width);
        if (plan.livingCeiling != 0)
            AppendCeiling(sheet, plan.livingCeiling, d.length, d.width);
        if (plan.tvWall != 0)
            AppendTvWall(sheet, plan.tvWall);
        if (plan.shoeCabinet)
            AppendShoeCabinet(sheet);
        break;
    case RoomKind::Dining:
        if (tiledFloor)
            AppendFloorTiling(sheet, d.length, d.width);
        if (plan.diningCeiling != 0)
            AppendCeiling(sheet, plan.diningCeiling, d.length, d.width);
        if (plan.entrance != 0)
            AppendEntrance(sheet, plan.entrance);
        if (plan.wineRack)
            AppendWineRack(sheet, d.width, d.height);
        break;
    case RoomKind::Bedroom:
        if (plan.wardrobe != 0)
            AppendWardrobe(sheet, plan.wardrobe, d.height, d.width);
        break;
    case RoomKind::Study:
        if (plan.bookcase != 0)
            AppendBookcase(sheet, plan.bookcase);
        break;
    case RoomKind::Balcony:
        AppendFloorTiling(sheet, d.length, d.width);
        break;
    }
}

bool IsPaintedAboveRental(RoomKind kind)
{
    return kind == RoomKind::Living || kind == RoomKind::Dining || kind == RoomKind::Bedroom ||
           kind == RoomKind::Study;
}

}  // namespace

void AppendRoomItems(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade, FloorChoice floor)
{
    const std::optional<Grade> found = FindGrade(grade);
    const RoomKind* kind = FindRoomKind(room.type());
    if (!found || kind == nullptr)
        return;
    const GradePlan& plan = kGradePlans[static_cast<int>(*found)];
    const RoomDimensions d = ReadRoomDimensions(room);
    if (plan.paintEveryRoom || IsPaintedAboveRental(*kind))
        AppendPaintingItems(sheet, d);
    if (d.doorLeaves != 0)
        AppendDoorItem(sheet, room.doorType(), d.doorLeaves, room.type());
    AppendTypeItems(sheet, *kind, plan, d, floor);
}

void AppendPaintingItems(QuoteSheet& sheet, const RoomDimensions& room)
{
    const double length = room.length;
    const double width = room.width;
    const double ceiling = length * width;
    // Putty and paint are priced on the walls actually finished, with door and window
    // openings counted at half; each step is held in single precision, so the quantities
    // agree with the company's established quotes.
    const float gross = ToSingle((length + width) * room.height * room.walls * 2.0 / 4.0);
    const float openings = ToSingle(
        (kDoorLeafArea * room.doorLeaves + static_cast<double>(room.windowLength) * room.windowHeight) / 2.0);
    // Openings larger than the walls (a window typed wider than the room) leave no wall to
    // finish: 0 m², never a negative area that would take yuan off the quote.
    const float wall = ToSingle(std::max(static_cast<double>(gross) - openings, 0.0));
    const float paint = ToSingle(static_cast<double>(wall) + ceiling);
    const struct {
        std::string_view name;
        float area;
        std::string_view price;
    } runs[] = {
        {"顶面批腻子", ToSingle(ceiling / 1'000'000.0), "13"},
        {"墙面批腻子", ToSingle(wall / 1'000'000.0), "12"},
        {"墙顶面乳胶漆", ToSingle(paint / 1'000'000.0), "10"},
    };
    int position = 1;
    for (const auto& run : runs)
        sheet.AppendItemRow(run.name, "M2", NumberToShortText(run.area), run.price, true, TotalForm::Single,
                            position++);
}

void AppendDoorItem(QuoteSheet& sheet, std::string_view doorType, std::int32_t leaves, std::string_view roomType)
{
    if (doorType == kNoDoor)
        return;
    std::string_view price;  // a door the company does not sell is listed at no price
    for (const DoorPrice& entry : kDoorPrices)
        if (entry.door == doorType)
            price = entry.price;
    AppendNumbered(sheet, doorType, "扇", IntegerToText(leaves), price);

    for (std::string_view framed : kDoorsWithFrame)
        if (framed == doorType)
            return;
    if (roomType == "厨房")
        AppendDoorCasing(sheet, 2, 5, 1);
    else if (roomType == "卫生间")
        AppendDoorCasing(sheet, 1, 5, 1);
}

void AppendDoorCasing(QuoteSheet& sheet, int kind, std::int32_t quantity, int level)
{
    if (kind == 1)
        AppendNumbered(sheet, "单包门套", "项", IntegerToText(quantity), level == 1 ? "65" : "85");
    else if (kind == 2)
        AppendNumbered(sheet, "双包门套", "项", IntegerToText(quantity), level == 2 ? "75" : "115");
}

void AppendFloorTiling(QuoteSheet& sheet, std::int32_t length, std::int32_t width)
{
    AppendNumbered(sheet, "地砖铺贴", "M2", AreaText(length, width), "35");
}

void AppendFloorAndWallTiling(QuoteSheet& sheet, std::int32_t length, std::int32_t width)
{
    // Wall tiles are priced on the floor-area figure, as the company's price list does.
    AppendFloorTiling(sheet, length, width);
    AppendNumbered(sheet, "墙砖铺贴", "M2", AreaText(length, width), "35");
}

void AppendPipeBoxing(QuoteSheet& sheet, int count)
{
    AppendNumbered(sheet, "包水管", "根", IntegerToText(count), "170");
}

void AppendWaterproofing(QuoteSheet& sheet, std::int32_t length, std::int32_t width)
{
    AppendNumbered(sheet, "防水工程", "项", AreaText(length, width), "45");
}

void AppendTvWall(QuoteSheet& sheet, int level)
{
    if (const auto* price = AtLevel<std::string_view>(kTvWallPrices, level))
        AppendNumbered(sheet, "电视背景墙", "项", "1", *price);
}

void AppendShoeCabinet(QuoteSheet& sheet) { AppendNumbered(sheet, "鞋柜制作", "M", "1", "580"); }

void AppendWardrobe(QuoteSheet& sheet, int level, std::int32_t height, std::int32_t width)
{
    if (const auto* price = AtLevel<std::string_view>(kWardrobePrices, level))
        AppendNumbered(sheet, "衣柜制作", "M2", AreaText(height, width), *price);
}

void AppendBookcase(QuoteSheet& sheet, int level)
{
    if (const auto* price = AtLevel<std::string_view>(kBookcasePrices, level))
        AppendNumbered(sheet, "书柜制作", "项", "1", *price);
}

void AppendCeiling(QuoteSheet& sheet, int level, std::int32_t length, std::int32_t width)
{
    if (const auto* ceiling = AtLevel<PricedItem>(kCeilings, level))
        AppendNumbered(sheet, ceiling->name, "M", NumberToText((static_cast<double>(length) + width) / 1000.0),
                       ceiling->price);
}

void AppendEntrance(QuoteSheet& sheet, int level)
{
    if (const auto* price = AtLevel<std::string_view>(kEntrancePrices, level))
        AppendNumbered(sheet, "玄关制作", "项", "1", *price);
}

void AppendWineRack(QuoteSheet& sheet, std::int32_t width, std::int32_t height)
{
    // A wine rack fills four tenths of one wall's face.
    const double face = static_cast<double>(ToSingle(width)) * static_cast<double>(ToSingle(height));
    AppendNumbered(sheet, "酒架", "M2", NumberToText(face * 0.4 / 1'000'000.0), "460");
}

}  // namespace rq
