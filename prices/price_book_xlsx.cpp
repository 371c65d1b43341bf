#include "prices/price_book_xlsx.h"

#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>


namespace rq {
namespace {

// A workbook's parts are a few kilobytes for a book of prices; far more after unpacking is
// a zip bomb, not a price list.
constexpr zip_uint64_t kMaxPartBytes = 8u << 20;
constexpr int kMaxRows = 2001;
constexpr int kMaxColumns = 16384;

// Unpacks one part of the workbook; nothing when it is missing, too large or unreadable.
std::optional<std::string> ReadPart(zip_t* archive, const char* name)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxPartBytes)
        return std::nullopt;
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen(archive, name, 0), zip_fclose);
    if (!file)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    zip_int64_t read = 0;
    while (read < static_cast<zip_int64_t>(bytes.size())) {
        const zip_int64_t got = zip_fread(file.get(), bytes.data() + read, bytes.size() - read);
        if (got <= 0)
            return std::nullopt;
        read += got;
    }
    return bytes;
}

// expat with three callbacks; the element names are the parts' own, without namespace
// prefixes (a workbook may write "x:c" where another writes "c").
struct XmlHandlers {
    std::function<void(std::string_view element, const char** attributes)> start;
    std::function<void(std::string_view element)> end;
    std::function<void(std::string_view text)> text;
};

std::string_view LocalName(const char* name)
{
    const std::string_view full(name);
    const std::size_t colon = full.rfind(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

const char* Attribute(const char** attributes, std::string_view wanted)
{
    for (int i = 0; attributes[i]; i += 2)
        if (LocalName(attributes[i]) == wanted)
            return attributes[i + 1];
    return nullptr;
}

struct XmlRun {
    XML_Parser parser;
    XmlHandlers* handlers;
    bool declaredTypes = false;
};

bool ParseXml(const std::string& bytes, XmlHandlers& handlers)
{
    const std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate("UTF-8"), XML_ParserFree);
    if (!parser || bytes.size() > kMaxPartBytes)
        return false;
    XmlRun run { parser.get(), &handlers };
    XML_SetUserData(parser.get(), &run);
    XML_SetElementHandler(
        parser.get(),
        [](void* data, const char* name, const char** attributes) {
            XmlHandlers* h = static_cast<XmlRun*>(data)->handlers;
            if (h->start)
                h->start(LocalName(name), attributes);
        },
        [](void* data, const char* name) {
            XmlHandlers* h = static_cast<XmlRun*>(data)->handlers;
            if (h->end)
                h->end(LocalName(name));
        });
    XML_SetCharacterDataHandler(parser.get(), [](void* data, const char* text, int length) {
        XmlHandlers* h = static_cast<XmlRun*>(data)->handlers;
        if (h->text)
            h->text(std::string_view(text, static_cast<std::size_t>(length)));
    });
    // A document type could declare entities that grow without end; a workbook has none.
    XML_SetStartDoctypeDeclHandler(parser.get(), [](void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        auto* run = static_cast<XmlRun*>(data);
        run->declaredTypes = true;
        XML_StopParser(run->parser, XML_FALSE);
    });
    return XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK
        && !run.declaredTypes;
}

// The workbook's shared texts, each the joined runs of its <si> (not its phonetic guides).
std::optional<std::vector<Text>> SharedStrings(zip_t* archive)
{
    std::vector<Text> strings;
    const std::optional<std::string> part = ReadPart(archive, "xl/sharedStrings.xml");
    if (!part)
        return strings; // a sheet of numbers only has none
    bool inText = false;
    int phonetic = 0;
    XmlHandlers handlers;
    handlers.start = [&](std::string_view element, const char**) {
        if (element == "si")
            strings.emplace_back();
        else if (element == "rPh")
            ++phonetic;
        else if (element == "t")
            inText = phonetic == 0 && !strings.empty();
    };
    handlers.end = [&](std::string_view element) {
        if (element == "rPh")
            --phonetic;
        else if (element == "t")
            inText = false;
    };
    handlers.text = [&](std::string_view text) {
        if (inText)
            strings.back() += text;
    };
    if (!ParseXml(*part, handlers))
        return std::nullopt;
    return strings;
}

// Which cell styles show their number as a percentage: a rate typed as 2% is stored 0.02.
std::vector<bool> PercentStyles(zip_t* archive)
{
    std::vector<bool> percent;
    const std::optional<std::string> part = ReadPart(archive, "xl/styles.xml");
    if (!part)
        return percent;
    std::map<long, bool> customPercent;
    bool inCellStyles = false;
    XmlHandlers handlers;
    handlers.start = [&](std::string_view element, const char** attributes) {
        if (element == "numFmt") {
            const char* id = Attribute(attributes, "numFmtId");
            const char* code = Attribute(attributes, "formatCode");
            if (id && code)
                customPercent[std::strtol(id, nullptr, 10)] = std::string_view(code).find('%') != std::string_view::npos;
        } else if (element == "cellXfs") {
            inCellStyles = true;
        } else if (element == "xf" && inCellStyles) {
            const char* id = Attribute(attributes, "numFmtId");
            const long format = id ? std::strtol(id, nullptr, 10) : 0;
            // 9 and 10 are the built-in "0%" and "0.00%".
            const auto custom = customPercent.find(format);
            percent.push_back(format == 9 || format == 10 || (custom != customPercent.end() && custom->second));
        }
    };
    handlers.end = [&](std::string_view element) {
        if (element == "cellXfs")
            inCellStyles = false;
    };
    ParseXml(*part, handlers);
    return percent;
}

// The part of the first worksheet: the workbook names it through its relationships.
std::string FirstSheetPart(zip_t* archive)
{
    std::string id;
    XmlHandlers workbook;
    workbook.start = [&](std::string_view element, const char** attributes) {
        if (element == "sheet" && id.empty())
            if (const char* rid = Attribute(attributes, "id"))
                id = rid;
    };
    std::string target;
    XmlHandlers relations;
    relations.start = [&](std::string_view element, const char** attributes) {
        const char* rid = Attribute(attributes, "Id");
        const char* to = Attribute(attributes, "Target");
        if (element == "Relationship" && rid && to && rid == id)
            target = to;
    };
    const std::optional<std::string> book = ReadPart(archive, "xl/workbook.xml");
    const std::optional<std::string> rels = ReadPart(archive, "xl/_rels/workbook.xml.rels");
    if (book && rels && ParseXml(*book, workbook) && !id.empty() && ParseXml(*rels, relations) && !target.empty())
        return target.front() == '/' ? target.substr(1) : "xl/" + target;
    return "xl/worksheets/sheet1.xml";
}

// "C12" → column 2 (from 0) and row 12; nothing for anything else.
std::optional<std::pair<int, int>> CellPlace(std::string_view reference)
{
    int column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
        column = column * 26 + (reference[i] - 'A' + 1);
        if (column > kMaxColumns)
            return std::nullopt;
    }
    int row = 0;
    const std::size_t digits = i;
    for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9'; ++i) {
        row = row * 10 + (reference[i] - '0');
        if (row > 1'048'576)
            return std::nullopt;
    }
    if (column == 0 || i == digits || i != reference.size() || row == 0)
        return std::nullopt;
    return std::make_pair(column - 1, row);
}

// A number cell as the text a person reads: 14.3, not 14.300000000000001 that a formula
// stored; a percentage cell as its rate ("2%" for 0.02). A figure of more than two decimals
// stays as it is, to be refused with the others.
Text NumberText(const Text& stored, bool percent)
{
    char* end = nullptr;
    double value = std::strtod(stored.c_str(), &end);
    if (stored.empty() || *end != '\0' || !std::isfinite(value))
        return stored;
    if (percent)
        value *= 100;
    const double hundredths = std::round(value * 100);
    if (value < 0 || std::fabs(value * 100 - hundredths) > 1e-6 * std::max(1.0, std::fabs(value))
        || hundredths > static_cast<double>(kMaxHundredths))
        return stored;
    return HundredthsToText(static_cast<std::int64_t>(hundredths)) + (percent ? "%" : "");
}

} // namespace

PriceBookReadResult ReadPriceBookXlsx(std::string_view bytes, Text name)
{
    PriceBookReadResult result;
    const auto refuse = [&](Text problem) {
        result.problems.push_back(std::move(problem));
        return result;
    };
    if (bytes.size() > kMaxPriceBookFileBytes)
        return refuse("文件太大（超过 " + std::to_string(kMaxPriceBookFileBytes >> 10) + " KB），不像是价格表。");
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* opened = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!opened) {
        if (source)
            zip_source_free(source);
        return refuse("这不是 XLSX 工作簿（无法作为 zip 文件打开）。");
    }
    const std::unique_ptr<zip_t, void (*)(zip_t*)> archive(opened, zip_discard);
    const std::optional<std::vector<Text>> shared = SharedStrings(archive.get());
    const std::optional<std::string> sheet = ReadPart(archive.get(), FirstSheetPart(archive.get()).c_str());
    if (!shared || !sheet)
        return refuse("工作簿不完整或已损坏：找不到第一张工作表或它的文字。");
    const std::vector<bool> percentStyles = PercentStyles(archive.get());

    std::map<int, PriceBookRow> rows;
    std::optional<std::pair<int, int>> place;
    Text type, value, inlineText;
    bool percent = false, inValue = false, inInline = false, broken = false;
    int nextRow = 0, nextColumn = 0;
    XmlHandlers handlers;
    handlers.start = [&](std::string_view element, const char** attributes) {
        if (element == "row") {
            const char* r = Attribute(attributes, "r");
            nextRow = r ? static_cast<int>(std::clamp(std::strtol(r, nullptr, 10), 0L, 1'048'577L)) : nextRow + 1;
            nextColumn = 0;
        } else if (element == "c") {
            const char* r = Attribute(attributes, "r");
            // A writer may leave out the reference: the cell is then the next in its row.
            place = r ? CellPlace(r) : std::make_optional(std::make_pair(nextColumn, nextRow));
            broken |= !place || (!r && (nextRow < 1 || nextRow > 1'048'576));
            const char* t = Attribute(attributes, "t");
            type = t ? t : "n";
            const char* s = Attribute(attributes, "s");
            const long style = s ? std::strtol(s, nullptr, 10) : 0;
            percent = style >= 0 && static_cast<std::size_t>(style) < percentStyles.size() && percentStyles[style];
            value.clear();
            inlineText.clear();
        } else if (element == "v") {
            inValue = true;
        } else if (element == "is") {
            inInline = true;
        }
    };
    handlers.text = [&](std::string_view text) {
        if (inValue)
            value += text;
        else if (inInline)
            inlineText += text;
    };
    handlers.end = [&](std::string_view element) {
        if (element == "v") {
            inValue = false;
        } else if (element == "is") {
            inInline = false;
        } else if (element == "c" && place) {
            Text text;
            if (type == "s") {
                char* end = nullptr;
                const unsigned long index = std::strtoul(value.c_str(), &end, 10);
                if (value.empty() || *end != '\0' || index >= shared->size())
                    broken = true;
                else
                    text = (*shared)[index];
            } else if (type == "inlineStr") {
                text = inlineText;
            } else if (type == "n") {
                text = NumberText(value, percent);
            } else {
                text = value; // a formula's text, a truth value, an error: taken as written
            }
            const auto [column, row] = *place;
            nextColumn = column + 1;
            if (text.empty())
                return;
            if (rows.size() >= kMaxRows && !rows.contains(row)) {
                broken = true;
                return;
            }
            PriceBookRow& line = rows[row];
            line.line = row;
            if (line.fields.size() <= static_cast<std::size_t>(column))
                line.fields.resize(static_cast<std::size_t>(column) + 1);
            line.fields[static_cast<std::size_t>(column)] = std::move(text);
        }
    };
    if (!ParseXml(*sheet, handlers))
        return refuse("工作簿已损坏：第一张工作表不是有效的 XML。");
    if (broken)
        return refuse(rows.size() >= kMaxRows ? "行数太多（超过 " + std::to_string(kMaxRows) + " 行），不像是价格表。"
                                              : Text("工作簿已损坏：有格子的位置或文字无法读出。"));
    std::vector<PriceBookRow> table;
    for (auto& [row, line] : rows) {
        // Cells left empty after the 单价 are no more columns than a blank line is a line.
        if (line.fields.size() < std::size(kCsvHeadings))
            line.fields.resize(std::size(kCsvHeadings));
        table.push_back(std::move(line));
    }
    return ReadPriceBookRows(std::move(table), std::move(name));
}

} // namespace rq
