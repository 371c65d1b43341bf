#include "cli/room_edit_files.h"

#include <algorithm>
#include <utility>

#include "convert/encoding.h"
#include "sheet/edit_checks.h"
#include "sheet/sheet_change.h"

namespace rq::cli {
namespace {

// One line of an input file, its 1-based number and its tab-separated fields.
struct Line {
    int number = 0;
    std::vector<Text> fields;
};


// The next line of `bytes`, taken off them, without its line end. Files saved on Windows
// end lines with CR LF: the CR is no part of the last field.
std::string_view TakeLine(std::string_view& bytes)
{
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

// Calls take(number, fields) for every line of a UTF-8 file that is not empty, with its
// 1-based number and its tab-separated fields read where they stand; stops at the first
// problem `take` returns. A file saved on Windows may start with a byte order mark, no part
// of the first field, or the first room type would not be recognised. A line that is not
// UTF-8 is the problem before any line is taken.
template <typename Take>
std::optional<Text> ForEachLine(std::string_view bytes, std::string_view fileName, Take take)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    // No UTF-8 character holds a line end, so the file is UTF-8 when every line is.
    if (!IsValidUtf8(bytes)) {
        for (int number = 1;; ++number)
            if (!IsValidUtf8(TakeLine(bytes)))
                return Text(fileName) + "第" + IntegerToText(number) + "行不是有效的 UTF-8 文字";
    }
    std::vector<std::string_view> fields;  // kept from line to line: a room list has 100,000
    for (int number = 1; !bytes.empty(); ++number) {
        const std::string_view line = TakeLine(bytes);
        if (line.empty())
            continue;
        fields.clear();
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
            if (tab == std::string_view::npos)
                break;
            start = tab + 1;
        }
        if (std::optional<Text> problem = take(number, std::as_const(fields)))
            return problem;
    }
    return std::nullopt;
}

}  // namespace

Text LinePrefix(std::string_view fileName, int number)
{
    return Text(fileName) + "第" + IntegerToText(number) + "行: ";
}

namespace {

// Each room is made straight from its line and handed to `add`: a list of 100,000 rooms is
// never held as lines of fields besides. `Rooms` is reserved for them first.
template <typename Rooms>
Outcome<Rooms> ReadRooms(std::string_view bytes, bool unchecked, std::vector<Text>& warnings)
{
    Rooms rooms;
    std::size_t filled = 0;  // lines that are not empty: one room each
    for (std::string_view rest = bytes; !rest.empty();)
        filled += TakeLine(rest).empty() ? 0 : 1;
    rooms.reserve(filled);
    const std::optional<Text> problem
        = ForEachLine(bytes, kRoomFileName, [&](int number, const std::vector<std::string_view>& fields) -> std::optional<Text> {
              if (fields.size() > kRoomColumnCount)
                  return LinePrefix(kRoomFileName, number) + "一个房间只有 6 项，这一行有 " +
                         IntegerToText(static_cast<std::int32_t>(fields.size())) + " 项";
              RoomRecord room;
              std::copy(fields.begin(), fields.end(), room.cells.begin());
              if (!unchecked) {
                  if (const std::optional<Text> message = CheckRoomForAdd(room))
                      return LinePrefix(kRoomFileName, number) + *message;
              }
              if (const std::optional<MetreSizes> metres = FindSizesInMetres(room))
                  warnings.push_back(LinePrefix(kRoomFileName, number) + metres->warning);
              rooms.push_back(std::move(room));
              return std::nullopt;
          });
    if (problem)
        return Outcome<Rooms>::Refused(*problem);
    return rooms;
}

}  // namespace

Outcome<std::vector<RoomRecord>> ReadRoomFile(std::string_view bytes, bool unchecked, std::vector<Text>& warnings)
{
    return ReadRooms<std::vector<RoomRecord>>(bytes, unchecked, warnings);
}

Outcome<RoomsAlike> ReadRoomsAlike(std::string_view bytes, bool unchecked, std::vector<Text>& warnings)
{
    return ReadRooms<RoomsAlike>(bytes, unchecked, warnings);
}

namespace {

struct EditForm {
    std::string_view verb;
    EditKind kind;
    std::size_t fieldCount;  // the verb included
};

constexpr EditForm kEditForms[] = {
    {"modify", EditKind::Modify, 6},
    {"delete", EditKind::Delete, 2},
    {"add", EditKind::Add, 4},
    {"undo", EditKind::Undo, 1},
    {"redo", EditKind::Redo, 1},
};

// A selected row as the window knows it: a whole number, -1 for none.
std::optional<int> ParseRow(std::string_view text)
{
    std::string_view digits = text;
    if (digits.starts_with('-'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = 0;
    for (const char digit : digits)
        value = value * 10 + (digit - '0');
    return text.starts_with('-') ? -value : value;
}

std::optional<Text> ReadEdit(const Line& line, std::vector<Edit>& edits)
{
    const EditForm* form = nullptr;
    for (const EditForm& candidate : kEditForms) {
        if (candidate.verb == line.fields.front())
            form = &candidate;
    }
    const Text prefix = LinePrefix(kEditFileName, line.number);
    if (!form)
        return prefix + "不认识的操作 " + line.fields.front() + "（只能是 modify、delete、add、undo 或 redo）";
    if (line.fields.size() > form->fieldCount)
        return prefix + Text(form->verb) + " 最多有 " + IntegerToText(static_cast<std::int32_t>(form->fieldCount - 1)) +
               " 项";
    // Fields left out read as empty texts, as empty edit fields would.
    std::vector<Text> fields = line.fields;
    fields.resize(form->fieldCount);
    Edit& edit = edits.emplace_back();
    edit.line = line.number;
    edit.kind = form->kind;
    if (form->kind == EditKind::Undo || form->kind == EditKind::Redo)
        return std::nullopt;
    if (form->kind == EditKind::Add) {
        edit.fields = {fields[1], "", fields[2], fields[3]};
        return std::nullopt;
    }
    const std::optional<int> row = ParseRow(fields[1]);
    if (!row)
        return prefix + "行号应当是整数(-1 表示没有选中)，不是 " + fields[1];
    edit.row = *row;
    if (form->kind == EditKind::Modify)
        edit.fields = {fields[2], fields[3], fields[4], fields[5]};
    return std::nullopt;
}

}  // namespace

Outcome<std::vector<Edit>> ReadEditFile(std::string_view bytes)
{
    std::vector<Edit> edits;
    const std::optional<Text> problem
        = ForEachLine(bytes, kEditFileName, [&](int number, const std::vector<std::string_view>& fields) {
              return ReadEdit({number, std::vector<Text>(fields.begin(), fields.end())}, edits);
          });
    if (problem)
        return Outcome<std::vector<Edit>>::Refused(*problem);
    return edits;
}

std::optional<Text> ApplyEdit(QuoteSheet& sheet, std::string_view caption, const Edit& edit, const PriceBook& book,
                              EditHistory& history)
{
    const AddedItem added{edit.fields.name, edit.fields.quantity, edit.fields.unitPrice};
    EditOutcome outcome;
    KeptEdit kept;
    switch (edit.kind) {
    case EditKind::Modify:
        kept = KeepEdit(sheet, KeptEditKind::Modify, edit.row, edit.fields);
        outcome = TryModifyRow(sheet, caption, edit.row, edit.fields, book);
        break;
    case EditKind::Delete:
        kept = KeepEdit(sheet, KeptEditKind::Delete, edit.row, edit.fields);
        outcome = TryDeleteRow(sheet, caption, edit.row, book);
        break;
    case EditKind::Add:
        kept = KeepEdit(sheet, KeptEditKind::Add, -1, edit.fields);
        outcome = TryAddItem(sheet, caption, added, book);
        break;
    case EditKind::Undo:
        if (history.made == 0)
            return "没有可以撤销的修改";
        UndoChange(sheet, history.changes[--history.made]);
        return std::nullopt;
    case EditKind::Redo:
        if (history.made == history.changes.size())
            return "没有可以重做的修改";
        RedoChange(sheet, history.changes[history.made++]);
        return std::nullopt;
    }
    if (outcome.refusal)
        return outcome.refusal;
    // An edit that changed nothing is not kept, as in the window; any other ends what could
    // be made again.
    if (!outcome.change.empty()) {
        history.changes.resize(history.made);
        history.kept.resize(history.made);
        history.changes.push_back(std::move(outcome.change));
        history.kept.push_back(std::move(kept));
        ++history.made;
    }
    return std::nullopt;
}

}  // namespace rq::cli
