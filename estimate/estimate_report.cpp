// The report of a quick estimate: the four prices with the grade's note on what each
// package includes, then the calculation details, every line ended by CR LF.
#include <array>

#include "estimate/quick_estimate.h"

namespace rq {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

struct GradeReportText {
    Grade grade;
    std::string_view header;
    std::string_view firstPriceLabel;
    std::string_view halfPackageNote;
    std::string_view fullPackageNote;
};

constexpr std::array<GradeReportText, 5> kGradeReportTexts { {
    { Grade::Rental, "此面积的房子做为出租房装修价格如下：", "客餐厅铺地板半包装修的价格为：",
        "注：出租房子的半包装修包括：批腻子、乳胶漆、厨房卫生间阳台的瓷砖铺贴，卫生间防水，门套、包水管、门、人工费用、"
        "垃圾清理、材料搬运、设计费以及所有的辅材等。",
        "出租房子的全包装修包括：除去半包之外，还包括灯具、五金、橱柜、台面、油烟机、灶台、洗菜盆、马桶、淋浴、面盆、"
        "瓷砖、地板、踢脚线等。" },
    { Grade::Economy, "此面积的房子做为经济型装修价格如下：", "客餐厅铺地板半包装修的价格为：",
        "注：经济型装修的半包装修包括：批腻子、乳胶漆、厨房卫生间阳台的墙地铺贴、电视背景墙、鞋柜、卫生间防水，门套、"
        "包水管、门、门槛石、人工费用、垃圾清理、材料搬运、设计费以及所有的辅材等。",
        "经济型装修的全包装修包括：除去半包之外，还包括灯具、五金、橱柜、台面、油烟机、灶台、洗菜盆、马桶、淋浴、面盆、"
        "瓷砖、地板、踢脚线等。" },
    { Grade::Comfort, "此面积的房子做为舒适型装修价格如下：", "客餐厅铺地板舒适装修的价格为：",
        "注：舒适型装修的半包装修包括：批腻子、乳胶漆、厨房卫生间阳台的墙地铺贴、封阳台、客餐厅石膏板吊顶、玄关、"
        "电视背景墙、衣柜、鞋柜、卫生间防水，门套、包水管、门、门槛石、人工费用、垃圾清理、材料搬运、设计费以及所有的"
        "辅材等。",
        "舒适型装修的全包装修包括：除去半包之外，还包括灯具、五金、橱柜、台面、油烟机、灶台、洗菜盆、马桶、淋浴、面盆、"
        "瓷砖、地板、踢脚线等、衣柜移门。" },
    { Grade::Fine, "此面积的房子做为精装修价格如下：", "客餐厅铺地板舒适装修的价格为：",
        "注：精  装  修的半包装修包括：批腻子、乳胶漆、厨房卫生间阳台的墙地铺贴、封阳台、客餐厅石膏板吊顶、玄关、"
        "电视背景墙、衣柜、鞋柜、卫生间防水，门套、包水管、门、门槛石、人工费用、垃圾清理、材料搬运、设计费以及所有的"
        "辅材等。",
        "精  装  修的全包装修包括：除去半包之外，还包括灯具、五金、橱柜、台面、油烟机、灶台、洗菜盆、马桶、淋浴、面盆、"
        "瓷砖、地板、踢脚线等、衣柜移门。" },
    { Grade::Luxury, "此面积的房子做为豪华型装修价格如下：", "客餐厅铺地板舒适装修的价格为：",
        "注：豪华型装修的半包装修包括：批腻子、乳胶漆、厨房卫生间阳台的墙地铺贴、封阳台、客餐厅石膏板艺术吊顶、玄关、"
        "衣柜、鞋柜、卫生间防水，双门套、包水管、门、门槛石、电视背景墙、人工费用、垃圾清理、材料搬运、设计费以及所有的"
        "辅材等。",
        "豪华型装修的全包装修包括：除去半包之外，还包括灯具、五金、橱柜、台面、油烟机、灶台、洗菜盆、马桶、淋浴、面盆、"
        "瓷砖、壁纸、地板、踢脚线等、衣柜移门。" },
} };

constexpr std::string_view kWaterAndPowerNote = "*水电改造按实际发生量计算！";
constexpr std::string_view kDetailsTitle = "             计算详情"; // 13 blanks centre it under the stars
constexpr std::string_view kOneOrTheOther = "下面是普地板或是地砖的，不可重复计算。";

const GradeReportText& ReportTextOf(Grade grade)
{
    for (const GradeReportText& text : kGradeReportTexts) {
        if (text.grade == grade)
            return text;
    }
    return kGradeReportTexts.front();
}

void AppendLines(Text& text, const std::vector<Text>& lines)
{
    for (const Text& line : lines) {
        text += line;
        text += kLineBreak;
    }
}

Text DetailText(const EstimateCalculation& calc)
{
    const Text stars(38, '*');
    Text text;
    text.append(kLineBreak).append(kLineBreak);
    text.append(stars).append(kLineBreak);
    text.append(kDetailsTitle).append(kLineBreak);
    text.append(stars).append(kLineBreak);
    AppendLines(text, calc.areaLines);
    text.append(kLineBreak);
    AppendLines(text, calc.itemLines);
    text.append(kLineBreak).append(kOneOrTheOther).append(kLineBreak);
    AppendLines(text, calc.closingLines);
    return text;
}

} // namespace

Text BuildEstimateReport(const EstimateCalculation& calc)
{
    if (calc.refusal || !calc.grade)
        return {};
    const GradeReportText& grade = ReportTextOf(*calc.grade);
    const EstimateFigures& f = calc.figures;
    Text report;
    report.append(grade.header).append(kLineBreak).append(kLineBreak);
    report.append(grade.firstPriceLabel).append(SingleToText(f.halfFloor)).append("元").append(kLineBreak);
    report.append("客餐厅铺瓷砖半包装修的价格为：").append(SingleToText(f.halfTile)).append("元");
    report.append(kLineBreak).append(kLineBreak);
    report.append("客餐厅铺地板全包装修的价格为：").append(SingleToText(f.fullFloor)).append("元").append(kLineBreak);
    report.append("客餐厅铺瓷砖全包装修的价格为：").append(SingleToText(f.fullTile)).append("元");
    report.append(kLineBreak).append(kLineBreak);
    report.append(grade.halfPackageNote).append(kLineBreak);
    report.append(grade.fullPackageNote).append(kLineBreak);
    report.append(kWaterAndPowerNote);
    report.append(DetailText(calc));
    return report;
}

EstimateResult RunQuickEstimate(const EstimateInputs& inputs, const Text& previousReport)
{
    const EstimateCalculation calc = CalculateQuickEstimate(inputs);
    if (calc.refusal)
        return { calc.refusal, previousReport, false };
    if (!calc.grade)
        return { std::nullopt, previousReport, false };
    return { std::nullopt, BuildEstimateReport(calc), true };
}

Text ResultWindowText(const Text& report)
{
    Text text = report;
    text.append(kLineBreak).append(kLineBreak).append(kEstimateClosingHint);
    return text;
}

} // namespace rq
