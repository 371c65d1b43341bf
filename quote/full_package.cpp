#include "quote/full_package.h"

#include <array>

#include "rooms/room_types.h"

namespace rq {

namespace {

// An empty quantity text stands for the floor area of the room.
constexpr std::string_view kFloorArea = "";

// The price-book sections of the main materials.
constexpr std::string_view kKitchenSection = "全包主材·厨房";
constexpr std::string_view kBathroomSection = "全包主材·卫生间";
constexpr std::string_view kFloorSection = "全包主材·客厅餐厅";
constexpr std::string_view kBalconySection = "全包主材·阳台";

constexpr int kLevelCount = 3;

// What a kitchen gets, in sheet order, and at which material levels: the first level has
// no wall cupboards, lamp, tiles, water heater or ceiling, and each level its own worktop.
struct KitchenItem {
    std::string_view name;
    std::string_view quantity;
    std::array<bool, kLevelCount> atLevel;
};

constexpr KitchenItem kKitchenItems[] = {
    {"厨柜制作", "3", {true, true, true}},        {"吊柜制作", "3", {false, true, true}},
    {"人造石台面", "3", {true, false, false}},    {"水晶石台面", "3", {false, true, false}},
    {"石英石", "3", {false, false, true}},        {"厨柜五金", "1", {true, true, true}},
    {"洗菜盆及龙头", "1", {true, true, true}},    {"油烟机", "1", {true, true, true}},
    {"灶台", "1", {true, true, true}},            {"吸顶灯", "1", {false, true, true}},
    {"墙面砖", kFloorArea, {false, true, true}},  {"地面砖", kFloorArea, {false, true, true}},
    {"燃气热水器", "1", {false, true, true}},     {"铝扣板吊顶", kFloorArea, {false, true, true}},
};

// The bathroom has the same fittings at every level; only their prices rise.
struct BathroomItem {
    std::string_view name;
    std::string_view quantity;
};

constexpr BathroomItem kBathroomItems[] = {
    {"墙面砖", kFloorArea}, {"地面砖", kFloorArea}, {"铝扣板吊顶", kFloorArea}, {"面盆", "1"},  {"地漏", "2"},
    {"淋浴", "1"},          {"锁具", "1"},          {"马桶", "1"},              {"碳纤维灯", "1"},
};

// Living and dining floors: laminate, then solid wood, or tiles, by level.
constexpr std::string_view kFloorBoards[] = {"强化地板", "实木地板", "实木地板"};
constexpr std::string_view kFloorTiles[] = {"瓷砖", "瓷砖", "瓷砖"};

// Where each material sits in every price book, by level (kNone where a level has none),
// looked up once so that a quote of many rooms never searches the book.
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
using LevelPlaces = std::array<std::size_t, kLevelCount>;

struct MaterialPlaces {
    std::array<LevelPlaces, std::size(kKitchenItems)> kitchen;
    std::array<LevelPlaces, std::size(kBathroomItems)> bathroom;
    LevelPlaces boards;
    LevelPlaces tiles;
    std::size_t balcony;
};

const MaterialPlaces& Places()
{
    static const MaterialPlaces places = [] {
        MaterialPlaces p{};
        for (std::size_t i = 0; i < std::size(kKitchenItems); ++i)
            for (int level = 1; level <= kLevelCount; ++level)
                p.kitchen[i][level - 1] = kKitchenItems[i].atLevel[level - 1]
                                              ? PlaceInBook(kKitchenSection, kKitchenItems[i].name, level)
                                              : kNone;
        for (std::size_t i = 0; i < std::size(kBathroomItems); ++i)
            for (int level = 1; level <= kLevelCount; ++level)
                p.bathroom[i][level - 1] = PlaceInBook(kBathroomSection, kBathroomItems[i].name, level);
        for (int level = 1; level <= kLevelCount; ++level) {
            p.boards[level - 1] = PlaceInBook(kFloorSection, kFloorBoards[level - 1], level);
            p.tiles[level - 1] = PlaceInBook(kFloorSection, kFloorTiles[level - 1], level);
        }
        p.balcony = PlaceInBook(kBalconySection, "封阳台");
        return p;
    }();
    return places;
}

// Material level per grade (in grade order) for each kind of room that has one.
struct MaterialLevels {
    int kitchen;
    int bathroom;
    int livingAndDining;
};

constexpr MaterialLevels kMaterialLevels[] = {
    {1, 1, 1}, {2, 2, 1}, {2, 2, 2}, {3, 3, 3}, {3, 3, 3},
};

bool ValidLevel(int level) { return level >= 1 && level <= kLevelCount; }

Text FloorAreaText(std::int32_t length, std::int32_t width)
{
    return NumberToText(static_cast<double>(length) * width / 1'000'000.0);
}

void AppendUnnumbered(QuoteSheet& sheet, const PriceItem& item, std::string_view quantity)
{
    sheet.AppendItemRow(item.name, item.unit, quantity, item.price, false, TotalForm::WholeYuan);
}

std::string_view QuantityText(std::string_view quantity, const Text& floorArea)
{
    return quantity == kFloorArea ? std::string_view(floorArea) : quantity;
}

void AppendFloorItem(QuoteSheet& sheet, const LevelPlaces& places, std::int32_t length, std::int32_t width, int level,
                     const PriceBook& book)
{
    if (!ValidLevel(level))
        return;
    AppendUnnumbered(sheet, book.at(places[static_cast<std::size_t>(level - 1)]), FloorAreaText(length, width));
}

}  // namespace

void AppendKitchenItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book)
{
    if (!ValidLevel(level))
        return;
    const Text area = FloorAreaText(length, width);
    sheet.AppendHeaderRow("厨房");
    const MaterialPlaces& places = Places();
    for (std::size_t i = 0; i < std::size(kKitchenItems); ++i)
        if (const std::size_t place = places.kitchen[i][static_cast<std::size_t>(level - 1)]; place != kNone)
            AppendUnnumbered(sheet, book.at(place), QuantityText(kKitchenItems[i].quantity, area));
}

void AppendBathroomItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book)
{
    if (!ValidLevel(level))
        return;
    const Text area = FloorAreaText(length, width);
    sheet.AppendHeaderRow("卫生间");
    const MaterialPlaces& places = Places();
    for (std::size_t i = 0; i < std::size(kBathroomItems); ++i)
        AppendUnnumbered(sheet, book.at(places.bathroom[i][static_cast<std::size_t>(level - 1)]),
                         QuantityText(kBathroomItems[i].quantity, area));
}

void AppendFloorBoardItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book)
{
    AppendFloorItem(sheet, Places().boards, length, width, level, book);
}

void AppendTileItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level, const PriceBook& book)
{
    AppendFloorItem(sheet, Places().tiles, length, width, level, book);
}

void AppendBalconyItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, const PriceBook& book)
{
    // Balcony glazing runs along the front and both sides.
    const double run = (static_cast<double>(length) + width + width) / 1000.0;
    AppendUnnumbered(sheet, book.at(Places().balcony), NumberToText(run));
}

void AppendFullPackageAdditions(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade,
                                FloorChoice floor, const PriceBook& book)
{
    const RoomDimensions d = ReadRoomDimensions(room);
    sheet.AppendBlankRow();
    const std::optional<Grade> found = FindGrade(grade);
    if (!found)
        return;
    const MaterialLevels& levels = kMaterialLevels[static_cast<int>(*found)];
    const std::string_view type = PricedRoomType(room.type());
    if (type == "厨房")
        AppendKitchenItems(sheet, d.length, d.width, levels.kitchen, book);
    else if (type == "卫生间")
        AppendBathroomItems(sheet, d.length, d.width, levels.bathroom, book);
    else if (type == "客厅" || type == "餐厅")
        (floor == FloorChoice::Boards ? AppendFloorBoardItem : AppendTileItem)(sheet, d.length, d.width,
                                                                               levels.livingAndDining, book);
    else if (type == "阳台")
        AppendBalconyItem(sheet, d.length, d.width, book);
}

}  // namespace rq
