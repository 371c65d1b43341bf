#include "quote/engine.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "quote/amount_range.h"
#include "quote/fees.h"
#include "quote/full_package.h"
#include "quote/room_items.h"
#include "rooms/room_types.h"

namespace rq {

namespace {

// "金额超出范围：第3个房间「卧室」使报价超过 … 元，请检查房间的尺寸", or for a fee or total row
// its own name.
Text RoomOutOfRange(const RoomsAlike& rooms, std::size_t room)
{
    return Text(kAmountOutOfRange) + "第" + std::to_string(room + 1) + "个房间「" + rooms[room].type() + "」使报价超过 " +
           Text(kLargestYuanText) + " 元，请检查房间的尺寸";
}

Text RowOutOfRange(const QuoteSheet& sheet, int row)
{
    return Text(kAmountOutOfRange) + "「" + Text(sheet.GetCell(row, kItemName)) + "」超过 " + Text(kLargestYuanText) + " 元";
}

// The parts built for rooms alike. A room's part depends on nothing but the room (its
// numbering starts at its own first row), so each is built once.
class RoomParts {
public:
    // Numbered for the caller from `firstNumber` on, by the rooms' own alike numbers.
    explicit RoomParts(int firstNumber) : m_firstNumber(firstNumber) {}

    struct Kept {
        QuoteSheet part;
        std::vector<double> amounts;  // the 总计 of its rows that count in the totals
        int number = -1;
    };
    // The part kept for rooms of this alike number, or null.
    const Kept* find(int alike) const
    {
        return alike >= 0 && static_cast<std::size_t>(alike) < m_parts.size() ? m_parts[static_cast<std::size_t>(alike)].get()
                                                                                : nullptr;
    }
    // Rows [from, end) of `sheet` as the part of rooms of this alike number; returns the
    // part's number for the caller, -1 for a room not compared.
    int keep(int alike, const QuoteSheet& sheet, int from)
    {
        if (alike < 0)
            return -1;
        if (static_cast<std::size_t>(alike) >= m_parts.size())
            m_parts.resize(static_cast<std::size_t>(alike) + 1);
        auto& kept = m_parts[static_cast<std::size_t>(alike)];
        kept = std::make_unique<Kept>();
        kept->number = m_firstNumber + alike;
        for (int row = from; row < sheet.RowCount(); ++row) {
            kept->part.AppendRowFrom(sheet, row);
            if (const std::optional<double> total = sheet.TotalValue(row); total && CountsInTotals(sheet.GetKind(row)))
                kept->amounts.push_back(*total);
        }
        return kept->number;
    }

private:
    int m_firstNumber;
    std::vector<std::unique_ptr<Kept>> m_parts;
};

}  // namespace

Text QuoteCaption(std::string_view packageText)
{
    if (packageText == kFullPackage)
        return Text(kFullPackageCaption);
    return Text(packageText == kHalfPackage ? kHalfPackageCaption : kQuoteWindowTitle);
}

void BuildQuoteInParts(const RoomsAlike& rooms, std::string_view grade, FloorChoice floor,
                       std::string_view packageText, std::optional<Text>& outOfRange, const PriceBook& book,
                       QuoteSheet& sheet, const QuotePartDone& partDone)
{
    outOfRange.reset();
    const bool fullPackage = packageText == kFullPackage;
    if (!fullPackage && packageText != kHalfPackage)
        return;
    // Emptied after each part, the sheet holds one part at a time: the running total of the
    // parts before goes on in `sum`, and the range check's in `checked`.
    const bool keeping = !partDone;
    std::int32_t sum = 0;
    double checked = 0;
    // Ends a part, rows [from, end) of `part`: the sheet, or a part kept for an equal room.
    // False when nothing more is to be built. The first row out of range is named by its
    // room, or by its own name.
    const auto endPart = [&](const QuoteSheet& part, int from, std::optional<std::size_t> room, int alike = -1) {
        if (!outOfRange)
            if (const int row = FirstRowOutOfRange(part, from, checked); row >= 0)
                outOfRange = room ? RoomOutOfRange(rooms, *room) : RowOutOfRange(part, row);
        if (keeping)
            return true;
        if (outOfRange)
            return false;
        partDone(part, alike);
        sum = ContinuedTotal(part, sum);
        sheet.Clear();
        return true;
    };
    // A room's part, built or taken from an equal room's.
    const auto roomPart = [&](std::size_t room, RoomParts& parts, auto build) {
        const int from = sheet.RowCount();
        const RoomParts::Kept* seen = parts.find(rooms.alike(room));
        if (seen && keeping) {
            for (int row = 0; row < seen->part.RowCount(); ++row)
                sheet.AppendRowFrom(seen->part, row);
            return endPart(sheet, from, room);
        }
        if (seen) {
            // Its rows passed the check when they were built: the running sums go on.
            for (const double amount : seen->amounts) {
                if (!AddWithinRange(amount, checked)) {
                    outOfRange = RoomOutOfRange(rooms, room);
                    return false;
                }
                sum = AddToRunningTotal(sum, amount);
            }
            partDone(seen->part, seen->number);
            return true;
        }
        build(rooms[room]);
        return endPart(sheet, from, room, parts.keep(rooms.alike(room), sheet, from));
    };
    // One section per room: its header, its numbered items and a closing blank row. A room
    // type the company does not price is still listed by its header, so nothing typed goes
    // missing.
    RoomParts sections(0);
    for (std::size_t room = 0; room < rooms.size(); ++room) {
        const bool more = roomPart(room, sections, [&](const RoomRecord& record) {
            sheet.AppendHeaderRow(record.type());
            if (IsPricedRoomType(record.type())) {
                AppendRoomItems(sheet, record, grade, floor, book);
                sheet.AppendBlankRow();
            }
        });
        if (!more)
            return;
    }
    const int feesFrom = sheet.RowCount();
    AppendFeesAndProjectTotal(sheet, keeping ? 0 : sum, book);
    if (!endPart(sheet, feesFrom, std::nullopt) || !fullPackage)
        return;
    RoomParts additions(static_cast<int>(RoomsAlike::kMostCompared));
    for (std::size_t room = 0; room < rooms.size(); ++room) {
        const bool more = roomPart(room, additions, [&](const RoomRecord& record) {
            AppendFullPackageAdditions(sheet, record, grade, floor, book);
        });
        if (!more)
            return;
    }
    const int footFrom = sheet.RowCount();
    AppendFullPackageTotal(sheet, keeping ? 0 : sum);
    endPart(sheet, footFrom, std::nullopt);
}

DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText, const PriceBook& book)
{
    std::optional<Text> outOfRange;
    return BuildDetailedQuote(rooms, grade, floor, packageText, outOfRange, book);
}

DetailedQuote BuildDetailedQuote(const std::vector<RoomRecord>& rooms, std::string_view grade, FloorChoice floor,
                                 std::string_view packageText, std::optional<Text>& outOfRange,
                                 const PriceBook& book)
{
    DetailedQuote quote;
    quote.caption = QuoteCaption(packageText);
    // A room section and its additions rarely exceed 16 rows; the foot adds 9.
    quote.sheet.Reserve(static_cast<int>(std::min<std::size_t>(rooms.size(), 1'000'000) * 16 + 9));
    BuildQuoteInParts(RoomsAlike(rooms), grade, floor, packageText, outOfRange, book, quote.sheet);
    return quote;
}

}  // namespace rq
