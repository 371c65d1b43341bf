#include "sheet/kept_edits.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "convert/named_values.h"

namespace rq {

namespace {

bool isFeeKind(RowKind kind)
{
    return kind == RowKind::FeeHeader || kind == RowKind::Fee || kind == RowKind::ProjectTotal;
}

// The three parts of a sheet by the kinds of its rows: rooms [0, fees), fees [fees,
// materials), main materials [materials, end). Without "工程总造价" (deleted by the user)
// the fees end after their last row.
struct Parts {
    int fees = 0;
    int materials = 0;
};

Parts partsOf(const QuoteSheet& sheet)
{
    Parts parts { sheet.RowCount(), sheet.RowCount() };
    int lastFee = -1;
    for (int row = 0; row < sheet.RowCount(); ++row) {
        const RowKind kind = sheet.GetKind(row);
        if (!isFeeKind(kind))
            continue;
        parts.fees = std::min(parts.fees, row);
        lastFee = row;
        if (kind == RowKind::ProjectTotal)
            break;
    }
    parts.materials = lastFee >= 0 ? lastFee + 1 : parts.fees;
    return parts;
}

// Walks the rows above the fees, telling each one the header row of its room, or -1 for a
// loose row. A room is its header, the items below it and the blank row that closes it.
// `visit` returns false to stop.
template <class Visit> void walkRooms(const QuoteSheet& sheet, int end, Visit&& visit)
{
    int header = -1;
    for (int row = 0; row < end; ++row) {
        const RowKind kind = sheet.GetKind(row);
        int owner = -1;
        if (kind == RowKind::RoomHeader) {
            header = row;
            owner = row;
        } else if (header >= 0 && (kind == RowKind::Item || kind == RowKind::AddedItem)) {
            owner = header;
        } else if (header >= 0 && (kind == RowKind::Blank || kind == RowKind::Sum)) {
            owner = header;
            header = -1;
        } else {
            header = -1;
        }
        if (!visit(row, owner))
            return;
    }
}

std::string_view nameOf(const QuoteSheet& sheet, int row)
{
    return sheet.GetCell(row, kItemName);
}

// The `number`-th row called `name` in [begin, end), or -1.
int nthNamed(const QuoteSheet& sheet, int begin, int end, std::string_view name, int number)
{
    for (int row = begin; row < end; ++row)
        if (nameOf(sheet, row) == name && number-- == 0)
            return row;
    return -1;
}

int countNamed(const QuoteSheet& sheet, int begin, int end, std::string_view name)
{
    int count = 0;
    for (int row = begin; row < end; ++row)
        count += nameOf(sheet, row) == name ? 1 : 0;
    return count;
}

// The header row of the room `row` belongs to, or -1.
int roomHeaderOf(const QuoteSheet& sheet, int fees, int row)
{
    int found = -1;
    walkRooms(sheet, fees, [&](int at, int header) {
        if (at < row)
            return true;
        found = header;
        return false;
    });
    return found;
}

// Where each room of `before` went in `now`: its index there, or -1 when it was deleted.
// Rooms alike at the start and at the end are the same rooms; in between, rooms equal in
// every cell are matched in order (a longest common run), and what is left between two
// matches is taken as rooms changed in place, pair by pair, the rest as deleted or added.
std::vector<int> followRooms(const std::vector<RoomRecord>& before, const std::vector<RoomRecord>& now)
{
    std::vector<int> to(before.size(), -1);
    std::size_t head = 0;
    while (head < before.size() && head < now.size() && before[head] == now[head]) {
        to[head] = static_cast<int>(head);
        ++head;
    }
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < now.size() - head
        && before[before.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        to[before.size() - 1 - tail] = static_cast<int>(now.size() - 1 - tail);
        ++tail;
    }
    const std::size_t n = before.size() - head - tail;
    const std::size_t m = now.size() - head - tail;
    std::vector<std::pair<std::size_t, std::size_t>> matches; // in the middle, top down
    // A common run over a list of a few thousand rooms is quick; beyond, only pairs in place.
    if (n > 0 && m > 0 && n * m <= 4'000'000) {
        std::vector<std::vector<int>> run(n + 1, std::vector<int>(m + 1, 0));
        for (std::size_t i = n; i-- > 0;)
            for (std::size_t j = m; j-- > 0;)
                run[i][j] = before[head + i] == now[head + j] ? run[i + 1][j + 1] + 1
                                                              : std::max(run[i + 1][j], run[i][j + 1]);
        for (std::size_t i = 0, j = 0; i < n && j < m;) {
            if (before[head + i] == now[head + j]) {
                matches.emplace_back(i++, j++);
            } else if (run[i + 1][j] >= run[i][j + 1]) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    matches.emplace_back(n, m);
    std::size_t i = 0;
    std::size_t j = 0;
    for (const auto& [mi, mj] : matches) {
        for (std::size_t k = 0; k < std::min(mi - i, mj - j); ++k)
            to[head + i + k] = static_cast<int>(head + j + k);
        if (mi < n)
            to[head + mi] = static_cast<int>(head + mj);
        i = mi + 1;
        j = mj + 1;
    }
    return to;
}

EditOutcome applyAt(QuoteSheet& sheet, std::string_view caption, const KeptEdit& edit, int row, const PriceBook& book,
    SheetListener* listener)
{
    const AddedItem item { edit.fields.name, edit.fields.quantity, edit.fields.unitPrice };
    switch (edit.kind) {
    case KeptEditKind::Modify:
        return TryModifyRow(sheet, caption, row, edit.fields, book, listener);
    case KeptEditKind::Delete:
        return TryDeleteRow(sheet, caption, row, book, listener);
    case KeptEditKind::Add:
        return TryAddItem(sheet, caption, item, book, listener);
    case KeptEditKind::AddToRoom:
        return TryAddItemToRoom(sheet, caption, row, item, book, listener);
    }
    return {};
}

// The row a kept edit acts on: -1 for an edit made with no row (修改 with nothing selected
// still prices the fees again); nothing when its row is gone.
std::optional<int> rowOfEdit(const QuoteSheet& sheet, const KeptEdit& edit)
{
    if (edit.kind == KeptEditKind::Add || edit.at.part == SheetPart::None)
        return -1;
    const int row = FindAnchoredRow(sheet, edit.at);
    if (row < 0)
        return std::nullopt;
    return row;
}

constexpr std::string_view kGoneMessage = "报价单中没有这一行了";

constexpr NamedValue<KeptEditKind> kKindNames[] = {
    { KeptEditKind::Modify, "modify" },
    { KeptEditKind::Delete, "delete" },
    { KeptEditKind::Add, "add" },
    { KeptEditKind::AddToRoom, "add-to-room" },
};

constexpr NamedValue<SheetPart> kPartNames[] = {
    { SheetPart::None, "none" },
    { SheetPart::Room, "room" },
    { SheetPart::Loose, "loose" },
    { SheetPart::Fees, "fees" },
    { SheetPart::Materials, "materials" },
};

} // namespace

RowAnchor AnchorOfRow(const QuoteSheet& sheet, int row)
{
    RowAnchor at;
    if (row < 0 || row >= sheet.RowCount())
        return at;
    at.item = Text(nameOf(sheet, row));
    const Parts parts = partsOf(sheet);
    if (row >= parts.fees) {
        const int begin = row >= parts.materials ? parts.materials : parts.fees;
        at.part = row >= parts.materials ? SheetPart::Materials : SheetPart::Fees;
        at.itemNumber = countNamed(sheet, begin, row, at.item);
        return at;
    }
    int rooms = 0;
    int looseAfter = 0;
    int header = -1;
    walkRooms(sheet, parts.fees, [&](int walked, int owner) {
        if (walked < row) {
            rooms += walked == owner ? 1 : 0;
        } else if (walked == row) {
            header = owner;
        } else if (header >= 0) {
            return false;
        } else if (owner < 0 && nameOf(sheet, walked) == at.item) {
            ++looseAfter;
        }
        return true;
    });
    if (header < 0) {
        at.part = SheetPart::Loose;
        at.itemNumber = looseAfter;
        return at;
    }
    at.part = SheetPart::Room;
    at.room = Text(nameOf(sheet, header));
    at.roomNumber = header == row ? rooms : rooms - 1;
    at.itemNumber = countNamed(sheet, header, row, at.item);
    return at;
}

int FindAnchoredRow(const QuoteSheet& sheet, const RowAnchor& at)
{
    const Parts parts = partsOf(sheet);
    switch (at.part) {
    case SheetPart::None:
        return -1;
    case SheetPart::Fees:
        return nthNamed(sheet, parts.fees, parts.materials, at.item, at.itemNumber);
    case SheetPart::Materials:
        return nthNamed(sheet, parts.materials, sheet.RowCount(), at.item, at.itemNumber);
    case SheetPart::Loose: {
        std::vector<int> loose;
        walkRooms(sheet, parts.fees, [&](int row, int owner) {
            if (owner < 0 && nameOf(sheet, row) == at.item)
                loose.push_back(row);
            return true;
        });
        const int count = static_cast<int>(loose.size());
        return at.itemNumber < count ? loose[static_cast<std::size_t>(count - 1 - at.itemNumber)] : -1;
    }
    case SheetPart::Room: {
        int room = -1; // the room of the rows walked, top down
        int found = -1;
        int number = at.itemNumber;
        // True while the walk goes on: false once the row is found.
        const auto checkRow = [&](int row, int& result, int& left) {
            if (nameOf(sheet, row) != at.item || left-- > 0)
                return true;
            result = row;
            return false;
        };
        walkRooms(sheet, parts.fees, [&](int row, int owner) {
            if (row == owner && ++room >= at.roomNumber)
                return room == at.roomNumber && nameOf(sheet, row) == at.room ? checkRow(row, found, number) : false;
            return owner < 0 || room != at.roomNumber || checkRow(row, found, number);
        });
        return found;
    }
    }
    return -1;
}

KeptEdit KeepEdit(const QuoteSheet& sheet, KeptEditKind kind, int row, const ItemFields& fields)
{
    KeptEdit edit { kind, {}, fields };
    if (kind == KeptEditKind::Add || kind == KeptEditKind::AddToRoom)
        edit.fields.unit.clear();
    if (kind == KeptEditKind::Delete)
        edit.fields = {};
    if (kind == KeptEditKind::AddToRoom)
        row = roomHeaderOf(sheet, partsOf(sheet).fees, row);
    if (kind != KeptEditKind::Add)
        edit.at = AnchorOfRow(sheet, row);
    return edit;
}

EditOutcome ApplyKeptEdit(
    QuoteSheet& sheet, std::string_view caption, const KeptEdit& edit, const PriceBook& book, SheetListener* listener)
{
    const std::optional<int> row = rowOfEdit(sheet, edit);
    if (!row)
        return { Text(kGoneMessage), {} };
    return applyAt(sheet, caption, edit, *row, book, listener);
}

ReplayOutcome ReplayKeptEdits(QuoteSheet& sheet, std::string_view caption, const std::vector<KeptEdit>& edits,
    const std::vector<RoomRecord>& before, const std::vector<RoomRecord>& now, const PriceBook& book)
{
    const std::vector<int> to = followRooms(before, now);
    ReplayOutcome outcome;
    for (const KeptEdit& kept : edits) {
        KeptEdit moved = kept;
        if (moved.at.part == SheetPart::Room) {
            // Headers past the rooms of the list (a full package's main materials, once the
            // user deleted the fees between) keep their place after the last room.
            const auto number = static_cast<std::size_t>(moved.at.roomNumber);
            moved.at.roomNumber = number < to.size()
                ? to[number]
                : static_cast<int>(std::min<std::size_t>(number - to.size() + now.size(), INT32_MAX));
        }
        const std::optional<int> row = moved.at.roomNumber < 0 ? std::nullopt : rowOfEdit(sheet, moved);
        if (!row) {
            outcome.lost.push_back(DescribeKeptEdit(kept));
            continue;
        }
        // Anchored anew on this sheet, so that the project keeps edits of its rooms as they are.
        KeptEdit anchored = KeepEdit(sheet, kept.kind, *row, kept.fields);
        EditOutcome made = applyAt(sheet, caption, kept, *row, book, nullptr);
        if (made.refusal) {
            outcome.lost.push_back(DescribeKeptEdit(kept) + "：" + *made.refusal);
            continue;
        }
        if (!made.change.empty())
            outcome.kept.push_back(std::move(anchored));
    }
    return outcome;
}

Text DescribeKeptEdit(const KeptEdit& edit)
{
    const auto quoted = [](std::string_view text) { return "“" + Text(text) + "”"; };
    const RowAnchor& at = edit.at;
    const Text room = "第" + IntegerToText(at.roomNumber + 1) + "个房间（" + at.room + "）";
    const Text row = at.part == SheetPart::Room && at.item == at.room && at.itemNumber == 0 ? room + "的标题行"
        : at.part == SheetPart::Room ? room + "中的" + (at.item.empty() ? Text("空行") : quoted(at.item))
        : at.item.empty()            ? Text("一个空行")
                                     : quoted(at.item);
    switch (edit.kind) {
    case KeptEditKind::Modify:
        return "修改" + row;
    case KeptEditKind::Delete:
        return "删除" + row;
    case KeptEditKind::Add:
        return "添加" + quoted(edit.fields.name);
    case KeptEditKind::AddToRoom:
        return "在" + room + "添加" + quoted(edit.fields.name);
    }
    return {};
}

Text LostEditsMessage(const std::vector<Text>& lost, std::size_t shown)
{
    Text message = "新的报价单已经算好。原来的修改中有 " + IntegerToText(static_cast<std::int32_t>(lost.size()))
        + " 项没有做（要改的行已不在新报价单上，或做了会使金额无法计算）：";
    for (std::size_t i = 0; i < std::min(shown, lost.size()); ++i)
        message += "\n" + IntegerToText(static_cast<std::int32_t>(i + 1)) + ". " + lost[i];
    if (lost.size() > shown)
        message += "\n……另有 " + IntegerToText(static_cast<std::int32_t>(lost.size() - shown)) + " 项";
    return message;
}

std::string_view KeptEditKindName(KeptEditKind kind) { return NameOf(kKindNames, kind); }

std::optional<KeptEditKind> KeptEditKindFromName(std::string_view name) { return ValueNamed(kKindNames, name); }

std::string_view SheetPartName(SheetPart part) { return NameOf(kPartNames, part); }

std::optional<SheetPart> SheetPartFromName(std::string_view name) { return ValueNamed(kPartNames, name); }

} // namespace rq
