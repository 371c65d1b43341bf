#include "project/project_file.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <utility>

#include "convert/utf8.h"
#include "files/capped_read.h"
#include "files/json_guard.h"
#include "files/json_syntax.h"
#include "prices/price_book_json.h"
#include "quote/amount_range.h"
#include "sheet/sheet_edits.h"

namespace rq {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kNotAProject = "这不是装修报价项目文件";

// The names of the file. Once a version is released, a name never changes meaning.
constexpr std::string_view kBoards = "boards";
constexpr std::string_view kTiles = "tiles";
constexpr std::string_view kHalf = "half";
constexpr std::string_view kFull = "full";

// The six quick-estimate boxes in file order, and where each lives in the inputs.
struct EstimateField {
    std::string_view name;
    Text EstimateInputs::*field;
};
constexpr EstimateField kEstimateFields[] = {
    { "bedrooms", &EstimateInputs::bedrooms },
    { "livingRooms", &EstimateInputs::livingRooms },
    { "kitchens", &EstimateInputs::kitchens },
    { "bathrooms", &EstimateInputs::bathrooms },
    { "balconies", &EstimateInputs::balconies },
    { "area", &EstimateInputs::area },
};

struct DetailField {
    std::string_view name;
    Text QuoteDetails::*field;
};
constexpr DetailField kDetailFields[] = {
    { "customer", &QuoteDetails::customer },
    { "address", &QuoteDetails::address },
    { "phone", &QuoteDetails::phone },
    { "date", &QuoteDetails::date },
    { "quoteNumber", &QuoteDetails::quoteNumber },
    { "notes", &QuoteDetails::notes },
    // Written since quotes state how long they hold; older files have none.
    { "validity", &QuoteDetails::validity },
};

struct PackageName {
    Package package;
    std::string_view name;
};
constexpr PackageName kPackageNames[] = { { Package::Half, kHalf }, { Package::Full, kFull } };

// A deep file is no project; the cap also keeps a hostile file from exhausting the stack.
constexpr int kMaxDepth = 16;
// No object of a project has more than eight names. The cap keeps the check for repeated
// names short: a file of a million names would be compared name against name for hours.
constexpr std::size_t kMaxNamesInObject = 32;

// ---- writing ----

// Texts go out as JSON strings through the library, so every escape is the standard one; a
// byte sequence that is not UTF-8 (none can be typed) becomes U+FFFD rather than a broken file.
void AppendString(std::string& out, std::string_view text)
{
    out += Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A room's cells or a sheet row's.
template <typename Texts> void AppendStrings(std::string& out, const Texts& texts)
{
    out += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ", ";
        AppendString(out, texts[i]);
    }
    out += ']';
}

std::string_view FloorName(FloorChoice floor)
{
    return floor == FloorChoice::Boards ? kBoards : kTiles;
}

void AppendRooms(std::string& out, const std::vector<RoomRecord>& rooms, std::string_view indent)
{
    out += '[';
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        out += indent;
        out += "  ";
        AppendStrings(out, rooms[i].cells);
    }
    if (!rooms.empty()) {
        out += '\n';
        out += indent;
    }
    out += ']';
}

// One kept edit on a line: {"edit": …, "at": {…}, "fields": […]}.
void AppendEdit(std::string& out, const KeptEdit& edit)
{
    out += "{\"edit\": ";
    AppendString(out, KeptEditKindName(edit.kind));
    if (edit.kind != KeptEditKind::Add) {
        const RowAnchor& at = edit.at;
        out += ", \"at\": {\"part\": ";
        AppendString(out, SheetPartName(at.part));
        if (at.part == SheetPart::Room) {
            out += ", \"room\": ";
            AppendString(out, at.room);
            out += ", \"roomNumber\": " + std::to_string(at.roomNumber);
        }
        if (at.part != SheetPart::None) {
            out += ", \"item\": ";
            AppendString(out, at.item);
            out += ", \"itemNumber\": " + std::to_string(at.itemNumber);
        }
        out += '}';
    }
    const ItemFields& fields = edit.fields;
    if (edit.kind == KeptEditKind::Modify) {
        out += ", \"fields\": ";
        AppendStrings(
            out, std::array<std::string_view, 4> { fields.name, fields.unit, fields.quantity, fields.unitPrice });
    } else if (edit.kind != KeptEditKind::Delete) {
        out += ", \"fields\": ";
        AppendStrings(out, std::array<std::string_view, 3> { fields.name, fields.quantity, fields.unitPrice });
    }
    out += '}';
}

void AppendSheet(std::string& out, const KeptSheet& kept)
{
    out += "{\n      \"caption\": ";
    AppendString(out, kept.quote.caption);
    out += ",\n      \"builtFrom\": {\"grade\": ";
    AppendString(out, kept.builtFrom.grade);
    out += ", \"floor\": ";
    AppendString(out, FloorName(kept.builtFrom.floor));
    out += ", \"rooms\": ";
    AppendRooms(out, kept.builtFrom.rooms, "      ");
    out += "},\n      \"rows\": [";
    const QuoteSheet& sheet = kept.quote.sheet;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        out += row == 0 ? "\n        {\"kind\": " : ",\n        {\"kind\": ";
        AppendString(out, RowKindName(sheet.GetKind(row)));
        out += ", \"cells\": ";
        AppendStrings(out, sheet.RowCells(row));
        out += '}';
    }
    out += sheet.RowCount() > 0 ? "\n      ]" : "]";
    // Written only when there are some: a sheet never edited reads in older programs too.
    if (!kept.edits.empty()) {
        out += ",\n      \"edits\": [";
        for (std::size_t i = 0; i < kept.edits.size(); ++i) {
            out += i == 0 ? "\n        " : ",\n        ";
            AppendEdit(out, kept.edits[i]);
        }
        out += "\n      ]";
    }
    out += "\n    }";
}

// ---- reading ----

struct Refusal {
    Text problem;
};

[[noreturn]] void Refuse(Text problem)
{
    throw Refusal { std::move(problem) };
}

// Where a value sits in the file ("sheets.full.rows[12].cells[3]"); spelled out only when
// something there is wrong, so reading a large sheet builds no names.
struct Where {
    const Where* parent = nullptr;
    std::string_view key;
    std::size_t index = 0;

    Where operator/(std::string_view member) const { return { this, member, 0 }; }
    Where operator[](std::size_t element) const { return { this, {}, element }; }

    Text name() const
    {
        if (!parent)
            return "文件的最外层";
        Text text = parent->parent ? parent->name() : Text();
        if (!key.empty())
            return text + (text.empty() ? "" : ".") + ShortPiece(key);
        return text + "[" + std::to_string(index) + "]";
    }
    Text quoted() const { return "“" + name() + "”"; }
};

Json& ExpectObject(Json& value, const Where& where)
{
    if (!value.is_object())
        Refuse(where.quoted() + "应当是一个对象（{…}）。");
    return value;
}

Json& ExpectArray(Json& value, const Where& where, std::size_t size = 0)
{
    if (!value.is_array())
        Refuse(where.quoted() + "应当是一个列表（[…]）。");
    if (size != 0 && value.size() != size)
        Refuse(where.quoted() + "应当正好有 " + std::to_string(size) + " 项，这里有 " + std::to_string(value.size())
            + " 项。");
    return value;
}

Text TakeText(Json& value, const Where& where)
{
    if (!value.is_string())
        Refuse(where.quoted() + "应当是文字（带引号的字符串）。");
    return std::move(value.get_ref<std::string&>());
}

// Every name in the object must be one the format knows: a misspelt name would otherwise
// drop what the user meant to keep without a word.
void CheckNames(const Json& object, std::initializer_list<std::string_view> known, const Where& where)
{
    for (const auto& [name, value] : object.items()) {
        if (std::find(known.begin(), known.end(), name) == known.end())
            Refuse("项目文件中有不认识的项" + (where / name).quoted() + "。");
    }
}

Json& Member(Json& object, std::string_view name, const Where& where)
{
    const auto found = object.find(name);
    if (found == object.end())
        Refuse("项目文件中缺少" + (where / name).quoted() + "。");
    return *found;
}

Json* OptionalMember(Json& object, std::string_view name)
{
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
}

template <std::size_t N> void TakeTexts(Json& value, std::array<Text, N>& texts, const Where& where)
{
    ExpectArray(value, where, N);
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = TakeText(value[i], where[i]);
}

FloorChoice TakeFloor(Json& value, const Where& where)
{
    const Text name = TakeText(value, where);
    if (name == kBoards)
        return FloorChoice::Boards;
    if (name == kTiles)
        return FloorChoice::Tiles;
    Refuse(where.quoted() + "只能是 \"boards\"（地板）或 \"tiles\"（瓷砖），不是 \"" + ShortPiece(name) + "\"。");
}

// The long lists of a project (rooms, sheet rows) as the reading pass built them straight
// from the text, without a tree of every cell. `taken` is false when the list was not
// there as a list or held anything unusual: the tree then holds it whole, and the checks
// below read it from there and say exactly what is wrong.
struct StreamedRooms {
    bool taken = false;
    std::vector<RoomRecord> rooms;
};
struct StreamedRows {
    bool taken = false;
    QuoteSheet sheet;
};
struct StreamedSheet {
    StreamedRooms builtFrom;
    StreamedRows rows;
};
struct StreamedLists {
    StreamedRooms rooms;
    StreamedSheet sheets[2];  // in the order of kPackageNames
};

std::vector<RoomRecord> TakeRooms(Json& value, const Where& where, StreamedRooms& streamed)
{
    if (streamed.taken)
        return std::move(streamed.rooms);
    ExpectArray(value, where);
    std::vector<RoomRecord> rooms(value.size());
    for (std::size_t i = 0; i < rooms.size(); ++i)
        TakeTexts(value[i], rooms[i].cells, where[i]);
    return rooms;
}

void CheckVersion(Json& root, const Where& where)
{
    const Where at = where / "version";
    const Json& version = Member(root, "version", where);
    if (!version.is_number_integer())
        Refuse(at.quoted() + "应当是整数。");
    // Compared as a whole number of any size: a huge version is newer, not a wrapped-round old one.
    const bool newer = version.is_number_unsigned() ? version.get<std::uint64_t>() > kProjectFormatVersion
                                                    : version.get<std::int64_t>() > kProjectFormatVersion;
    if (newer)
        Refuse("这个项目文件是新版本的" + Text(kProgramChineseName) + "保存的（格式第 " + ShortPiece(version.dump())
            + " 版），本程序只能打开第 " + std::to_string(kProjectFormatVersion) + " 版。请升级" + Text(kProgramChineseName)
            + "后再打开。");
    if (version.get<std::int64_t>() < 1)
        Refuse(at.quoted() + "应当是 1 或更大的整数，不是 " + ShortPiece(version.dump()) + "。");
}

// Amounts no quote or edit of this program writes: a total that is no number ("inf",
// "1e309", ten thousand digits) or leaves the 32-bit range, alone or added up, or a sum
// that does not agree with the rows above it. Shown as they stand they would be a price
// that cannot be real, and the checks of the next 修改 or 确定添加 take the sums at the foot
// for the sheet's size, so an understated total would let the edit wrap round.
std::optional<Text> CheckSheetAmounts(const QuoteSheet& sheet, std::string_view caption)
{
    const auto at = [](int row, const Text& what) { return "第" + std::to_string(row + 1) + "行：" + what; };
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const std::optional<double> total = sheet.TotalValue(row);
        if (IsNonFiniteAmountText(sheet.GetCell(row, kTotal)) || (total && !FitsWholeYuan(*total)))
            return at(row, "总计“" + ShortPiece(sheet.GetCell(row, kTotal), 20) + "”不是 " + Text(kLargestYuanText) + " 元以内的金额");
    }
    if (const int row = FirstRowOutOfRange(sheet); row >= 0)
        return at(row, "总计加起来超过 " + Text(kLargestYuanText) + " 元");
    QuoteSheet recomputed = sheet;
    RecomputeTotals(recomputed, caption);
    for (int row = 0; row < sheet.RowCount(); ++row) {
        if (recomputed.GetCell(row, kTotal) != sheet.GetCell(row, kTotal))
            return at(row, "“" + ShortPiece(sheet.GetCell(row, kItemName), 20) + "”应当是上面各行的合计 "
                    + Text(recomputed.GetCell(row, kTotal)) + "，不是“" + ShortPiece(sheet.GetCell(row, kTotal), 20) + "”");
    }
    return std::nullopt;
}

// A count in an anchor: a whole number from 0 that fits the sheet's row numbers.
int TakeCount(Json& value, const Where& where)
{
    const bool fits = (value.is_number_unsigned() && value.get<std::uint64_t>() <= 2147483647u)
        || (value.is_number_integer() && !value.is_number_unsigned() && value.get<std::int64_t>() >= 0);
    if (!fits)
        Refuse(where.quoted() + "应当是 0 到 2147483647 之间的整数。");
    return static_cast<int>(value.get<std::int64_t>());
}

RowAnchor TakeAnchor(Json& value, const Where& where)
{
    ExpectObject(value, where);
    RowAnchor at;
    const Text partName = TakeText(Member(value, "part", where), where / "part");
    const std::optional<SheetPart> part = SheetPartFromName(partName);
    if (!part)
        Refuse((where / "part").quoted() + "不是报价单的一部分：\"" + ShortPiece(partName) + "\"。");
    at.part = *part;
    if (at.part == SheetPart::None) {
        CheckNames(value, { "part" }, where);
        return at;
    }
    if (at.part == SheetPart::Room) {
        CheckNames(value, { "part", "room", "roomNumber", "item", "itemNumber" }, where);
        at.room = TakeText(Member(value, "room", where), where / "room");
        at.roomNumber = TakeCount(Member(value, "roomNumber", where), where / "roomNumber");
    } else {
        CheckNames(value, { "part", "item", "itemNumber" }, where);
    }
    at.item = TakeText(Member(value, "item", where), where / "item");
    at.itemNumber = TakeCount(Member(value, "itemNumber", where), where / "itemNumber");
    return at;
}

// The kept edits of a sheet: each names a kind of edit the program makes, anchored where
// that edit needs a row, with exactly the texts it writes.
std::vector<KeptEdit> TakeEdits(Json& value, const Where& where)
{
    ExpectArray(value, where);
    std::vector<KeptEdit> edits(value.size());
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const Where editAt = where[i];
        Json& object = ExpectObject(value[i], editAt);
        KeptEdit& edit = edits[i];
        const Text kindName = TakeText(Member(object, "edit", editAt), editAt / "edit");
        const std::optional<KeptEditKind> kind = KeptEditKindFromName(kindName);
        if (!kind)
            Refuse((editAt / "edit").quoted() + "不是报价单的一种修改：\"" + ShortPiece(kindName) + "\"。");
        edit.kind = *kind;
        switch (edit.kind) {
        case KeptEditKind::Modify: {
            CheckNames(object, { "edit", "at", "fields" }, editAt);
            std::array<Text, 4> texts;
            TakeTexts(Member(object, "fields", editAt), texts, editAt / "fields");
            edit.fields = { texts[0], texts[1], texts[2], texts[3] };
            break;
        }
        case KeptEditKind::Delete:
            CheckNames(object, { "edit", "at" }, editAt);
            break;
        case KeptEditKind::Add:
        case KeptEditKind::AddToRoom: {
            if (edit.kind == KeptEditKind::Add)
                CheckNames(object, { "edit", "fields" }, editAt);
            else
                CheckNames(object, { "edit", "at", "fields" }, editAt);
            std::array<Text, 3> texts;
            TakeTexts(Member(object, "fields", editAt), texts, editAt / "fields");
            edit.fields = { texts[0], {}, texts[1], texts[2] };
            break;
        }
        }
        if (edit.kind != KeptEditKind::Add)
            edit.at = TakeAnchor(Member(object, "at", editAt), editAt / "at");
        // An item is added to a room through its header, never through no row.
        if (edit.kind == KeptEditKind::AddToRoom && edit.at.part != SheetPart::Room)
            Refuse((editAt / "at" / "part").quoted() + "应当是 \"room\"：项目只能添加到房间里。");
    }
    return edits;
}

KeptSheet TakeSheet(Json& value, Package package, const Where& where, StreamedSheet& streamed)
{
    ExpectObject(value, where);
    CheckNames(value, { "caption", "builtFrom", "rows", "edits" }, where);
    KeptSheet kept;
    kept.quote.caption = TakeText(Member(value, "caption", where), where / "caption");
    if (kept.quote.caption != PackageCaption(package))
        Refuse((where / "caption").quoted() + "应当是“" + Text(PackageCaption(package)) + "”，不是“"
            + ShortPiece(kept.quote.caption) + "”。");

    const Where from = where / "builtFrom";
    Json& builtFrom = ExpectObject(Member(value, "builtFrom", where), from);
    CheckNames(builtFrom, { "grade", "floor", "rooms" }, from);
    kept.builtFrom.grade = TakeText(Member(builtFrom, "grade", from), from / "grade");
    kept.builtFrom.floor = TakeFloor(Member(builtFrom, "floor", from), from / "floor");
    kept.builtFrom.rooms = TakeRooms(Member(builtFrom, "rooms", from), from / "rooms", streamed.builtFrom);

    const Where rowsAt = where / "rows";
    Json& rows = ExpectArray(Member(value, "rows", where), rowsAt);
    QuoteSheet& sheet = kept.quote.sheet;
    if (streamed.rows.taken)
        sheet = std::move(streamed.rows.sheet);
    else
        sheet.Reserve(static_cast<int>(std::min<std::size_t>(rows.size(), 1u << 24)));
    for (std::size_t i = 0; i < rows.size() && !streamed.rows.taken; ++i) {
        const Where rowAt = rowsAt[i];
        Json& row = ExpectObject(rows[i], rowAt);
        CheckNames(row, { "kind", "cells" }, rowAt);
        const Text kindName = TakeText(Member(row, "kind", rowAt), rowAt / "kind");
        const std::optional<RowKind> kind = RowKindFromName(kindName);
        if (!kind)
            Refuse((rowAt / "kind").quoted() + "不是报价单中的一种行：\"" + ShortPiece(kindName) + "\"。");
        QuoteRow cells;
        TakeTexts(Member(row, "cells", rowAt), cells, rowAt / "cells");
        sheet.AppendRow(std::move(cells), *kind);
    }
    // Rows the edits cannot work on (a total in the middle, fees apart) would price wrongly
    // at the next 修改 or 确定添加: such a file is refused, not half trusted.
    if (const std::optional<Text> problem = CheckSheetStructure(sheet, kept.quote.caption))
        Refuse(rowsAt.quoted() + "不是能修改的报价单（" + *problem + "）。");
    if (const std::optional<Text> problem = CheckSheetAmounts(sheet, kept.quote.caption))
        Refuse(rowsAt.quoted() + "中的金额不对（" + *problem + "）。");
    // Older files kept no edits: their sheets open as they are, with nothing to make again.
    if (Json* edits = OptionalMember(value, "edits"))
        kept.edits = TakeEdits(*edits, where / "edits");
    return kept;
}

// The project's price book, read as strictly as a book file: a project is not opened at
// prices other than those it was saved with.
PriceBook TakePrices(const Json& value, const Where& where)
{
    PriceBookReadResult read = ReadPriceBookJson(value.dump(-1, ' ', false, Json::error_handler_t::replace));
    if (!read.book)
        Refuse(where.quoted() + "不是可用的价格表（" + read.problems.front() + (read.problems.size() > 1 ? "……" : "")
            + "）。");
    return std::move(*read.book);
}

Project TakeProject(Json& root, StreamedLists& streamed)
{
    const Where top;
    ExpectObject(root, top);
    // The format name first: a JSON file of another program gets told so, not a list of
    // missing names.
    const Json* format = OptionalMember(root, "format");
    if (!format || !format->is_string() || format->get_ref<const std::string&>() != kProjectFormatName)
        Refuse(Text(kNotAProject) + "（\"format\" 应当是 \"" + Text(kProjectFormatName) + "\"）。");
    CheckVersion(root, top);
    CheckNames(root, { "format", "version", "estimate", "grade", "floor", "rooms", "details", "prices", "sheets" }, top);

    Project project;
    const Where estimateAt = top / "estimate";
    Json& estimate = ExpectObject(Member(root, "estimate", top), estimateAt);
    std::initializer_list<std::string_view> estimateNames
        = { "bedrooms", "livingRooms", "kitchens", "bathrooms", "balconies", "area" };
    CheckNames(estimate, estimateNames, estimateAt);
    for (const EstimateField& field : kEstimateFields)
        project.estimate.*field.field = TakeText(Member(estimate, field.name, estimateAt), estimateAt / field.name);
    project.estimate.grade = TakeText(Member(root, "grade", top), top / "grade");
    project.floor = TakeFloor(Member(root, "floor", top), top / "floor");
    project.rooms = TakeRooms(Member(root, "rooms", top), top / "rooms", streamed.rooms);

    // The quote details are optional one by one: an empty field need not be written.
    if (Json* details = OptionalMember(root, "details")) {
        const Where detailsAt = top / "details";
        ExpectObject(*details, detailsAt);
        CheckNames(*details, { "customer", "address", "phone", "date", "quoteNumber", "notes", "validity" }, detailsAt);
        for (const DetailField& field : kDetailFields) {
            if (Json* text = OptionalMember(*details, field.name))
                project.details.*field.field = TakeText(*text, detailsAt / field.name);
        }
    }
    // A file written before projects kept their prices was priced with the built-in book.
    if (Json* prices = OptionalMember(root, "prices"))
        project.prices = TakePrices(*prices, top / "prices");
    if (Json* sheets = OptionalMember(root, "sheets")) {
        const Where sheetsAt = top / "sheets";
        ExpectObject(*sheets, sheetsAt);
        CheckNames(*sheets, { kHalf, kFull }, sheetsAt);
        for (std::size_t i = 0; i < std::size(kPackageNames); ++i) {
            const PackageName& package = kPackageNames[i];
            if (Json* sheet = OptionalMember(*sheets, package.name))
                project.sheet(package.package)
                    = TakeSheet(*sheet, package.package, sheetsAt / package.name, streamed.sheets[i]);
        }
    }
    return project;
}

// Repeated names are refused (a reader could not know which of the two the user meant),
// and so is nesting deeper than any project needs, as the text is read: the library's way
// to watch a parse as it builds looks through a list's elements each time an object in it
// ends, which takes minutes on a long list of rows and hours on a hostile list of empty
// objects.
constexpr JsonLimits kProjectLimits{kMaxDepth, kMaxNamesInObject, kNotAProject, "文件的内容无法读取，不是有效的项目文件。"};

// The one pass over a project's text: the guard's checks on every event, a tree of the
// small parts, and the long lists (rooms, sheet rows) built straight into rooms and rows. A
// list element of any unusual shape turns the list back into tree form, elements so far
// included, so that the checks after the pass refuse it with the usual words.
class ProjectReader : public nlohmann::json_sax<Json> {
public:
    ProjectReader(Json& root, StreamedLists& lists)
        : m_dom(root)
        , m_lists(lists)
    {
    }

    bool null() override
    {
        m_guard.null();
        return unusual() && m_dom.null();
    }
    bool boolean(bool value) override
    {
        m_guard.boolean(value);
        return unusual() && m_dom.boolean(value);
    }
    bool number_integer(number_integer_t value) override
    {
        m_guard.number_integer(value);
        return unusual() && m_dom.number_integer(value);
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        m_guard.number_unsigned(value);
        return unusual() && m_dom.number_unsigned(value);
    }
    bool number_float(number_float_t value, const string_t& text) override
    {
        m_guard.number_float(value, text);
        return unusual() && m_dom.number_float(value, text);
    }
    bool binary(binary_t& value) override
    {
        m_guard.binary(value);
        return unusual() && m_dom.binary(value);
    }
    bool string(string_t& value) override
    {
        m_guard.string(value);
        if (m_list && streamString(value))
            return true;
        return unusual() && m_dom.string(value);
    }
    bool key(string_t& name) override
    {
        m_guard.key(name);
        if (m_list && m_element == Element::Row && !m_inCells && m_expect == Expect::Nothing) {
            if (name == "kind" && !m_hasKind) {
                m_expect = Expect::Kind;
                return true;
            }
            if (name == "cells" && !m_hasCells) {
                m_expect = Expect::Cells;
                return true;
            }
        }
        unusual();
        m_key = name;
        return m_dom.key(name);
    }
    bool start_object(std::size_t size) override
    {
        m_guard.start_object(size);
        if (m_list && m_list->rows && m_element == Element::None) {
            m_element = Element::Row;
            return true;
        }
        unusual();
        enter(false);
        return m_dom.start_object(size);
    }
    bool end_object() override
    {
        m_guard.end_object();
        if (m_list && m_element == Element::Row && m_expect == Expect::Nothing && m_hasKind && m_hasCells) {
            m_list->rows->sheet.AppendRow(m_row, m_kind);
            m_element = Element::None;
            m_hasKind = m_hasCells = false;
            return true;
        }
        unusual();
        m_open.pop_back();
        return m_dom.end_object();
    }
    bool start_array(std::size_t size) override
    {
        m_guard.start_array(size);
        if (m_list) {
            if (m_list->rooms && m_element == Element::None) {
                m_element = Element::Room;
                m_count = 0;
                return true;
            }
            if (m_element == Element::Row && m_expect == Expect::Cells) {
                m_expect = Expect::Nothing;
                m_inCells = true;
                m_count = 0;
                return true;
            }
        }
        unusual();
        startList();
        enter(true);
        return m_dom.start_array(size);
    }
    bool end_array() override
    {
        m_guard.end_array();
        if (m_list) {
            if (m_element == Element::Room && m_count == kRoomColumnCount) {
                m_list->rooms->rooms.push_back(std::move(m_room));
                m_element = Element::None;
                return true;
            }
            if (m_inCells && m_count == kSheetColumnCount) {
                m_inCells = false;
                m_hasCells = true;
                return true;
            }
            if (m_element == Element::None) {
                // The whole list was usual: it is taken as built, the tree keeps an empty one.
                (m_list->rooms ? m_list->rooms->taken : m_list->rows->taken) = true;
                m_list.reset();
            }
        }
        unusual();
        m_open.pop_back();
        return m_dom.end_array();
    }
    bool parse_error(std::size_t position, const std::string& last, const nlohmann::detail::exception& error) override
    {
        return m_guard.parse_error(position, last, error);
    }

private:
    enum class Element { None, Room, Row };
    enum class Expect { Nothing, Kind, Cells };
    struct List {
        StreamedRooms* rooms = nullptr;
        StreamedRows* rows = nullptr;
    };
    struct Open {
        std::string name;  // the name it has in its object; empty in a list and at the top
        bool list = false;
    };

    bool streamString(string_t& value)
    {
        if (m_element == Element::Room && m_count < kRoomColumnCount) {
            m_room.cells[m_count++] = std::move(value);
            return true;
        }
        if (m_inCells && m_count < kSheetColumnCount) {
            m_row[m_count++] = std::move(value);
            return true;
        }
        if (m_element == Element::Row && m_expect == Expect::Kind) {
            if (const std::optional<RowKind> kind = RowKindFromName(value)) {
                m_kind = *kind;
                m_hasKind = true;
                m_expect = Expect::Nothing;
                return true;
            }
        }
        return false;
    }

    // A list the project keeps long starts: its elements go straight into rooms or rows.
    void startList()
    {
        if (m_open.empty() || m_open.back().list)
            return;
        const auto at = [&](std::initializer_list<std::string_view> path) {
            if (m_open.size() + 1 != path.size())
                return false;
            auto name = path.begin();
            for (const Open& open : m_open)
                if (open.name != *name++)
                    return false;
            return m_key == *name;
        };
        if (at({ "", "rooms" }))
            m_list = List { &m_lists.rooms, nullptr };
        for (std::size_t i = 0; i < std::size(kPackageNames); ++i) {
            const std::string_view package = kPackageNames[i].name;
            if (at({ "", "sheets", package, "builtFrom", "rooms" }))
                m_list = List { &m_lists.sheets[i].builtFrom, nullptr };
            if (at({ "", "sheets", package, "rows" }))
                m_list = List { nullptr, &m_lists.sheets[i].rows };
        }
        if (m_list)
            m_element = Element::None;
    }

    void enter(bool list)
    {
        const bool member = !m_open.empty() && !m_open.back().list;
        m_open.push_back({ member ? m_key : std::string(), list });
    }

    // Before an event the open list cannot take: the list so far, and the element begun,
    // go into the tree as the text had them, and the rest of the list follows there. True,
    // so that the event can go on to the tree.
    bool unusual()
    {
        if (!m_list)
            return true;
        const auto text = [&](std::string_view value) {
            string_t copy(value);
            m_dom.string(copy);
        };
        const auto name = [&](std::string_view value) {
            string_t copy(value);
            m_dom.key(copy);
        };
        if (m_list->rooms) {
            for (const RoomRecord& room : m_list->rooms->rooms) {
                m_dom.start_array(kRoomColumnCount);
                for (const Text& cell : room.cells)
                    text(cell);
                m_dom.end_array();
            }
            m_list->rooms->rooms.clear();
            if (m_element == Element::Room) {
                m_dom.start_array(static_cast<std::size_t>(-1));
                for (std::size_t i = 0; i < m_count; ++i)
                    text(m_room.cells[i]);
                m_open.push_back({ {}, true });
            }
        } else {
            QuoteSheet& sheet = m_list->rows->sheet;
            for (int row = 0; row < sheet.RowCount(); ++row) {
                m_dom.start_object(2);
                name("kind");
                text(RowKindName(sheet.GetKind(row)));
                name("cells");
                m_dom.start_array(kSheetColumnCount);
                for (const std::string_view cell : sheet.RowCells(row))
                    text(cell);
                m_dom.end_array();
                m_dom.end_object();
            }
            sheet.Clear();
            if (m_element == Element::Row) {
                m_dom.start_object(static_cast<std::size_t>(-1));
                m_open.push_back({ {}, false });
                if (m_hasKind) {
                    name("kind");
                    text(RowKindName(m_kind));
                }
                if (m_hasCells || m_inCells) {
                    name("cells");
                    m_dom.start_array(static_cast<std::size_t>(-1));
                    for (std::size_t i = 0; i < (m_hasCells ? std::size_t{kSheetColumnCount} : m_count); ++i)
                        text(m_row[i]);
                    if (m_hasCells)
                        m_dom.end_array();
                    else
                        m_open.push_back({ "cells", true });
                }
                if (m_expect == Expect::Kind)
                    name("kind");
                if (m_expect == Expect::Cells)
                    name("cells");
                m_key = m_expect == Expect::Kind ? "kind" : "cells";
            }
        }
        m_list.reset();
        m_element = Element::None;
        m_expect = Expect::Nothing;
        m_inCells = m_hasKind = m_hasCells = false;
        return true;
    }

    JsonGuard m_guard{kProjectLimits};
    nlohmann::detail::json_sax_dom_parser<Json> m_dom;
    StreamedLists& m_lists;
    std::vector<Open> m_open;
    std::string m_key;

    std::optional<List> m_list;
    Element m_element = Element::None;
    Expect m_expect = Expect::Nothing;
    std::size_t m_count = 0;
    RoomRecord m_room;
    QuoteRow m_row;
    RowKind m_kind = RowKind::Blank;
    bool m_inCells = false;
    bool m_hasKind = false;
    bool m_hasCells = false;
};

} // namespace

Text ProjectLibraryName()
{
    return "nlohmann-json " + std::to_string(NLOHMANN_JSON_VERSION_MAJOR) + "." +
           std::to_string(NLOHMANN_JSON_VERSION_MINOR) + "." + std::to_string(NLOHMANN_JSON_VERSION_PATCH);
}

std::string WriteProjectText(const Project& project)
{
    std::string out;
    out.reserve(4096);
    out += "{\n  \"format\": ";
    AppendString(out, kProjectFormatName);
    out += ",\n  \"version\": " + std::to_string(kProjectFormatVersion);
    out += ",\n  \"estimate\": {";
    for (const EstimateField& field : kEstimateFields) {
        if (&field != kEstimateFields)
            out += ", ";
        AppendString(out, field.name);
        out += ": ";
        AppendString(out, project.estimate.*field.field);
    }
    out += "},\n  \"grade\": ";
    AppendString(out, project.estimate.grade);
    out += ",\n  \"floor\": ";
    AppendString(out, FloorName(project.floor));
    out += ",\n  \"rooms\": ";
    AppendRooms(out, project.rooms, "  ");
    out += ",\n  \"details\": {";
    for (const DetailField& field : kDetailFields) {
        out += &field == kDetailFields ? "\n    " : ",\n    ";
        AppendString(out, field.name);
        out += ": ";
        AppendString(out, project.details.*field.field);
    }
    out += "\n  },\n  \"prices\": ";
    // The book as its own file writes it, one item a line, set in under "prices".
    const std::string book = WritePriceBookJson(project.prices);
    for (std::size_t i = 0; i + 1 < book.size(); ++i) {
        out += book[i];
        if (book[i] == '\n')
            out += "  ";
    }
    out += ",\n  \"sheets\": {";
    bool first = true;
    for (const PackageName& package : kPackageNames) {
        const std::optional<KeptSheet>& kept = project.sheet(package.package);
        if (!kept)
            continue;
        out += first ? "\n    " : ",\n    ";
        first = false;
        AppendString(out, package.name);
        out += ": ";
        AppendSheet(out, *kept);
    }
    out += first ? "}\n}\n" : "\n  }\n}\n";
    return out;
}

Outcome<Project> ReadProjectText(std::string_view bytes)
{
    if (bytes.size() > kMaxProjectFileBytes)
        return Outcome<Project>::Refused(
            "文件太大（超过 " + std::to_string(kMaxProjectFileBytes >> 20) + " MB），不像是装修报价项目文件。");
    try {
        Json root;
        StreamedLists lists;
        ProjectReader reader(root, lists);
        Json::sax_parse(bytes.begin(), bytes.end(), &reader);
        return TakeProject(root, lists);
    } catch (const Refusal& refusal) {
        return Outcome<Project>::Refused(refusal.problem);
    } catch (const JsonGuardRefusal& refusal) {
        return Outcome<Project>::Refused(refusal.problem);
    } catch (const Json::parse_error& error) {
        // A file without the project's "format" (a picture, a spreadsheet, a text) is told as
        // no project at all: its line and column mean nothing to the user. A damaged or cut
        // project gets the place where reading stopped.
        if (bytes.find("\"format\"") == std::string_view::npos)
            return Outcome<Project>::Refused(Text(kNotAProject) + "。");
        return Outcome<Project>::Refused(JsonSyntaxProblem(bytes, error.byte, error.what()));
    } catch (const Json::exception&) {
        // Numbers too large for any type and the like: the file is no project either way.
        return Outcome<Project>::Refused("文件的内容无法读取，不是有效的项目文件。");
    }
}

Outcome<Project> LoadProjectFile(const std::string& path, FileStamp* stamp)
{
    Outcome<std::string> bytes = ReadWholeFile(path, kMaxProjectFileBytes, stamp);
    if (!bytes)
        return Outcome<Project>::From(std::move(bytes));
    return ReadProjectText(*bytes.value);
}

} // namespace rq
