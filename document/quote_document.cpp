#include "document/quote_document.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <optional>
#include <span>

#include "convert/utf8.h"
#include "document/company.h"

namespace rq {
namespace {

constexpr std::string_view kSiteLabel = "网址：";
constexpr std::string_view kPriceBookLabel = "价格表：";

constexpr bool kSheetFigures[kSheetColumnCount] = {true, false, false, true, true, true};

// The rooms as the main window lists them, numbered in the order their sections follow.
constexpr std::string_view kRoomHeads[] = {"序号", "房屋类型", "长*宽*高", "窗户", "门", "扇数", "墙面数"};
constexpr bool kRoomFigures[] = {true, false, false, false, false, true, true};

constexpr std::string_view kEstimateFigureHeads[] = {"项目", "金额（元）"};

// A quote sent to someone is signed by both sides before work begins.
constexpr std::string_view kSignatureLines[] = {
    "业主签字：____________________    日期：______________",
    "公司盖章：____________________    日期：______________",
};

std::vector<Text> Texts(std::span<const std::string_view> texts) { return {texts.begin(), texts.end()}; }

// The site as a reader types it: the host, without the scheme and the final slash.
Text SiteHost()
{
    std::string_view site = company::kSite;
    if (const std::size_t scheme = site.find("://"); scheme != std::string_view::npos)
        site.remove_prefix(scheme + 3);
    while (site.ends_with('/'))
        site.remove_suffix(1);
    return Text(site);
}


// Room and fee headers head their sections; the totals and a row that took the sum stand out.
RowEmphasis EmphasisOf(RowKind kind)
{
    switch (kind) {
    case RowKind::RoomHeader:
    case RowKind::FeeHeader:
        return RowEmphasis::Heading;
    case RowKind::ProjectTotal:
    case RowKind::FullPackageTotal:
    case RowKind::Sum:
        return RowEmphasis::Total;
    case RowKind::Item:
    case RowKind::AddedItem:
    case RowKind::Blank:
    case RowKind::Fee:
        break;
    }
    return RowEmphasis::Plain;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The UTF-8 character at `i` as a code point; a broken sequence counts as one narrow byte.
char32_t CodePointAt(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8CharLength(lead);
    if (length == 1 || i + length > text.size()) {
        ++i;
        return lead;
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    return code;
}

bool IsWide(char32_t c)
{
    constexpr std::pair<char32_t, char32_t> kWide[] = {
        {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
        {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
        {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
    };
    for (const auto& [first, last] : kWide) {
        if (c >= first && c <= last)
            return true;
    }
    return false;
}

// A line of the estimate's report that prices something ("衣柜：9000元", "鞋柜:650",
// "客餐厅铺地板舒适装修的价格为：28169.7元"): its label and amount. Areas and prose are not.
std::optional<DocumentRow> FigureOfLine(std::string_view line)
{
    constexpr std::string_view kWideColon = "：";
    std::size_t colon = line.rfind(kWideColon);
    std::size_t after = colon == std::string_view::npos ? 0 : colon + kWideColon.size();
    if (const std::size_t narrow = line.rfind(':'); narrow != std::string_view::npos && narrow + 1 > after) {
        colon = narrow;
        after = narrow + 1;
    }
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::string_view amount = line.substr(after);
    if (amount.ends_with("元"))
        amount.remove_suffix(std::string_view("元").size());
    CellNumber number;
    if (!ReadCellNumber(amount, number) || number.percent)
        return std::nullopt;
    std::string_view label = line.substr(0, colon);
    while (label.starts_with(' '))
        label.remove_prefix(1);
    return DocumentRow{{Text(label), Text(amount)}, RowEmphasis::Plain};
}

Text JoinedFields(const std::vector<DocumentField>& fields)
{
    Text line;
    for (const DocumentField& field : fields) {
        if (!line.empty())
            line += "    ";
        line += field.label + field.value;
    }
    return line;
}

}  // namespace

int QuoteDocument::ColumnCount() const
{
    int columns = static_cast<int>(columnHeads.size());
    for (const DocumentRow& row : rows)
        columns = std::max(columns, static_cast<int>(row.cells.size()));
    return columns;
}

std::vector<Text> CompanyLines()
{
    return {Text(company::kName), Text(company::kHotline), Text(kSiteLabel) + SiteHost()};
}

QuoteDocument SheetDocument(const QuoteSheet& sheet, std::string_view caption, std::vector<DocumentField> details,
                            Text date)
{
    QuoteDocument document;
    document.title = Text(caption);
    document.companyLines = CompanyLines();
    document.date = std::move(date);
    document.details = std::move(details);
    document.columnHeads.assign(std::begin(kSheetHeads), std::end(kSheetHeads));
    document.figureColumns.assign(std::begin(kSheetFigures), std::end(kSheetFigures));
    bool anyAdded = false;
    for (int row = 0; row < sheet.RowCount(); ++row)
        anyAdded = anyAdded || sheet.GetKind(row) == RowKind::AddedItem;
    if (anyAdded) {
        document.remarkColumn = static_cast<int>(document.columnHeads.size());
        document.columnHeads.emplace_back(kRemarkHead);
        document.figureColumns.push_back(false);
    }
    document.rows.reserve(static_cast<std::size_t>(sheet.RowCount()));
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const RowKind kind = sheet.GetKind(row);
        DocumentRow& shown = document.rows.emplace_back();
        const RowTexts cells = sheet.RowCells(row);
        shown.cells.assign(cells.begin(), cells.end());
        if (anyAdded)
            shown.cells.emplace_back(kind == RowKind::AddedItem ? kAddedItemMark : "");
        shown.emphasis = EmphasisOf(kind);
    }
    document.signatureLines = Texts(kSignatureLines);
    return document;
}

QuoteDocument EstimateDocument(std::string_view resultWindowText, std::vector<DocumentField> details, Text date)
{
    QuoteDocument document;
    document.title = Text(kEstimateDocumentTitle);
    document.companyLines = CompanyLines();
    document.date = std::move(date);
    document.details = std::move(details);
    // The report breaks its lines with CR LF; a lone LF breaks a line too.
    std::string_view rest = resultWindowText;
    while (true) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        document.rows.push_back({{Text(line)}, RowEmphasis::Plain});
        if (std::optional<DocumentRow> figure = FigureOfLine(line))
            document.figures.rows.push_back(std::move(*figure));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    if (!document.figures.rows.empty()) {
        document.figures.heads = Texts(kEstimateFigureHeads);
        document.figures.figureColumns = {false, true};
    }
    document.signatureLines = Texts(kSignatureLines);
    return document;
}

void StateQuoteBasis(QuoteDocument& document, const QuoteInputs& builtFrom)
{
    document.basis = {{"装修类型：", builtFrom.grade}};
    if (document.title == kHalfPackageCaption || document.title == kFullPackageCaption)
        document.basis.push_back({"承包方式：", Text(document.title == kHalfPackageCaption ? kHalfPackage : kFullPackage)});
    document.basis.push_back({"客餐厅地面：", builtFrom.floor == FloorChoice::Boards ? "地板" : "地砖"});
    document.rooms.heads = Texts(kRoomHeads);
    document.rooms.figureColumns.assign(std::begin(kRoomFigures), std::end(kRoomFigures));
    document.rooms.rows.clear();
    document.rooms.rows.reserve(builtFrom.rooms.size());
    for (std::size_t room = 0; room < builtFrom.rooms.size(); ++room) {
        DocumentRow& row = document.rooms.rows.emplace_back();
        row.cells.push_back(IntegerToText(static_cast<int>(room + 1)));
        const auto& cells = builtFrom.rooms[room].cells;
        row.cells.insert(row.cells.end(), cells.begin(), cells.end());
    }
}

void StateEstimateBasis(QuoteDocument& document, const EstimateInputs& inputs)
{
    document.basis = {
        {"户型：", inputs.bedrooms + "室" + inputs.livingRooms + "厅" + inputs.kitchens + "厨" + inputs.bathrooms + "卫" +
                       inputs.balconies + "阳台"},
        {"实际面积：", inputs.area + "平方米"},
        {"装修类型：", inputs.grade},
    };
}

Text TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return IntegerToText(local.tm_year + 1900) + "年" + IntegerToText(local.tm_mon + 1) + "月" +
           IntegerToText(local.tm_mday) + "日";
}

std::vector<DocumentField> DetailFields(const QuoteDetails& details, std::string_view priceBookName)
{
    std::vector<DocumentField> fields = DetailFields(details);
    const bool notes = !fields.empty() && fields.back().notes;
    fields.insert(fields.end() - (notes ? 1 : 0), DocumentField{Text(kPriceBookLabel), Text(priceBookName)});
    return fields;
}

std::vector<DocumentField> DetailFields(const QuoteDetails& details)
{
    const std::pair<std::string_view, const Text*> fields[] = {
        {"客户：", &details.customer}, {"地址：", &details.address},         {"电话：", &details.phone},
        {"报价单号：", &details.quoteNumber}, {"有效期：", &details.validity}, {kNotesLabel, &details.notes},
    };
    std::vector<DocumentField> filled;
    for (const auto& [label, value] : fields) {
        if (!value->empty())
            filled.push_back({Text(label), *value, value == &details.notes});
    }
    return filled;
}

Text QuoteDate(const QuoteDetails& details, Text today) { return details.date.empty() ? today : details.date; }

std::vector<DocumentField> DetailLines(const QuoteDocument& document)
{
    std::vector<DocumentField> lines = document.details;
    // The notes may run over many lines: every short detail, the date too, comes before them.
    const auto notes = std::find_if(lines.begin(), lines.end(),
                                    [](const DocumentField& field) { return field.notes; });
    const bool hasNotes = notes != lines.end();
    if (hasNotes)
        std::rotate(notes, notes + 1, lines.end());
    if (!document.date.empty())
        lines.insert(lines.end() - (hasNotes ? 1 : 0), DocumentField{document.dateLabel, document.date});
    return lines;
}

std::vector<Text> HeadLines(const QuoteDocument& document)
{
    std::vector<DocumentField> company;
    for (const Text& part : document.companyLines)
        company.push_back({"", part});
    std::vector<Text> lines = {document.title, JoinedFields(company)};
    for (const DocumentField& field : DetailLines(document))
        lines.push_back(field.label + field.value);
    return lines;
}

Text BasisLine(const QuoteDocument& document) { return JoinedFields(document.basis); }

bool ReadCellNumber(std::string_view text, CellNumber& number)
{
    CellNumber read;
    std::string_view body = text;
    if (body.ends_with('%')) {
        read.percent = true;
        body.remove_suffix(1);
    }
    // Checked by hand first: from_chars would also take "inf", "nan" and hexadecimal forms.
    // A number shows as its text again: no leading zeros ("007"), no bare point ("1.", ".5").
    std::size_t i = body.starts_with('-') ? 1 : 0;
    const std::size_t integerStart = i;
    while (i < body.size() && IsDigit(body[i]))
        ++i;
    const std::size_t integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && body[integerStart] == '0'))
        return false;
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && IsDigit(body[i]))
            ++i, ++read.decimals;
        if (read.decimals == 0)
            return false;
    }
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        read.exponent = true;
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-'))
            ++i;
        const std::size_t start = i;
        while (i < body.size() && IsDigit(body[i]))
            ++i;
        if (i == start)
            return false;
    }
    if (i != body.size())
        return false;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), read.value);
    if (error != std::errc() || end != body.data() + body.size() || !std::isfinite(read.value))
        return false;
    if (read.percent)
        read.value /= 100;
    number = read;
    return true;
}

int DisplayWidth(std::string_view text)
{
    int width = 0;
    for (std::size_t i = 0; i < text.size();)
        width += IsWide(CodePointAt(text, i)) ? 2 : 1;
    return width;
}

}  // namespace rq
