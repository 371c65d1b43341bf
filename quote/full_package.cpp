#include "quote/full_package.h"

#include <array>

namespace rq {

namespace {

// An empty quantity text stands for the floor area of the room.
constexpr std::string_view kFloorArea = "";

struct KitchenItem {
    int level;
    std::string_view name;
    std::string_view unit;
    std::string_view quantity;
    std::string_view price;
};

constexpr KitchenItem kKitchenItems[] = {
    {1, "厨柜制作", "M", "3", "520"},      {1, "人造石台面", "M", "3", "150"},
    {1, "厨柜五金", "项", "1", "350"},     {1, "洗菜盆及龙头", "套", "1", "580"},
    {1, "油烟机", "套", "1", "1200"},      {1, "灶台", "套", "1", "450"},

    {2, "厨柜制作", "M", "3", "520"},      {2, "吊柜制作", "M", "3", "320"},
    {2, "水晶石台面", "M", "3", "260"},    {2, "厨柜五金", "项", "1", "350"},
    {2, "洗菜盆及龙头", "套", "1", "580"}, {2, "油烟机", "套", "1", "1200"},
    {2, "灶台", "套", "1", "450"},         {2, "吸顶灯", "套", "1", "85"},
    {2, "墙面砖", "M2", kFloorArea, "28"}, {2, "地面砖", "M2", kFloorArea, "8"},
    {2, "燃气热水器", "套", "1", "1750"},  {2, "铝扣板吊顶", "M2", kFloorArea, "95"},

    {3, "厨柜制作", "M", "3", "520"},      {3, "吊柜制作", "M", "3", "320"},
    {3, "石英石", "M", "3", "480"},        {3, "厨柜五金", "项", "1", "580"},
    {3, "洗菜盆及龙头", "套", "1", "680"}, {3, "油烟机", "套", "1", "1500"},
    {3, "灶台", "套", "1", "600"},         {3, "吸顶灯", "套", "1", "160"},
    {3, "墙面砖", "M2", kFloorArea, "58"}, {3, "地面砖", "M2", kFloorArea, "28"},
    {3, "燃气热水器", "套", "1", "1800"},  {3, "铝扣板吊顶", "M2", kFloorArea, "95"},
};

// The bathroom has the same fittings at every level; only their prices rise.
struct BathroomItem {
    std::string_view name;
    std::string_view unit;
    std::string_view quantity;
    std::array<std::string_view, 3> prices;
};

constexpr BathroomItem kBathroomItems[] = {
    {"墙面砖", "M2", kFloorArea, {"49", "68", "78"}},
    {"地面砖", "M2", kFloorArea, {"49", "68", "78"}},
    {"铝扣板吊顶", "M2", kFloorArea, {"95", "95", "95"}},
    {"面盆", "套", "1", {"1300", "1500", "1800"}},
    {"地漏", "个", "2", {"25", "25", "25"}},
    {"淋浴", "套", "1", {"460", "680", "780"}},
    {"锁具", "套", "1", {"55", "55", "55"}},
    {"马桶", "套", "1", {"950", "1050", "1250"}},
    {"碳纤维灯", "套", "1", {"450", "450", "450"}},
};

struct FloorItem {
    std::string_view name;
    std::string_view price;
};

constexpr FloorItem kFloorBoards[] = {{"强化地板", "80"}, {"实木地板", "160"}, {"实木地板", "260"}};
constexpr FloorItem kFloorTiles[] = {{"瓷砖", "50"}, {"瓷砖", "120"}, {"瓷砖", "180"}};

// Material level per grade (in grade order) for each kind of room that has one.
struct MaterialLevels {
    int kitchen;
    int bathroom;
    int livingAndDining;
};

constexpr MaterialLevels kMaterialLevels[] = {
    {1, 1, 1}, {2, 2, 1}, {2, 2, 2}, {3, 3, 3}, {3, 3, 3},
};

constexpr int kLevelCount = 3;

bool ValidLevel(int level) { return level >= 1 && level <= kLevelCount; }

Text FloorAreaText(std::int32_t length, std::int32_t width)
{
    return NumberToText(static_cast<double>(length) * width / 1'000'000.0);
}

void AppendUnnumbered(QuoteSheet& sheet, std::string_view name, std::string_view unit, std::string_view quantity,
                      std::string_view price)
{
    sheet.AppendItemRow(name, unit, quantity, price, false, TotalForm::WholeYuan);
}

std::string_view QuantityText(std::string_view quantity, const Text& floorArea)
{
    return quantity == kFloorArea ? std::string_view(floorArea) : quantity;
}

void AppendFloorItem(QuoteSheet& sheet, const FloorItem (&items)[kLevelCount], std::int32_t length,
                     std::int32_t width, int level)
{
    if (!ValidLevel(level))
        return;
    const FloorItem& item = items[level - 1];
    AppendUnnumbered(sheet, item.name, "M2", FloorAreaText(length, width), item.price);
}

}  // namespace

void AppendKitchenItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level)
{
    if (!ValidLevel(level))
        return;
    const Text area = FloorAreaText(length, width);
    sheet.AppendHeaderRow("厨房");
    for (const KitchenItem& item : kKitchenItems)
        if (item.level == level)
            AppendUnnumbered(sheet, item.name, item.unit, QuantityText(item.quantity, area), item.price);
}

void AppendBathroomItems(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level)
{
    if (!ValidLevel(level))
        return;
    const Text area = FloorAreaText(length, width);
    sheet.AppendHeaderRow("卫生间");
    for (const BathroomItem& item : kBathroomItems)
        AppendUnnumbered(sheet, item.name, item.unit, QuantityText(item.quantity, area),
                         item.prices[static_cast<std::size_t>(level - 1)]);
}

void AppendFloorBoardItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level)
{
    AppendFloorItem(sheet, kFloorBoards, length, width, level);
}

void AppendTileItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width, int level)
{
    AppendFloorItem(sheet, kFloorTiles, length, width, level);
}

void AppendBalconyItem(QuoteSheet& sheet, std::int32_t length, std::int32_t width)
{
    // Balcony glazing runs along the front and both sides.
    const double run = (static_cast<double>(length) + width + width) / 1000.0;
    AppendUnnumbered(sheet, "封阳台", "M2", NumberToText(run), "170");
}

void AppendFullPackageAdditions(QuoteSheet& sheet, const RoomRecord& room, std::string_view grade,
                                FloorChoice floor)
{
    const RoomDimensions d = ReadRoomDimensions(room);
    sheet.AppendBlankRow();
    const std::optional<Grade> found = FindGrade(grade);
    if (!found)
        return;
    const MaterialLevels& levels = kMaterialLevels[static_cast<int>(*found)];
    const Text& type = room.type();
    if (type == "厨房")
        AppendKitchenItems(sheet, d.length, d.width, levels.kitchen);
    else if (type == "卫生间")
        AppendBathroomItems(sheet, d.length, d.width, levels.bathroom);
    else if (type == "客厅" || type == "餐厅")
        (floor == FloorChoice::Boards ? AppendFloorBoardItem : AppendTileItem)(sheet, d.length, d.width,
                                                                               levels.livingAndDining);
    else if (type == "阳台")
        AppendBalconyItem(sheet, d.length, d.width);
}

}  // namespace rq
