// What a printed or exported quote says, whatever it is printed or written as: the title,
// the company's lines, the quote details and the date on top, what the price was computed
// from, then a table — the quote sheet as it stands, or the quick estimate's report one
// line a row — and the lines where the owner signs and the company stamps. The PDF, the
// print-out, the spreadsheets and the clipboard all render this one model.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "document/quote_details.h"
#include "estimate/quick_estimate.h"
#include "quote/quote_concepts.h"
#include "quote/quote_sheet.h"

namespace rq {

inline constexpr std::string_view kEstimateDocumentTitle = "快速预算报价";
// The column that marks the items the user added to the computed quote; it is there only
// when the sheet holds such items.
inline constexpr std::string_view kRemarkHead = "说明";
inline constexpr std::string_view kAddedItemMark = "添加项";
// The quote details' free text: always the last of the details, however long it runs.
inline constexpr std::string_view kNotesLabel = "备注：";

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
    // The notes, which run over many lines and stand after every other detail: told by this
    // mark, not by the label, which follows the interface language.
    bool notes = false;
    bool operator==(const DocumentField&) const = default;
};

// A table of its own beside the main one: the rooms a quote was computed from, or the
// estimate's figures.
struct DocumentTable {
    std::vector<Text> heads;
    std::vector<bool> figureColumns;
    std::vector<DocumentRow> rows;
    bool operator==(const DocumentTable&) const = default;
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
    Text dateLabel = "日期：";
    // Each page's foot, its words apart: %1 the page, %2 the count of pages.
    Text pageFoot = "第 %1 页 共 %2 页";
    // What the price was computed from, stated before the table: the choices ("装修类型："
    // "舒适型装修"), and for a sheet its rooms one a row with their sizes, so that two rooms
    // both called 卧室 can be told apart on paper.
    std::vector<DocumentField> basis;
    DocumentTable rooms;
    // The table: heads (none for the estimate, whose lines are a text, not a table), and
    // which columns hold figures (serial numbers, quantities, prices, totals).
    std::vector<Text> columnHeads;
    std::vector<bool> figureColumns;
    std::vector<DocumentRow> rows;
    // The estimate's four prices and priced lines as label and amount: a spreadsheet shows
    // them as figures it can reckon with, beside the report's text.
    DocumentTable figures;
    // At the foot: where the owner signs and the company stamps, each with its date.
    std::vector<Text> signatureLines;
    // Relative widths of the columns on paper; none: the quote sheet's.
    std::vector<double> columnWeights;
    std::optional<DocumentChart> chart;
    // The column that marks added items, drawn centred; -1: none.
    int remarkColumn = -1;

    int ColumnCount() const;
    bool operator==(const QuoteDocument&) const = default;
};

// The quote sheet as it stands under its caption, with the filled-in quote details and
// the date of the quote.
QuoteDocument SheetDocument(const QuoteSheet& sheet, std::string_view caption, std::vector<DocumentField> details,
                            Text date);

// The quick estimate as the result window shows it (report and closing hint), one line a row.
QuoteDocument EstimateDocument(std::string_view resultWindowText, std::vector<DocumentField> details, Text date);

// States what the sheet was computed from: the grade, the package (told by the document's
// caption), the floor of living and dining rooms, and the rooms.
void StateQuoteBasis(QuoteDocument& document, const QuoteInputs& builtFrom);
// States the counts, the area and the grade the estimate was computed from.
void StateEstimateBasis(QuoteDocument& document, const EstimateInputs& inputs);
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

// The details as the document states them, one labelled line each: those filled in, the
// date, and the notes last, after every other line.
std::vector<DocumentField> DetailLines(const QuoteDocument& document);

// The document's head as lines of text, for spreadsheets: the title, the company on one
// line, then each of the detail lines.
std::vector<Text> HeadLines(const QuoteDocument& document);
// What the price was computed from, in one line ("装修类型：舒适型装修    承包方式：半包 …").
Text BasisLine(const QuoteDocument& document);

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
