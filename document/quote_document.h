// What a printed or exported quote says, whatever it is printed or written as: the title,
// the company's lines, the quote details and the date on top, then a table — the quote
// sheet as it stands, or the quick estimate's report one line a row. The PDF, the
// print-out, the spreadsheets and the clipboard all render this one model.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "document/quote_details.h"
#include "quote/quote_sheet.h"

namespace rq {

inline constexpr std::string_view kEstimateDocumentTitle = "快速预算报价";
// The column that marks the items the user added to the computed quote; it is there only
// when the sheet holds such items.
inline constexpr std::string_view kRemarkHead = "说明";
inline constexpr std::string_view kAddedItemMark = "添加项";

// How a row reads on paper.
enum class RowEmphasis { Plain, Heading, Total };

struct DocumentRow {
    std::vector<Text> cells;  // one text a column of the document, exactly as the sheet says
    RowEmphasis emphasis = RowEmphasis::Plain;
    bool operator==(const DocumentRow&) const = default;
};

// One of the quote details as printed: "客户：" and what was typed.
struct DocumentField {
    Text label;
    Text value;
    bool operator==(const DocumentField&) const = default;
};

// A grouped-bar picture printed after the table (the comparison of options): one group a
// category, in each group one bar a series; a missing value leaves its bar out.
struct ChartSeries {
    Text name;
    std::vector<std::optional<double>> values;  // one a category
    bool operator==(const ChartSeries&) const = default;
};
struct DocumentChart {
    Text title;
    Text valueAxis;  // what the bars measure ("元")
    std::vector<Text> categories;
    std::vector<ChartSeries> series;
    bool operator==(const DocumentChart&) const = default;
};

struct QuoteDocument {
    Text title;
    std::vector<Text> companyLines;
    std::vector<DocumentField> details;  // the details that were filled in, in order
    Text date;
    // The table: heads (none for the estimate, whose lines are a text, not a table), and
    // which columns hold figures (serial numbers, quantities, prices, totals).
    std::vector<Text> columnHeads;
    std::vector<bool> figureColumns;
    std::vector<DocumentRow> rows;
    // Relative widths of the columns on paper; none: the quote sheet's.
    std::vector<double> columnWeights;
    std::optional<DocumentChart> chart;

    int ColumnCount() const;
    bool operator==(const QuoteDocument&) const = default;
};

// The quote sheet as it stands under its caption, with the filled-in quote details and
// the date of the quote.
QuoteDocument SheetDocument(const QuoteSheet& sheet, std::string_view caption, std::vector<DocumentField> details,
                            Text date);

// The quick estimate as the result window shows it (report and closing hint), one line a row.
QuoteDocument EstimateDocument(std::string_view resultWindowText, std::vector<DocumentField> details, Text date);

// The company's name, hotline and site, on top of every document.
std::vector<Text> CompanyLines();

// Today's date as a quote carries it: "2026年12月9日".
Text TodayText();

// The filled-in quote details as the document prints them ("客户：" "张三"), in the order
// of the details dialog; the date is not among them, it is the document's own.
std::vector<DocumentField> DetailFields(const QuoteDetails& details);
// The same for a quote sheet, then the price book it was priced with ("价格表：" "北京 2026 年
// 3 月"), so that a printed quote says whose prices it holds.
std::vector<DocumentField> DetailFields(const QuoteDetails& details, std::string_view priceBookName);
// The date of the quote: the one written into the details, else `today`.
Text QuoteDate(const QuoteDetails& details, Text today);

// The document's head as lines of text, for spreadsheets: the title, the company on one
// line, the details and the date on one line.
std::vector<Text> HeadLines(const QuoteDocument& document);

// A cell's text read as a number when the whole text is one and a spreadsheet would show
// it as written ("313", "-8.96", "2.63568e+006"): the figure, and for a percentage ("2%")
// the fraction 0.02. Blanks, a "+", leading zeros, a bare point, digit groups and anything
// after the number leave it a text.
struct CellNumber {
    double value = 0;
    int decimals = 0;       // digits after the point as written (for the number format)
    bool percent = false;
    bool exponent = false;  // written with an exponent: shown in the general format
};
bool ReadCellNumber(std::string_view text, CellNumber& number);

// How many columns a text takes in a fixed-width view: Chinese and other wide characters
// two, everything else one. Spreadsheet columns are sized by it.
int DisplayWidth(std::string_view text);

}  // namespace rq
