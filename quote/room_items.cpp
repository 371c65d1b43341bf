#include "quote/room_items.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "rooms/room_types.h"

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

// The price-book section of each kind of room item.
constexpr std::string_view kPaintingSection = "墙顶面";
constexpr std::string_view kDoorSection = "门";
constexpr std::string_view kTilingSection = "地面与墙面";
constexpr std::string_view kCarpentrySection = "木作与吊顶";

// A door the company does not sell is still counted by the leaf.
constexpr std::string_view kDoorUnit = "扇";

constexpr std::string_view kDoorTypes[] = {"出租房门", "实木免漆门", "实木门", "原木门", "移门",
                                           "推拉门",   "彩铝门",     "折叠门", "塑钢门"};

// Wooden doors come with their own frame; every other door in a wet room needs a casing.
constexpr std::string_view kDoorsWithFrame[] = {"实木免漆门", "原木门", "实木门", "出租房门"};

// The ceilings by level: a plain one for the lower grades, an artistic one above.
constexpr std::string_view kCeilingNames[] = {"局部吊顶", "艺术吊顶"};

// Where each item a room can get sits in every price book (all books hold the same items in
// the same order), looked up once so that a quote of many rooms never searches the book.
struct RoomItemPlaces {
    std::array<std::size_t, 3> painting;
    std::array<std::size_t, std::size(kDoorTypes)> doors;
    std::array<std::size_t, 2> singleCasing;
    std::array<std::size_t, 2> doubleCasing;
    std::size_t floorTiling, wallTiling, pipeBoxing, waterproofing;
    std::array<std::size_t, 5> tvWall;
    std::size_t shoeCabinet;
    std::array<std::size_t, 3> wardrobe;
    std::array<std::size_t, 3> bookcase;
    std::array<std::size_t, 2> ceiling;
    std::array<std::size_t, 3> entrance;
    std::size_t wineRack;
};

template <std::size_t N>
std::array<std::size_t, N> PlacesByLevel(std::string_view section, std::string_view name)
{
    std::array<std::size_t, N> places{};
    for (std::size_t level = 1; level <= N; ++level)
        places[level - 1] = PlaceInBook(section, name, static_cast<int>(level));
    return places;
}

const RoomItemPlaces& Places()
{
    static const RoomItemPlaces places = [] {
        RoomItemPlaces p{};
        p.painting = {PlaceInBook(kPaintingSection, "顶面批腻子"), PlaceInBook(kPaintingSection, "墙面批腻子"),
                      PlaceInBook(kPaintingSection, "墙顶面乳胶漆")};
        for (std::size_t i = 0; i < std::size(kDoorTypes); ++i)
            p.doors[i] = PlaceInBook(kDoorSection, kDoorTypes[i]);
        p.singleCasing = PlacesByLevel<2>(kDoorSection, "单包门套");
        p.doubleCasing = PlacesByLevel<2>(kDoorSection, "双包门套");
        p.floorTiling = PlaceInBook(kTilingSection, "地砖铺贴");
        p.wallTiling = PlaceInBook(kTilingSection, "墙砖铺贴");
        p.pipeBoxing = PlaceInBook(kTilingSection, "包水管");
        p.waterproofing = PlaceInBook(kTilingSection, "防水工程");
        p.tvWall = PlacesByLevel<5>(kCarpentrySection, "电视背景墙");
        p.shoeCabinet = PlaceInBook(kCarpentrySection, "鞋柜制作");
        p.wardrobe = PlacesByLevel<3>(kCarpentrySection, "衣柜制作");
        p.bookcase = PlacesByLevel<3>(kCarpentrySection, "书柜制作");
        for (std::size_t i = 0; i < std::size(kCeilingNames); ++i)
            p.ceiling[i] = PlaceInBook(kCarpentrySection, kCeilingNames[i], static_cast<int>(i + 1));
        p.entrance = PlacesByLevel<3>(kCarpentrySection, "玄关制作");
        p.wineRack = PlaceInBook(kCarpentrySection, "酒架");
        return p;
    }();
    return places;
}

// A door leaf counts as an opening of 2 m² (a leaf is about 0.9 m × 2.1 m).
constexpr double kDoorLeafArea = 2'000'000.0;

// Levels count from 1; a level outside the price list yields nothing.
template <std::size_t N>
const PriceItem* AtLevel(const PriceBook& book, const std::array<std::size_t, N>& places, int level)
{
    if (level < 1 || static_cast<std::size_t>(level) > N)
        return nullptr;
    return &book.at(places[static_cast<std::size_t>(level - 1)]);
}

void AppendNumbered(QuoteSheet& sheet, const PriceItem& item, std::string_view quantity)
{
    sheet.AppendItemRow(item.name, item.unit, quantity, item.price, true, TotalForm::WholeYuan);
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
                     FloorChoice floor, const PriceBook& book)
{
    const bool tiledFloor = floor == FloorChoice::Tiles;
    switch (kind) {
    case RoomKind::Kitchen:
    case RoomKind::Bathroom:
        if (plan.wallTiling)
            AppendFloorAndWallTiling(sheet, d.length, d.width, book);
        else
            AppendFloorTiling(sheet, d.length, d.width, book);
        AppendPipeBoxing(sheet, plan.pipeBoxing, book);
        if (kind == RoomKind::Bathroom)
            AppendWaterproofing(sheet, d.length, d.width, book);
        break;
    case RoomKind::Living:
        if (tiledFloor)
            AppendFloorTiling(sheet, d.length, d.width, book);
        if (plan.livingCeiling != 0)
            AppendCeiling(sheet, plan.livingCeiling, d.length, d.width, book);
        if (plan.tvWall != 0)
            AppendTvWall(sheet, plan.tvWall, book);
        if (plan.shoeCabinet)
            AppendShoeCabinet(sheet, book);
        break;
    case RoomKind::Dining:
        if (tiledFloor)
            AppendFloorTiling(sheet, d.length, d.width, book);
        if (plan.diningCeiling != 0)
            AppendCeiling(sheet, plan.diningCeiling, d.length, d.width, book);
        if (plan.entrance != 0)
            AppendEntrance(sheet, plan.entrance, book);
        if (plan.wineRack)
            AppendWineRack(sheet, d.width, d.height, book);
        break;
    case RoomKind::Bedroom:
        if (plan.wardrobe != 0)
            AppendWardrobe(sheet, plan.wardrobe, d.height, d.width, book);
        break;
    case RoomKind::Study:
        if (plan.bookcase != 0)
            AppendBookcase(sheet, plan.bookcase, book);
        break;
    case RoomKind::Balcony:
        AppendFloorTiling(sheet, d.length, d.width, book);
        break;
    }
}

bool IsPaintedAboveRental(RoomKind kind)
{
    return kind == RoomKind::Living || kind == RoomKind::Dining || kind == RoomKind::Bedroom ||
           kind == RoomKind::Study;
}

}  // namespace

void AppendRoomItems(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade, FloorChoice floor,
                     const PriceBook& book)
{
    const std::optional<Grade> found = FindGrade(grade);
    const std::string_view type = PricedRoomType(room.type());
    const RoomKind* kind = FindRoomKind(type);
    if (!found || kind == nullptr)
        return;
    const GradePlan& plan = kGradePlans[static_cast<int>(*found)];
    const RoomDimensions d = ReadRoomDimensions(room);
    if (plan.paintEveryRoom || IsPaintedAboveRental(*kind))
        AppendPaintingItems(sheet, d, book);
    if (d.doorLeaves != 0)
        AppendDoorItem(sheet, room.doorType(), d.doorLeaves, type, book);
    AppendTypeItems(sheet, *kind, plan, d, floor, book);
}

void AppendPaintingItems(QuoteSheet& sheet, const RoomDimensions& room, const PriceBook& book)
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
    const float areas[] = {ToSingle(ceiling / 1'000'000.0), ToSingle(wall / 1'000'000.0), ToSingle(paint / 1'000'000.0)};
    const RoomItemPlaces& places = Places();
    for (std::size_t i = 0; i < std::size(areas); ++i) {
        const PriceItem& item = book.at(places.painting[i]);
        sheet.AppendItemRow(item.name, item.unit, NumberToShortText(areas[i]), item.price, true, TotalForm::Single,
                            static_cast<int>(i + 1));
    }
}

void AppendDoorItem(QuoteSheet& sheet, std::string_view doorType, std::int32_t leaves, std::string_view roomType,
                    const PriceBook& book)
{
    if (doorType == kNoDoor)
        return;
    const RoomItemPlaces& places = Places();
    const auto known = std::find(std::begin(kDoorTypes), std::end(kDoorTypes), doorType);
    if (known != std::end(kDoorTypes))
        AppendNumbered(sheet, book.at(places.doors[static_cast<std::size_t>(known - std::begin(kDoorTypes))]),
                       IntegerToText(leaves));
    else  // a door the company does not sell is listed at no price
        sheet.AppendItemRow(doorType, kDoorUnit, IntegerToText(leaves), "", true, TotalForm::WholeYuan);

    for (std::string_view framed : kDoorsWithFrame)
        if (framed == doorType)
            return;
    if (roomType == "厨房")
        AppendDoorCasing(sheet, 2, 5, 1, book);
    else if (roomType == "卫生间")
        AppendDoorCasing(sheet, 1, 5, 1, book);
}

void AppendDoorCasing(QuoteSheet& sheet, int kind, std::int32_t quantity, int level, const PriceBook& book)
{
    // The single casing's first level is the cheaper one, the double casing's the dearer;
    // every other level takes the other figure.
    const RoomItemPlaces& places = Places();
    if (kind == 1)
        AppendNumbered(sheet, book.at(places.singleCasing[level == 1 ? 0 : 1]), IntegerToText(quantity));
    else if (kind == 2)
        AppendNumbered(sheet, book.at(places.doubleCasing[level == 2 ? 1 : 0]), IntegerToText(quantity));
}

void AppendFloorTiling(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book)
{
    AppendNumbered(sheet, book.at(Places().floorTiling), AreaText(length, width));
}

void AppendFloorAndWallTiling(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book)
{
    // Wall tiles are priced on the floor-area figure, as the company's price list does.
    AppendFloorTiling(sheet, length, width, book);
    AppendNumbered(sheet, book.at(Places().wallTiling), AreaText(length, width));
}

void AppendPipeBoxing(QuoteSheet& sheet, int count, const PriceBook& book)
{
    AppendNumbered(sheet, book.at(Places().pipeBoxing), IntegerToText(count));
}

void AppendWaterproofing(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book)
{
    AppendNumbered(sheet, book.at(Places().waterproofing), AreaText(length, width));
}

void AppendTvWall(QuoteSheet& sheet, int level, const PriceBook& book)
{
    if (const PriceItem* item = AtLevel(book, Places().tvWall, level))
        AppendNumbered(sheet, *item, "1");
}

void AppendShoeCabinet(QuoteSheet& sheet, const PriceBook& book)
{
    AppendNumbered(sheet, book.at(Places().shoeCabinet), "1");
}

void AppendWardrobe(QuoteSheet& sheet, int level, std::int32_t height, std::int32_t width, const PriceBook& book)
{
    if (const PriceItem* item = AtLevel(book, Places().wardrobe, level))
        AppendNumbered(sheet, *item, AreaText(height, width));
}

void AppendBookcase(QuoteSheet& sheet, int level, const PriceBook& book)
{
    if (const PriceItem* item = AtLevel(book, Places().bookcase, level))
        AppendNumbered(sheet, *item, "1");
}

void AppendCeiling(QuoteSheet& sheet, int level, std::int32_t length, std::int32_t width, const PriceBook& book)
{
    if (const PriceItem* item = AtLevel(book, Places().ceiling, level))
        AppendNumbered(sheet, *item, NumberToText((static_cast<double>(length) + width) / 1000.0));
}

void AppendEntrance(QuoteSheet& sheet, int level, const PriceBook& book)
{
    if (const PriceItem* item = AtLevel(book, Places().entrance, level))
        AppendNumbered(sheet, *item, "1");
}

void AppendWineRack(QuoteSheet& sheet, std::int32_t width, std::int32_t height, const PriceBook& book)
{
    // A wine rack fills four tenths of one wall's face.
    const double face = static_cast<double>(ToSingle(width)) * static_cast<double>(ToSingle(height));
    AppendNumbered(sheet, book.at(Places().wineRack), NumberToText(face * 0.4 / 1'000'000.0));
}

}  // namespace rq
