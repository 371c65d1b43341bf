#include "compare/comparison.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>

#include "quote/engine.h"
#include "quote/whole_yuan.h"
#include "rooms/room_types.h"

namespace rq {
namespace {

// Sections whose items a full package adds begin so; their rows are the main materials.
constexpr std::string_view kMainMaterialSectionPrefix = "全包主材";

bool IsMainMaterialSection(std::string_view section) { return section.starts_with(kMainMaterialSectionPrefix); }

// The parts in the order the owner reads a quote: the labour sections as the book lists
// them, then the main materials, the fees and whatever no section names.
struct PartIndex {
    std::vector<Text> parts;
    std::map<Text, std::size_t, std::less<>> byItemName;
    std::size_t mainMaterials = 0;
    std::size_t fees = 0;
    std::size_t other = 0;

    explicit PartIndex(const PriceBook& book)
    {
        for (const PriceItem& item : book.items()) {
            if (item.IsFee() || IsMainMaterialSection(item.section))
                continue;
            auto found = std::find(parts.begin(), parts.end(), item.section);
            const std::size_t part = static_cast<std::size_t>(found - parts.begin());
            if (found == parts.end())
                parts.push_back(item.section);
            byItemName.emplace(item.name, part);
        }
        mainMaterials = parts.size();
        parts.emplace_back(kMainMaterialsPart);
        fees = parts.size();
        parts.emplace_back(kFeesPart);
        other = parts.size();
        parts.emplace_back(kOtherPart);
    }

    std::size_t partOfRow(const QuoteSheet& sheet, int row, bool afterProjectTotal) const
    {
        const RowKind kind = sheet.GetKind(row);
        if (kind == RowKind::Fee)
            return fees;
        if (afterProjectTotal)
            return mainMaterials;
        const auto found = byItemName.find(sheet.GetCell(row, kItemName));
        return found == byItemName.end() ? other : found->second;
    }
};

// Each part gets exactly what its rows add to the sheet's running total, whole yuan by whole
// yuan as the sheet adds them, so that the parts of an option add up to its total.
OptionTotal TotalOfSheet(const QuoteSheet& sheet, Package package, const PartIndex& index)
{
    OptionTotal option;
    option.parts.assign(index.parts.size(), 0);
    const RowKind totalKind = package == Package::Half ? RowKind::ProjectTotal : RowKind::FullPackageTotal;
    std::int32_t running = 0;
    bool afterProjectTotal = false;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const RowKind kind = sheet.GetKind(row);
        if (kind == totalKind)
            option.total = ToInteger(sheet.TotalValue(row).value_or(0));
        if (kind == RowKind::ProjectTotal)
            afterProjectTotal = true;
        const std::optional<double> value = sheet.TotalValue(row);
        if (!CountsInTotals(kind) || !value)
            continue;
        const std::int32_t next = AddToRunningTotal(running, *value);
        option.parts[index.partOfRow(sheet, row, afterProjectTotal)] += next - running;
        running = next;
    }
    return option;
}

}  // namespace

EstimateInputs DwellingOfRooms(const std::vector<RoomRecord>& rooms)
{
    static constexpr Text EstimateInputs::*kCountFields[]
        = {&EstimateInputs::bedrooms, &EstimateInputs::livingRooms, &EstimateInputs::kitchens,
           &EstimateInputs::bathrooms, &EstimateInputs::balconies};
    // 室 and 厅 as a flat is described: a study is one more 室, a dining room one more 厅.
    struct Count {
        std::string_view type;
        std::size_t field;  // in kCountFields
    };
    static constexpr Count kCounts[] = {{"卧室", 0}, {"书房", 0}, {"客厅", 1}, {"餐厅", 1},
                                        {"厨房", 2}, {"卫生间", 3}, {"阳台", 4}};
    std::int64_t counts[std::size(kCountFields)] = {};
    double squareMillimetres = 0;
    for (const RoomRecord& room : rooms) {
        const std::string_view type = PricedRoomType(room.type());
        for (const Count& count : kCounts) {
            if (count.type == type)
                ++counts[count.field];
        }
        const RoomDimensions size = ReadRoomDimensions(room);
        squareMillimetres += static_cast<double>(size.length) * static_cast<double>(size.width);
    }
    EstimateInputs dwelling;
    for (std::size_t field = 0; field < std::size(kCountFields); ++field)
        dwelling.*kCountFields[field] = std::to_string(counts[field]);
    // Sizes are typed in millimetres; the estimate reads square metres.
    dwelling.area = NumberToText(squareMillimetres / 1'000'000.0);
    return dwelling;
}

std::optional<Comparison> CompareOptions(const std::vector<RoomRecord>& rooms, FloorChoice floor,
                                         const PriceBook& book, const std::function<bool()>& stop)
{
    if (rooms.empty())
        return std::nullopt;
    const PartIndex index(book);
    Comparison comparison;
    comparison.floor = floor;
    comparison.parts = index.parts;
    for (int grade = 0; grade < kGradeCount; ++grade) {
        for (const Package package : kPackages) {
            if (stop && stop())
                return std::nullopt;
            std::optional<Text> outOfRange;
            const DetailedQuote quote = BuildDetailedQuote(rooms, kGradeNames[grade], floor, PackageTextOf(package),
                                                           outOfRange, book);
            OptionTotal& option = comparison.options[static_cast<std::size_t>(grade)][package == Package::Half ? 0 : 1];
            if (outOfRange)
                option.parts.assign(index.parts.size(), 0);
            else
                option = TotalOfSheet(quote.sheet, package, index);
        }
    }
    // A part no option has a row in is left out (其它 on a sheet built from the book alone).
    for (std::size_t part = comparison.parts.size(); part-- > 0;) {
        bool used = false;
        for (const auto& grade : comparison.options)
            for (const OptionTotal& option : grade)
                used = used || option.parts[part] != 0;
        if (used)
            continue;
        comparison.parts.erase(comparison.parts.begin() + static_cast<std::ptrdiff_t>(part));
        for (auto& grade : comparison.options)
            for (OptionTotal& option : grade)
                option.parts.erase(option.parts.begin() + static_cast<std::ptrdiff_t>(part));
    }

    comparison.dwelling = DwellingOfRooms(rooms);
    for (int grade = 0; grade < kGradeCount; ++grade) {
        EstimateInputs inputs = comparison.dwelling;
        inputs.grade = Text(kGradeNames[grade]);
        const EstimateCalculation estimate = CalculateQuickEstimate(inputs);
        if (estimate.refusal) {
            comparison.estimateRefusal = estimate.refusal;
            break;
        }
        const EstimateFigures& f = estimate.figures;
        const bool boards = floor == FloorChoice::Boards;
        comparison.estimates[static_cast<std::size_t>(grade)]
            = {boards ? f.halfFloor : f.halfTile, boards ? f.fullFloor : f.fullTile};
    }
    return comparison;
}

Text TotalText(const OptionTotal& option)
{
    return option.total ? std::to_string(*option.total) : Text(kCellOutOfRange);
}

Text DifferenceYuan(const OptionTotal& option, const OptionTotal& chosen)
{
    if (&option == &chosen || !option.total || !chosen.total)
        return {};
    const std::int64_t difference = *option.total - *chosen.total;
    return (difference > 0 ? "+" : "") + std::to_string(difference);
}

Text DifferencePercent(const OptionTotal& option, const OptionTotal& chosen)
{
    if (&option == &chosen || !option.total || !chosen.total || *chosen.total == 0)
        return {};
    const double difference = static_cast<double>(*option.total - *chosen.total);
    char text[32];
    std::snprintf(text, sizeof text, "%+.1f%%", 100.0 * difference / static_cast<double>(*chosen.total));
    return text;
}

Text DifferenceText(const OptionTotal& option, const OptionTotal& chosen)
{
    const Text yuan = DifferenceYuan(option, chosen);
    if (yuan.empty())
        return {};
    const Text percent = DifferencePercent(option, chosen);
    return yuan + " 元" + (percent.empty() ? "" : " (" + percent + ")");
}

Text ComparisonTsv(const Comparison& comparison)
{
    Text text = "装修类型\t半包 工程总造价\t全包 全包总价格\t快速估算 半包\t快速估算 全包\n";
    for (int grade = 0; grade < kGradeCount; ++grade) {
        text.append(kGradeNames[grade]);
        for (const Package package : kPackages)
            text.append("\t").append(TotalText(comparison.option(grade, package)));
        const EstimatePair& estimate = comparison.estimates[static_cast<std::size_t>(grade)];
        for (const float figure : {estimate.half, estimate.full})
            text.append("\t").append(comparison.estimateRefusal ? *comparison.estimateRefusal : SingleToText(figure));
        text.append("\n");
    }
    return text;
}

}  // namespace rq
