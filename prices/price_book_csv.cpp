#include "prices/price_book_csv.h"

#include <algorithm>
#include <iterator>

#include "convert/encoding.h"
#include "convert/quoted_field.h"
#include "convert/utf8.h"

namespace rq {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kColumns = std::size(kCsvHeadings);
// As many lines as a JSON book may have items, and a heading line.
constexpr std::size_t kMaxRecords = 2001;

using Record = PriceBookRow;

Text LineWhere(int line)
{
    return "第 " + std::to_string(line) + " 行：";
}

// RFC 4180 records: quoted fields may hold commas, doubled quotes and line ends; lines end
// in CR LF or LF. A quote left open, or text after a closing quote, is the problem.
std::optional<Text> SplitRecords(std::string_view text, std::vector<Record>& records)
{
    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        Record& record = records.emplace_back();
        record.line = line;
        if (records.size() > kMaxRecords)
            return "行数太多（超过 " + std::to_string(kMaxRecords) + " 行），不像是价格表。";
        for (bool more = true; more;) {
            Text field;
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                for (++i;; ++i) {
                    if (i >= text.size())
                        return LineWhere(opened) + "引号没有配对（文件在引号中结束）。";
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n')
                        ++line;
                    field += text[i];
                }
                if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                    return LineWhere(line) + "引号后面应当是逗号或行尾。";
            } else {
                const std::size_t end = text.find_first_of(",\r\n", i);
                field = text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
                if (field.find('"') != Text::npos)
                    return LineWhere(line) + "引号只能出现在带引号的格子里。";
                i = end == std::string_view::npos ? text.size() : end;
            }
            record.fields.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            more = false;
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n') {
                ++i;
                ++line;
            }
        }
    }
    return std::nullopt;
}

bool IsEmpty(const Record& record)
{
    return std::all_of(record.fields.begin(), record.fields.end(),
        [](const Text& field) { return WithoutBlanksAround(field).empty(); });
}

// One line as an item, or the reason it is refused.
std::optional<Text> TakeItem(const Record& record, PriceItem& item)
{
    if (record.fields.size() != kColumns)
        return "应当有 " + std::to_string(kColumns) + " 格（分类,项目,单位,等级,单价），这一行有 "
            + std::to_string(record.fields.size()) + " 格。";
    item.section = WithoutBlanksAround(record.fields[0]);
    item.name = WithoutBlanksAround(record.fields[1]);
    item.unit = WithoutBlanksAround(record.fields[2]);
    const std::string_view level = WithoutBlanksAround(record.fields[3]);
    if (level.empty())
        item.level = 0;
    else if (level.size() == 1 && level[0] >= '1' && level[0] <= '0' + kMaxLevel)
        item.level = level[0] - '0';
    else
        return "等级应当是 1 到 " + std::to_string(kMaxLevel) + "，或空着（各等级相同），不是“"
            + Text(Utf8Prefix(level, 30)) + "”。";
    std::string_view price = WithoutBlanksAround(record.fields[4]);
    // A fee's rate may keep its per cent sign, as spreadsheets show a rate.
    if (item.section == kFeeSection && price.ends_with('%'))
        price.remove_suffix(1);
    const std::optional<std::int64_t> hundredths = ParseHundredths(price);
    if (!hundredths)
        return "单价应当是 0 或更大的数，最多两位小数，不是“"
            + Text(Utf8Prefix(WithoutBlanksAround(record.fields[4]), 30)) + "”。";
    item.hundredths = *hundredths;
    if (std::optional<Text> problem = CheckItem(item))
        return *problem + "。";
    return std::nullopt;
}

} // namespace

std::string WritePriceBookCsv(const PriceBook& book)
{
    std::string out(kBom);
    for (std::size_t i = 0; i < kColumns; ++i) {
        out += i == 0 ? "" : ",";
        out += kCsvHeadings[i];
    }
    out += "\r\n";
    for (const PriceItem& item : book.items()) {
        AppendQuotedField(out, item.section, ",\"\r\n");
        out += ',';
        AppendQuotedField(out, item.name, ",\"\r\n");
        out += ',';
        AppendQuotedField(out, item.unit, ",\"\r\n");
        out += ',';
        if (item.level != 0)
            out += std::to_string(item.level);
        out += ',';
        AppendQuotedField(out, item.price, ",\"\r\n");
        out += "\r\n";
    }
    return out;
}

PriceBookReadResult ReadPriceBookCsv(std::string_view bytes, Text name)
{
    PriceBookReadResult result;
    if (bytes.size() > kMaxPriceBookFileBytes) {
        result.problems.push_back(
            "文件太大（超过 " + std::to_string(kMaxPriceBookFileBytes >> 10) + " KB），不像是价格表。");
        return result;
    }
    std::string text;
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
        if (!IsValidUtf8(bytes)) {
            result.problems.push_back("文件开头标明是 UTF-8，但其中的文字不是有效的 UTF-8 编码。");
            return result;
        }
        text = bytes;
    } else {
        // Without the mark, a file that is not UTF-8 comes from a spreadsheet that writes GBK.
        text = IsValidUtf8(bytes) ? std::string(bytes) : GbkToUtf8(bytes);
    }
    std::vector<Record> records;
    if (std::optional<Text> problem = SplitRecords(text, records)) {
        result.problems.push_back(*problem);
        return result;
    }
    return ReadPriceBookRows(std::move(records), std::move(name));
}

PriceBookReadResult ReadPriceBookRows(std::vector<PriceBookRow> records, Text name)
{
    PriceBookReadResult result;
    std::erase_if(records, IsEmpty);
    const bool headed = !records.empty() && records.front().fields.size() == kColumns
        && std::equal(records.front().fields.begin(), records.front().fields.end(), std::begin(kCsvHeadings),
            [](const Text& field, std::string_view heading) { return WithoutBlanksAround(field) == heading; });
    if (!headed) {
        result.problems.emplace_back("第一行应当是列标题：分类,项目,单位,等级,单价。");
        return result;
    }
    std::vector<PriceItem> items;
    std::vector<Text> places;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        PriceItem item;
        if (std::optional<Text> problem = TakeItem(*record, item)) {
            result.problems.push_back(LineWhere(record->line) + *problem);
            continue;
        }
        items.push_back(std::move(item));
        places.push_back(LineWhere(record->line));
    }
    if (!result.problems.empty())
        return result;
    if (std::optional<Text> problem = TextProblem(name, kMaxBookNameChars)) {
        result.problems.push_back("价格表的名称" + *problem + "。");
        return result;
    }
    result.book = PriceBook::Arrange(std::move(name), std::move(items), result.problems, &places);
    return result;
}

} // namespace rq
