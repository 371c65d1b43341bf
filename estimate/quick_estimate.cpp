#include "estimate/quick_estimate.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>

namespace rq {
namespace {

// Whole-yuan amounts the company quotes as exact sums are written in the long form; areas
// and computed amounts in the short form of six digits.
enum class Form { Short, Long };

// The full-package additions; each grade lists them in the order its price sheet does.
enum class FullItem { BathroomMaterials, KitchenMaterials, Lamps, ThresholdStones, SlidingDoors, Hardware };

struct GradeRates {
    Grade grade;
    std::string_view name;
    double ceilingPerLivingRoom; // plasterboard ceiling, added without a line; 0 when not offered
    double tvWall;
    std::string_view tvWallLine;
    double shoeCabinet;
    std::string_view shoeCabinetLine;
    double entrance; // 0 when not offered
    std::string_view entranceLine;
    double wardrobePerBedroom;
    double balconySealing; // per metre of balcony side; 0 when balconies stay open
    double doorPerDoor;
    bool doorsAfterFees; // luxury doors are supplied items: no transport or management fee on them
    double bathroomMaterials;
    double kitchenMaterials;
    double lampsPerRoom;
    double hardwarePerRoom;
    double boardsPerSquareMetre;
    double floorTilesPerSquareMetre;
    // The three allowances per room of the tiled full package (lamps or hardware, by grade).
    double firstExtra;
    double secondExtra;
    double thirdExtra;
    std::string_view secondSlidingDoorLabel; // empty when the grade has no sliding wardrobe doors
    Form halfThresholdForm;
    Form pipeBoxingForm;
    Form secondSlidingDoorForm;
    std::array<FullItem, 6> fullOrder;
    std::size_t fullCount;
};

using enum FullItem;

constexpr std::array<GradeRates, 4> kGradeRates { {
    {
        .grade = Grade::Economy,
        .name = kEconomyGrade,
        .ceilingPerLivingRoom = 0,
        .tvWall = 800,
        .tvWallLine = "电视背景墙：800元",
        .shoeCabinet = 550,
        .shoeCabinetLine = "鞋柜:550",
        .entrance = 0,
        .entranceLine = "",
        .wardrobePerBedroom = 2500,
        .balconySealing = 0,
        .doorPerDoor = 580,
        .doorsAfterFees = false,
        .bathroomMaterials = 3500,
        .kitchenMaterials = 6000,
        .lampsPerRoom = 150,
        .hardwarePerRoom = 200,
        .boardsPerSquareMetre = 60,
        .floorTilesPerSquareMetre = 50,
        .firstExtra = 200,
        .secondExtra = 200,
        .thirdExtra = 150,
        .secondSlidingDoorLabel = "",
        .halfThresholdForm = Form::Short,
        .pipeBoxingForm = Form::Short,
        .secondSlidingDoorForm = Form::Short,
        .fullOrder = { BathroomMaterials, KitchenMaterials, Lamps, ThresholdStones, Hardware },
        .fullCount = 5,
    },
    {
        .grade = Grade::Comfort,
        .name = kComfortGrade,
        .ceilingPerLivingRoom = 800,
        .tvWall = 800,
        .tvWallLine = "电视背景墙：800元",
        .shoeCabinet = 650,
        .shoeCabinetLine = "鞋柜:650",
        .entrance = 1500,
        .entranceLine = "玄关制作:1500元",
        .wardrobePerBedroom = 3000,
        .balconySealing = 1275,
        .doorPerDoor = 580,
        .doorsAfterFees = false,
        .bathroomMaterials = 5500,
        .kitchenMaterials = 7000,
        .lampsPerRoom = 200,
        .hardwarePerRoom = 300,
        .boardsPerSquareMetre = 200,
        .floorTilesPerSquareMetre = 60,
        .firstExtra = 300,
        .secondExtra = 200,
        .thirdExtra = 300,
        .secondSlidingDoorLabel = " 衣柜移门：",
        .halfThresholdForm = Form::Long,
        .pipeBoxingForm = Form::Short,
        .secondSlidingDoorForm = Form::Long,
        .fullOrder = { BathroomMaterials, KitchenMaterials, Lamps, ThresholdStones, SlidingDoors, Hardware },
        .fullCount = 6,
    },
    {
        .grade = Grade::Fine,
        .name = kFineGrade,
        .ceilingPerLivingRoom = 1200,
        .tvWall = 1300,
        .tvWallLine = "电视背景墙：1300元",
        .shoeCabinet = 850,
        .shoeCabinetLine = "鞋柜:850",
        .entrance = 2000,
        .entranceLine = "玄关制作:2000元",
        .wardrobePerBedroom = 3500,
        .balconySealing = 1575,
        .doorPerDoor = 880,
        .doorsAfterFees = false,
        .bathroomMaterials = 7000,
        .kitchenMaterials = 9000,
        .lampsPerRoom = 300,
        .hardwarePerRoom = 350,
        .boardsPerSquareMetre = 280,
        .floorTilesPerSquareMetre = 90,
        .firstExtra = 300,
        .secondExtra = 350,
        .thirdExtra = 350,
        .secondSlidingDoorLabel = "衣柜移门：",
        .halfThresholdForm = Form::Long,
        .pipeBoxingForm = Form::Short,
        .secondSlidingDoorForm = Form::Long,
        .fullOrder = { BathroomMaterials, KitchenMaterials, SlidingDoors, Lamps, ThresholdStones, Hardware },
        .fullCount = 6,
    },
    {
        .grade = Grade::Luxury,
        .name = kLuxuryGrade,
        .ceilingPerLivingRoom = 1800,
        .tvWall = 1800,
        .tvWallLine = "电视背景墙：1800元",
        .shoeCabinet = 1000,
        .shoeCabinetLine = "鞋柜:1000",
        .entrance = 3000,
        .entranceLine = "玄关制作:3000元",
        .wardrobePerBedroom = 4000,
        .balconySealing = 1575,
        .doorPerDoor = 880,
        .doorsAfterFees = true,
        .bathroomMaterials = 9000,
        .kitchenMaterials = 12000,
        .lampsPerRoom = 500,
        .hardwarePerRoom = 600,
        .boardsPerSquareMetre = 280,
        .floorTilesPerSquareMetre = 80,
        .firstExtra = 500,
        .secondExtra = 500,
        .thirdExtra = 600,
        .secondSlidingDoorLabel = "衣柜移门：",
        .halfThresholdForm = Form::Long,
        .pipeBoxingForm = Form::Long,
        .secondSlidingDoorForm = Form::Short,
        .fullOrder = { BathroomMaterials, KitchenMaterials, SlidingDoors, Lamps, ThresholdStones, Hardware },
        .fullCount = 6,
    },
} };

// A bathroom or a balcony is as long as the dwelling's side and this deep, in metres per
// metre of side; a kitchen is half as deep.
constexpr double kBathroomAndBalconyDepth = 0.7;

// Rates shared by every grade.
constexpr double kTilingPerSquareMetre = 35; // balcony floors, and living rooms in the tile variants
constexpr double kWetRoomTilingPerSquareMetre = 102.2; // kitchen and bathroom walls and floors
constexpr double kThresholdPerDoor = 35; // the half package's threshold stones
constexpr double kPipeBoxingPerSide = 142.5; // each kitchen boxes its pipes on two sides
constexpr double kWaterproofingPerSquareMetre = 55;
constexpr double kWaterproofingPerMetre = 396; // walls of the wet room, up to shower height
constexpr double kPaintPerSquareMetre = 23;
constexpr double kLivingWallsPerMetre = 8.76; // three walls of 2.92 m: one side is open to the hall
constexpr double kBedroomWallsPerMetre = 11.68; // four walls of 2.92 m
constexpr double kSlidingDoorPerBedroom = 400;
constexpr double kFullThresholdPerDoor = 75;
constexpr double kTransportAndRubbish = 1.01;
constexpr double kManagement = 1.08;

// The rental grade: plain tiling and paint, a basic door, the cheapest main materials.
struct RentalRates {
    double tiling = 35;
    double kitchenPaintPerMetre = 268.64; // four walls painted at 23 per square metre
    double bathroomWallTilesPerMetre = 252;
    double bathroomPaintPerMetre = 4.8;
    double doorPerDoor = 480;
    double bathroomMaterials = 1700;
    double kitchenMaterials = 4000;
    double lampsPerRoom = 80;
    double hardwarePerRoom = 150;
    double boardsPerSquareMetre = 48;
    double floorTilesPerSquareMetre = 36;
};
constexpr RentalRates kRental;

// Every running figure is kept in single precision, rounded after each addition.
void AddTo(float& figure, double amount)
{
    figure = ToSingle(static_cast<double>(figure) + amount);
}

Text Amount(double amount, Form form)
{
    return form == Form::Long ? NumberToText(amount) : NumberToShortText(amount);
}

// Counts are held in 64 bits so that sums of counts never overflow. A count typed beyond
// the whole numbers of the count boxes (2147483648, 1e309) is not wrapped round to a
// negative or a small one: it is refused as too large.
constexpr double kLargestCount = 2147483647.0;

std::optional<std::int64_t> ReadCount(const Text& text)
{
    const double count = std::trunc(TextToNumber(text));
    if (!(count <= kLargestCount))
        return std::nullopt;
    return static_cast<std::int64_t>(std::max(count, -kLargestCount - 1));
}

// The dwelling after the area block: everything the grade blocks price from.
struct Dwelling {
    std::int64_t bedrooms, livingRooms, kitchens, bathrooms, balconies;
    std::int64_t lampRooms; // rooms that get lamps and hardware: all but balconies
    std::int64_t doors; // kitchens, bathrooms and bedrooms, each with a threshold stone
    float kitchenArea = 0, bathroomArea = 0, balconyArea = 0;
    float roomArea = 0; // one bedroom (and one living room)
    float livingArea = 0; // one living room as priced; 0 without living rooms
};

class Pricing {
public:
    explicit Pricing(EstimateCalculation& calculation)
        : m_calc(calculation)
    {
    }

    void Half(std::string_view label, double amount, Form form = Form::Short)
    {
        AddTo(m_half, amount);
        Line(label, amount, form);
    }
    void HalfWithoutLine(double amount) { AddTo(m_half, amount); }
    void HalfFixed(double amount, std::string_view line)
    {
        AddTo(m_half, amount);
        m_calc.itemLines.emplace_back(line);
    }
    // Transport, rubbish and management raise the running figure; their lines show the share
    // of the raised figure, as the company's sheets print them.
    void Fee(std::string_view label, double factor)
    {
        m_half = ToSingle(static_cast<double>(m_half) * factor);
        Line(label, static_cast<double>(m_half) * (factor - 1), Form::Short);
    }
    void StartFull() { m_full = m_half; }
    void Full(std::string_view label, double amount, Form form)
    {
        AddTo(m_full, amount);
        Line(label, amount, form);
    }
    void Line(std::string_view label, double amount, Form form)
    {
        m_finite = m_finite && std::isfinite(amount);
        m_calc.itemLines.push_back(Text(label) + Amount(amount, form) + "元");
    }
    void Closing(std::string_view label, double amount)
    {
        m_finite = m_finite && std::isfinite(amount);
        m_calc.closingLines.push_back(Text(label) + NumberToShortText(amount) + "元");
    }

    float half() const { return m_half; }
    float full() const { return m_full; }
    bool finite() const { return m_finite; }

private:
    EstimateCalculation& m_calc;
    float m_half = 0;
    float m_full = 0;
    bool m_finite = true;
};

double Root(float area)
{
    return SquareRoot(static_cast<double>(area));
}

void PriceRental(const Dwelling& d, EstimateCalculation& calc, Pricing& p)
{
    p.Half("厨房瓷砖铺贴费用：", d.kitchenArea * kRental.tiling);
    p.Half("厨房乳胶漆费用：", Root(d.kitchenArea) * kRental.kitchenPaintPerMetre);
    p.Half("卫生间瓷砖铺贴费用：", d.bathroomArea * kRental.tiling);
    p.Half("卫生墙砖铺贴费用：", Root(d.bathroomArea) * kRental.bathroomWallTilesPerMetre);
    p.Half("卫生乳胶漆费用：",
        Root(d.bathroomArea) * kRental.bathroomPaintPerMetre + d.bathroomArea * kPaintPerSquareMetre);
    p.Half("阳台铺砖漆费用：", d.balconyArea * kRental.tiling);
    p.Half(
        "卫生间防水：", d.bathroomArea * kWaterproofingPerSquareMetre + Root(d.bathroomArea) * kWaterproofingPerMetre);
    p.Half("厨房卫生间包水管：", static_cast<double>(d.kitchens + d.kitchens) * kPipeBoxingPerSide);
    if (d.livingRooms != 0)
        p.Half("算客厅乳胶漆：", (d.livingArea + Root(d.livingArea) * kLivingWallsPerMetre) * kPaintPerSquareMetre);
    if (d.bedrooms != 0)
        p.Half("算卧室乳胶漆：", (d.roomArea + Root(d.roomArea) * kBedroomWallsPerMetre) * kPaintPerSquareMetre);
    p.Half("算门：", static_cast<double>(d.doors) * kRental.doorPerDoor);
    p.Fee("算材料搬运、垃圾清理：", kTransportAndRubbish);
    p.Fee("工程管理费：", kManagement);

    p.StartFull();
    p.Full("卫生间主材：", static_cast<double>(d.bathrooms) * kRental.bathroomMaterials, Form::Long);
    p.Full("厨房主材：", static_cast<double>(d.kitchens) * kRental.kitchenMaterials, Form::Long);
    p.Full("算灯：", static_cast<double>(d.lampRooms) * kRental.lampsPerRoom, Form::Long);
    p.Full("五金：", static_cast<double>(d.lampRooms) * kRental.hardwarePerRoom, Form::Long);

    const double living = d.livingArea;
    const double tiledExtras = living * kRental.floorTilesPerSquareMetre
        + static_cast<double>(d.kitchens) * kRental.kitchenMaterials
        + static_cast<double>(d.bathrooms) * kRental.bathroomMaterials
        + static_cast<double>(d.lampRooms) * kRental.hardwarePerRoom;
    EstimateFigures& f = calc.figures;
    f.halfFloor = p.half();
    f.halfTile = ToSingle(p.half() + living * kTilingPerSquareMetre);
    f.fullFloor = ToSingle(p.full() + living * kRental.boardsPerSquareMetre);
    f.fullTile = ToSingle(f.halfTile + tiledExtras);
    AddTo(f.fullTile, static_cast<double>(d.lampRooms) * kRental.lampsPerRoom);

    p.Closing("客餐厅铺砖半包：", living * kTilingPerSquareMetre);
    p.Closing("客餐厅铺地板全包：", living * kRental.boardsPerSquareMetre);
    p.Closing("客餐厅铺砖全包的五金、厨房、地砖、卫生间：", tiledExtras);
}

void PriceGrade(const GradeRates& g, const Dwelling& d, EstimateCalculation& calc, Pricing& p)
{
    const auto count = [](std::int64_t n) { return static_cast<double>(n); };
    p.Half("厨房瓷砖铺贴费用：", d.kitchenArea * kWetRoomTilingPerSquareMetre);
    p.Half("卫生间瓷砖铺贴费用：", d.bathroomArea * kWetRoomTilingPerSquareMetre);
    p.Half("阳台铺砖：", d.balconyArea * kTilingPerSquareMetre);
    p.Half(
        "卫生间防水：", d.bathroomArea * kWaterproofingPerSquareMetre + Root(d.bathroomArea) * kWaterproofingPerMetre);
    p.Half("厨房卫生间包水管：", count(d.kitchens + d.kitchens) * kPipeBoxingPerSide, g.pipeBoxingForm);
    p.Half("算门槛石：", count(d.doors) * kThresholdPerDoor, g.halfThresholdForm);
    if (d.livingRooms != 0) {
        if (g.ceilingPerLivingRoom != 0)
            p.HalfWithoutLine(count(d.livingRooms) * g.ceilingPerLivingRoom);
        p.Half("客厅乳胶漆：", (d.livingArea + Root(d.livingArea) * kLivingWallsPerMetre) * kPaintPerSquareMetre);
        p.HalfFixed(g.tvWall, g.tvWallLine);
        p.HalfFixed(g.shoeCabinet, g.shoeCabinetLine);
        if (g.entrance != 0)
            p.HalfFixed(g.entrance, g.entranceLine);
    }
    if (d.bedrooms != 0) {
        p.Half("卧室乳胶漆：", (d.roomArea + Root(d.roomArea) * kBedroomWallsPerMetre) * kPaintPerSquareMetre);
        p.Half("衣柜：", count(d.bedrooms) * g.wardrobePerBedroom, Form::Long);
    }
    if (d.balconies != 0 && g.balconySealing != 0)
        p.Half("封阳台：", Root(d.balconyArea) * g.balconySealing);
    if (!g.doorsAfterFees)
        p.HalfWithoutLine(count(d.doors) * g.doorPerDoor);
    p.Fee("算材料搬运、垃圾清理：", kTransportAndRubbish);
    p.Fee("工程管理费：", kManagement);
    if (g.doorsAfterFees)
        p.HalfWithoutLine(count(d.doors) * g.doorPerDoor);

    p.StartFull();
    for (std::size_t i = 0; i < g.fullCount; ++i) {
        switch (g.fullOrder[i]) {
        case BathroomMaterials:
            p.Full("算卫生间主材：", count(d.bathrooms) * g.bathroomMaterials, Form::Long);
            break;
        case KitchenMaterials:
            p.Full("算厨房主材：", count(d.kitchens) * g.kitchenMaterials, Form::Long);
            break;
        case Lamps:
            p.Full("算灯：", count(d.lampRooms) * g.lampsPerRoom, Form::Long);
            break;
        case ThresholdStones:
            p.Full("算门槛石：", count(d.doors) * kFullThresholdPerDoor, Form::Long);
            break;
        case SlidingDoors:
            p.Full("衣柜移门：", count(d.bedrooms) * kSlidingDoorPerBedroom, Form::Long);
            break;
        case Hardware:
            p.Full("五金：", count(d.lampRooms) * g.hardwarePerRoom, Form::Long);
            break;
        }
    }

    const double living = d.livingArea;
    const double tiledExtras = living * g.floorTilesPerSquareMetre + count(d.kitchens) * g.kitchenMaterials
        + count(d.bathrooms) * g.bathroomMaterials + count(d.lampRooms) * g.firstExtra;
    EstimateFigures& f = calc.figures;
    f.halfFloor = p.half();
    f.halfTile = ToSingle(p.half() + living * kTilingPerSquareMetre);
    f.fullFloor = ToSingle(p.full() + living * g.boardsPerSquareMetre);
    f.fullTile = ToSingle(f.halfTile + tiledExtras);
    AddTo(f.fullTile, count(d.doors) * kFullThresholdPerDoor);
    AddTo(f.fullTile, count(d.lampRooms) * g.secondExtra);
    AddTo(f.fullTile, count(d.lampRooms) * g.thirdExtra);
    if (!g.secondSlidingDoorLabel.empty()) {
        // The tiled full package also fits the sliding wardrobe doors, shown once more.
        const double slidingDoors = count(d.bedrooms) * kSlidingDoorPerBedroom;
        AddTo(f.fullTile, slidingDoors);
        p.Line(g.secondSlidingDoorLabel, slidingDoors, g.secondSlidingDoorForm);
    }

    p.Closing("客餐厅铺砖半包：", living * kTilingPerSquareMetre);
    p.Closing("客餐厅铺地板全包：", living * g.boardsPerSquareMetre);
    p.Closing("客餐厅铺砖全包的五金、厨房、地砖、卫生间：", tiledExtras);
}

void AreaLine(EstimateCalculation& calc, std::string_view label, double area)
{
    calc.areaLines.push_back(Text(label) + NumberToShortText(area) + "平方米");
}

EstimateCalculation Refused(std::string_view message)
{
    EstimateCalculation calc;
    calc.refusal = Text(message);
    return calc;
}

// An area typed as infinity ("inf", "Infinity", "+ＩＮＦ", blanks around) reads as 0, like any
// word; but whoever types it means an area past all measure, which is too large to estimate,
// not too small.
bool NamesInfinity(std::string_view area)
{
    Text folded = FoldFullWidthForms(area);
    std::string_view text = folded;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    Text word(text);
    std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word == "inf" || word == "infinity";
}

bool FiguresFinite(const EstimateFigures& f)
{
    return std::isfinite(f.halfFloor) && std::isfinite(f.halfTile) && std::isfinite(f.fullFloor)
        && std::isfinite(f.fullTile);
}

} // namespace

EstimateCalculation CalculateQuickEstimate(const EstimateInputs& inputs)
{
    const std::optional<std::int64_t> counts[] = { ReadCount(inputs.bedrooms), ReadCount(inputs.livingRooms),
        ReadCount(inputs.kitchens), ReadCount(inputs.bathrooms), ReadCount(inputs.balconies) };
    const float area = ToSingle(TextToNumber(inputs.area));

    for (const std::optional<std::int64_t>& count : counts) {
        if (count && *count < 0)
            return Refused(kNegativeRoomCount);
    }
    for (const std::optional<std::int64_t>& count : counts) {
        if (!count)
            return Refused(kEstimateOutOfRange);
    }
    Dwelling d {};
    d.bedrooms = *counts[0];
    d.livingRooms = *counts[1];
    d.kitchens = *counts[2];
    d.bathrooms = *counts[3];
    d.balconies = *counts[4];
    if (d.bedrooms + d.livingRooms == 0)
        return Refused(kNoBedroomOrLivingRoom);
    // An area past the largest single (1e309, 3.5e38, ten thousand digits) is too large,
    // not too small: without this it would leave no finite room for the bedrooms.
    if (!std::isfinite(area) || NamesInfinity(inputs.area))
        return Refused(kEstimateOutOfRange);

    // Each room is priced as a square: the side of the whole dwelling sets the size of the
    // kitchens, bathrooms and balconies, and what is left is shared by the other rooms.
    const double side = Root(area);
    if (d.kitchens != 0)
        d.kitchenArea = ToSingle(side * static_cast<double>(d.kitchens) / 2);
    if (d.bathrooms != 0)
        d.bathroomArea = ToSingle(side * static_cast<double>(d.bathrooms) * kBathroomAndBalconyDepth);
    if (d.balconies != 0)
        d.balconyArea = ToSingle(side * static_cast<double>(d.balconies) * kBathroomAndBalconyDepth);
    const float rest = ToSingle(static_cast<double>(area) - d.bathroomArea - d.kitchenArea - d.balconyArea);
    if (!(std::isfinite(rest) && rest > 0))
        return Refused(kAreaTooSmall);

    EstimateCalculation calc;
    const double rooms = static_cast<double>(d.bedrooms + d.livingRooms);
    d.roomArea = ToSingle(rest / rooms);
    if (d.livingRooms != 0)
        d.livingArea = ToSingle((rest - static_cast<double>(d.roomArea) * static_cast<double>(d.bedrooms))
            / static_cast<double>(d.livingRooms));
    d.lampRooms = d.bedrooms + d.livingRooms + d.kitchens + d.bathrooms;
    d.doors = d.bathrooms + d.kitchens + d.bedrooms;

    // The displayed kitchen, bathroom and balcony areas count the rooms once more, as the
    // company's estimate sheet always has.
    if (d.kitchens != 0)
        AreaLine(calc, "厨房面积为：", d.kitchenArea * static_cast<double>(d.kitchens));
    if (d.bathrooms != 0)
        AreaLine(calc, "卫浴面积为：", d.bathroomArea * static_cast<double>(d.bathrooms));
    if (d.balconies != 0)
        AreaLine(calc, "阳台面积为：", d.balconyArea * static_cast<double>(d.balconies));
    AreaLine(calc, "卧室面积为：", d.roomArea * static_cast<double>(d.bedrooms));
    if (d.livingRooms != 0)
        AreaLine(calc, "客餐厅面积为：", d.livingArea * static_cast<double>(d.livingRooms));

    Pricing pricing(calc);
    if (inputs.grade == kRentalGrade) {
        calc.grade = Grade::Rental;
        PriceRental(d, calc, pricing);
    }
    for (const GradeRates& rates : kGradeRates) {
        if (inputs.grade == rates.name) {
            calc.grade = rates.grade;
            PriceGrade(rates, d, calc, pricing);
        }
    }
    // Only areas and counts far beyond any dwelling get here (a living room of a negative
    // sliver, or prices past the largest single): refuse rather than print "inf" yuan.
    if (calc.grade && !(pricing.finite() && FiguresFinite(calc.figures)))
        return Refused(kEstimateOutOfRange);
    return calc;
}

} // namespace rq
