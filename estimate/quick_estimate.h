// The quick estimate: a whole dwelling priced from five room counts, the usable area and a
// decoration grade, as four prices with the calculation details, and the result window's text.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "convert/convert.h"
#include "quote/quote_choices.h"

namespace rq {

// The texts as typed into the main window's boxes; the grade is the grade box's text.
struct EstimateInputs {
    Text bedrooms;
    Text livingRooms;
    Text kitchens;
    Text bathrooms;
    Text balconies;
    Text area;
    Text grade;
    bool operator==(const EstimateInputs&) const = default;
};

// The boxes as a new main window shows them and the command line assumes them:
// 3 室 2 厅 1 厨 1 卫 1 阳台, 100 平方米, 舒适型装修.
inline EstimateInputs DefaultEstimateInputs()
{
    return { "3", "2", "1", "1", "1", "100", Text(kComfortGrade) };
}

// Refusals, shown in a message box by the window and on standard error by the command line.
inline constexpr std::string_view kNegativeRoomCount = "房间数量不能为负数！";
inline constexpr std::string_view kNoBedroomOrLivingRoom = "室和厅的数量不能都为0！";
inline constexpr std::string_view kAreaTooSmall = "实际面积太小，请检查面积和房间数量！";
// A price that no longer fits a number (areas or counts far beyond any dwelling).
inline constexpr std::string_view kEstimateOutOfRange = "面积或房间数量太大，无法估算！";

// The hint the result window always adds after the report.
inline constexpr std::string_view kEstimateClosingHint
    = "*如差别与心里的太大，请尝试用详细报价。如果您在汀湖，可以QQ客服在线咨询报价以及设计！";

// The four prices, each held in single precision as the company's price lists round them.
struct EstimateFigures {
    float halfFloor = 0; // living rooms floored with boards, labour and auxiliary materials
    float halfTile = 0; // living rooms tiled, half package
    float fullFloor = 0; // boards, full package with the main materials
    float fullTile = 0; // tiles, full package
};

// One run of the calculation. The lines carry no line breaks.
struct EstimateCalculation {
    std::optional<Text> refusal; // set when the inputs cannot be priced; nothing else is then
    std::optional<Grade> grade; // empty when the grade text is none of the five
    std::vector<Text> areaLines; // "厨房面积为：5平方米" ...
    std::vector<Text> itemLines; // "厨房瓷砖铺贴费用：511元" ..., fixed lines as they are
    std::vector<Text> closingLines; // the three lines after "下面是普地板或是地砖的，不可重复计算。"
    EstimateFigures figures;
};

// Reads the counts (bedrooms, living rooms, kitchens, bathrooms, balconies), then the area,
// then the grade, and prices the dwelling. Refuses, before any price is computed, negative
// counts, a dwelling without bedrooms and living rooms, and an area that leaves no room for
// them once kitchens, bathrooms and balconies are taken off.
EstimateCalculation CalculateQuickEstimate(const EstimateInputs& inputs);

struct EstimateResult {
    std::optional<Text> refusal; // one of the refusal texts above
    Text report; // the new report text; the previous one when refused or no grade matched
    bool matchedGrade = false; // a grade matched and the report was replaced
};

// One press of "估算报价": the report text replaces the previous one only when a grade matched.
EstimateResult RunQuickEstimate(const EstimateInputs& inputs, const Text& previousReport);

// The report text (summary, grade note, details) of a calculation that produced figures.
Text BuildEstimateReport(const EstimateCalculation& calculation);

// What the result window shows: the report, CR LF CR LF and the closing hint.
Text ResultWindowText(const Text& report);

} // namespace rq
