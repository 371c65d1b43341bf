#include "document/comparison_document.h"

namespace rq {
namespace {

constexpr std::string_view kFloorNames[] = {"地板", "瓷砖"};

Text RowLabel(Package package)
{
    return Text(PackageTextOf(package)) + (package == Package::Half ? " 工程总造价" : " 全包总价格");
}

// A spreadsheet reads "-4847" as a figure and "+2348" as a text: on paper and in files a
// difference is written as a plain signed figure, so that every one of them adds up.
Text AsFigure(Text difference)
{
    if (difference.starts_with('+'))
        difference.erase(0, 1);
    return difference;
}

Text DwellingText(const EstimateInputs& dwelling)
{
    return dwelling.bedrooms + "室" + dwelling.livingRooms + "厅" + dwelling.kitchens + "厨" + dwelling.bathrooms +
           "卫" + dwelling.balconies + "阳台，" + dwelling.area + "平方米";
}

}  // namespace

DocumentChart ComparisonChart(const Comparison& comparison)
{
    DocumentChart chart;
    chart.title = "各方案总价";
    chart.valueAxis = "元";
    chart.categories.assign(std::begin(kGradeNames), std::end(kGradeNames));
    for (const Package package : kPackages) {
        ChartSeries& series = chart.series.emplace_back();
        series.name = Text(PackageTextOf(package));
        for (int grade = 0; grade < kGradeCount; ++grade) {
            const OptionTotal& option = comparison.option(grade, package);
            series.values.push_back(option.total ? std::optional<double>(static_cast<double>(*option.total))
                                                 : std::nullopt);
        }
    }
    if (!comparison.estimateRefusal) {
        for (const Package package : kPackages) {
            ChartSeries& series = chart.series.emplace_back();
            series.name = "快速估算" + Text(PackageTextOf(package));
            for (const EstimatePair& estimate : comparison.estimates)
                series.values.emplace_back(package == Package::Half ? estimate.half : estimate.full);
        }
    }
    return chart;
}

QuoteDocument ComparisonDocument(const Comparison& comparison, int chosenGrade, Package chosenPackage,
                                 std::string_view priceBookName, Text date)
{
    QuoteDocument document;
    document.title = Text(kComparisonTitle);
    document.companyLines = CompanyLines();
    document.date = std::move(date);
    const OptionTotal& chosen = comparison.option(chosenGrade, chosenPackage);
    document.details = {
        {"所选方案：", Text(kGradeNames[chosenGrade]) + " " + Text(PackageTextOf(chosenPackage))},
        {"客餐厅铺：", Text(kFloorNames[comparison.floor == FloorChoice::Boards ? 0 : 1])},
        {"房屋：", DwellingText(comparison.dwelling)},
        {"价格表：", Text(priceBookName)},
    };
    document.columnHeads.emplace_back("");
    document.columnHeads.insert(document.columnHeads.end(), std::begin(kGradeNames), std::end(kGradeNames));
    document.figureColumns.assign(document.columnHeads.size(), true);
    document.figureColumns.front() = false;
    document.columnWeights = {24, 15, 15, 15, 15, 15};

    const auto addRow = [&](Text label, RowEmphasis emphasis, auto cellOfGrade) {
        DocumentRow& row = document.rows.emplace_back();
        row.cells.push_back(std::move(label));
        for (int grade = 0; grade < kGradeCount; ++grade)
            row.cells.push_back(cellOfGrade(grade));
        row.emphasis = emphasis;
    };
    for (const Package package : kPackages) {
        addRow(RowLabel(package), RowEmphasis::Total,
               [&](int grade) { return TotalText(comparison.option(grade, package)); });
        // Yuan and per cent on rows of their own: each a figure a spreadsheet can reckon with.
        addRow("与所选方案相差(元)", RowEmphasis::Plain, [&](int grade) {
            const OptionTotal& option = comparison.option(grade, package);
            return &option == &chosen ? Text("所选方案") : AsFigure(DifferenceYuan(option, chosen));
        });
        addRow("与所选方案相差(%)", RowEmphasis::Plain,
               [&](int grade) { return AsFigure(DifferencePercent(comparison.option(grade, package), chosen)); });
    }
    for (const Package package : kPackages) {
        addRow("快速估算 " + Text(PackageTextOf(package)), RowEmphasis::Plain, [&](int grade) {
            const EstimatePair& estimate = comparison.estimates[static_cast<std::size_t>(grade)];
            return comparison.estimateRefusal ? *comparison.estimateRefusal
                                              : SingleToText(package == Package::Half ? estimate.half : estimate.full);
        });
    }
    for (const Package package : kPackages) {
        document.rows.push_back({{}, RowEmphasis::Plain});
        document.rows.push_back({{Text(PackageTextOf(package)) + "各部分金额"}, RowEmphasis::Heading});
        for (std::size_t part = 0; part < comparison.parts.size(); ++part) {
            if (package == Package::Half && comparison.parts[part] == kMainMaterialsPart)
                continue;  // a half package buys no main materials
            addRow(comparison.parts[part], RowEmphasis::Plain, [&](int grade) {
                const OptionTotal& option = comparison.option(grade, package);
                return option.total ? std::to_string(option.parts[part]) : Text(kCellOutOfRange);
            });
        }
    }
    document.chart = ComparisonChart(comparison);
    return document;
}

}  // namespace rq
