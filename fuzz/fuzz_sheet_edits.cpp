// Random runs of 修改, 删除此项 and 确定添加 on a quote sheet, aimed mostly at the rows that give
// the sheet its shape (the fee header, the fees, blank rows, the totals, added items), and
// typed names that copy those rows' names. A small model of its own keeps every row with
// what it is and what its cells must say; after each edit the sheet must equal it, row for
// row and cell for cell, and pass the structure check. The model sums every total itself:
// a total covers each row once, never a row that holds an earlier sum; every fee row
// follows the items after each edit, at the user's rate where one was typed.
//
// Undo and redo come in between, at random: every state they lead to must be the one the
// edits reached without them, byte for byte and kinds included; at the end undoing every
// edit gives the first sheet and redoing them all the last. A mirror kept only through
// what the edits announce, as the window's table is, must show the sheet at every step.
// The edits as the project keeps them, anchored by room and name, made again on the first
// sheet give the sheet the edits left, byte for byte, when the window would have let each
// of them through its checks.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "quote/engine.h"
#include "quote/fees.h"
#include "sheet/edit_checks.h"
#include "sheet/kept_edits.h"
#include "sheet/sheet_change.h"
#include "sheet/sheet_edits.h"

namespace {

using rq::RowKind;

constexpr const char* kRoomTypes[] = {"客厅", "厨房", "卧室", "卫生间", "阳台", "其它的", "工程总造价"};
constexpr const char* kNames[] = {"其它的",   "工程总造价", "全包总价格", "材料搬运费", "垃圾清理费用",
                                  "工程管理费", "清水漆",     "",           "墙体拆除"};
constexpr const char* kNumbers[] = {"", "0", "1", "2", "8%", "44.5", "-3", "1e9", "abc"};

struct Fee {
    const char* name;
    const char* unit;
    const char* rate;
    double share;
};
constexpr Fee kFees[] = {{"材料搬运费", "户", "2%", 0.02}, {"垃圾清理费用", "户", "1%", 0.01}, {"工程管理费", "项", "8%", 0.08}};

bool isFeeName(const std::string& name)
{
    return std::ranges::any_of(kFees, [&](const Fee& fee) { return name == fee.name; });
}

// The model's own row: what the row is, and its six texts. The 总计 of a row that holds a
// total is not kept here; the model computes it from the rows it covers.
enum class Is { Header, Item, Added, Blank, FeeHeader, Fee, ProjectTotal, GrandTotal, HeldSum };

struct Row {
    Is is;
    rq::QuoteRow cells;
};

using Model = std::vector<Row>;

RowKind kindOf(Is is)
{
    switch (is) {
    case Is::Header: return RowKind::RoomHeader;
    case Is::Item: return RowKind::Item;
    case Is::Added: return RowKind::AddedItem;
    case Is::Blank: return RowKind::Blank;
    case Is::FeeHeader: return RowKind::FeeHeader;
    case Is::Fee: return RowKind::Fee;
    case Is::ProjectTotal: return RowKind::ProjectTotal;
    case Is::GrandTotal: return RowKind::FullPackageTotal;
    case Is::HeldSum: return RowKind::Sum;
    }
    return RowKind::Blank;
}

Is fromKind(RowKind kind)
{
    for (Is is : {Is::Header, Is::Item, Is::Added, Is::Blank, Is::FeeHeader, Is::Fee, Is::ProjectTotal, Is::GrandTotal,
                  Is::HeldSum})
        if (kindOf(is) == kind)
            return is;
    return Is::Blank;
}

bool holdsTotal(Is is) { return is == Is::ProjectTotal || is == Is::GrandTotal || is == Is::HeldSum; }
bool ofFeeSection(Is is) { return is == Is::FeeHeader || is == Is::Fee || is == Is::ProjectTotal; }

bool bare(const Row& row)
{
    return std::all_of(row.cells.begin(), row.cells.begin() + rq::kTotal, [](const auto& cell) { return cell.empty(); });
}

std::int32_t add(std::int32_t sum, const std::string& total)
{
    return total.empty() ? sum : rq::ToInteger(static_cast<double>(sum) + rq::TextToNumber(total));
}

// The sum every total row must show: the rows above that do not hold a total themselves.
std::int32_t sumAbove(const Model& model, std::size_t end)
{
    std::int32_t sum = 0;
    for (std::size_t i = 0; i < end; ++i)
        if (!holdsTotal(model[i].is))
            sum = add(sum, model[i].cells[rq::kTotal]);
    return sum;
}

// Writes what the totals must say into the model: every project total the rows above it,
// the last row (whatever it was) the whole sheet but itself.
void settleTotals(Model& model)
{
    for (std::size_t i = 0; i < model.size(); ++i)
        if (model[i].is == Is::ProjectTotal)
            model[i].cells[rq::kTotal] = rq::IntegerToText(sumAbove(model, i));
    if (model.empty())
        return;
    Row& last = model.back();
    if (!holdsTotal(last.is))
        last.is = Is::HeldSum;
    last.cells[rq::kTotal] = rq::IntegerToText(sumAbove(model, model.size() - 1));
}

// A fee row's total on `items`: the quote's own figure while the row is as the quote wrote
// it, else its quantity × rate per cent; a row renamed to no fee keeps the total it has.
void priceFee(Row& row, std::int32_t items)
{
    for (const Fee& fee : kFees) {
        if (row.cells[rq::kItemName] != fee.name)
            continue;
        const bool standard = row.cells[rq::kUnit] == fee.unit && row.cells[rq::kQuantity] == "1"
                              && row.cells[rq::kUnitPrice] == fee.rate;
        row.cells[rq::kTotal] = rq::NumberToText(
            standard ? items * fee.share
                     : rq::TextToNumber(row.cells[rq::kQuantity]) * rq::TextToNumber(row.cells[rq::kUnitPrice]) * items / 100);
    }
}

// After 修改 and 删除此项 every fee row follows the items above the fee section.
void repriceFees(Model& model)
{
    std::size_t begin = 0;
    while (begin < model.size() && !ofFeeSection(model[begin].is))
        ++begin;
    const std::int32_t items = sumAbove(model, begin);
    for (Row& row : model)
        if (row.is == Is::Fee)
            priceFee(row, items);
}

// The items' subtotal a fee row's rate applies to: the rows above the fee section.
std::int32_t feeBase(const Model& model)
{
    std::size_t feesAt = 0;
    while (feesAt < model.size() && !ofFeeSection(model[feesAt].is))
        ++feesAt;
    return sumAbove(model, feesAt);
}

// What a row the user wrote into totals: quantity × unit price, a fee's rate on the base.
std::string ownTotal(const Row& row, std::int32_t base)
{
    const double product = rq::TextToNumber(row.cells[rq::kQuantity]) * rq::TextToNumber(row.cells[rq::kUnitPrice]);
    return rq::NumberToText(isFeeName(row.cells[rq::kItemName]) ? product * base / 100 : product);
}

// Before rows come below a held sum the user had typed into, it is their row again.
void releaseHeldSum(Model& model)
{
    if (model.empty() || model.back().is != Is::HeldSum || bare(model.back()))
        return;
    const std::int32_t base = feeBase(model);
    model.back().is = Is::Item;
    model.back().cells[rq::kTotal] = ownTotal(model.back(), base);
}

void dropFoot(Model& model)
{
    if (!model.empty() && model.back().is == Is::HeldSum && bare(model.back())) {
        model.pop_back();
        return;
    }
    if (model.empty() || model.back().is != Is::GrandTotal)
        return;
    model.pop_back();
    if (!model.empty() && model.back().is == Is::Blank)
        model.pop_back();
}

void appendFoot(Model& model)
{
    model.push_back({Is::Blank, {}});
    model.push_back({Is::GrandTotal, {"", "全包总价格", "", "", "", ""}});
    settleTotals(model);
}

void modify(Model& model, bool full, int at, const rq::ItemFields& f)
{
    // 修改 that changes none of the four texts changes nothing, totals included.
    if (at >= 0 && at < static_cast<int>(model.size())) {
        const Row& row = model[static_cast<std::size_t>(at)];
        if (row.cells[rq::kItemName] == f.name && row.cells[rq::kUnit] == f.unit &&
            row.cells[rq::kQuantity] == f.quantity && row.cells[rq::kUnitPrice] == f.unitPrice)
            return;
    }
    const std::int32_t base = feeBase(model);
    if (at >= 0 && at < static_cast<int>(model.size())) {
        Row& row = model[static_cast<std::size_t>(at)];
        row.cells[rq::kItemName] = f.name;
        row.cells[rq::kUnit] = f.unit;
        row.cells[rq::kQuantity] = f.quantity;
        row.cells[rq::kUnitPrice] = f.unitPrice;
        const bool typed = !(f.name + f.unit + f.quantity + f.unitPrice).empty();
        if (typed && (row.is == Is::Blank || row.is == Is::HeldSum))
            row.is = Is::Item;
        row.cells[rq::kTotal] = ownTotal(row, base);
    }
    repriceFees(model);
    if (!full) {
        settleTotals(model);
        return;
    }
    dropFoot(model);
    releaseHeldSum(model);
    for (std::size_t i = 0; i < model.size(); ++i)
        if (model[i].is == Is::ProjectTotal)
            model[i].cells[rq::kTotal] = rq::IntegerToText(sumAbove(model, i));
    appendFoot(model);
}

void erase(Model& model, int at)
{
    if (at >= 0 && at < static_cast<int>(model.size()))
        model.erase(model.begin() + at);
    repriceFees(model);
    settleTotals(model);
}

void addItem(Model& model, bool full, const rq::AddedItem& item)
{
    if (full)
        dropFoot(model);
    for (Row& row : model)
        if (row.is == Is::HeldSum && bare(row))
            row = {Is::Blank, {}};
    // The old fee section: its header, fees and project total, and the blank row (or held
    // sum) after the last fee when the project total is gone. Rows typed into it stay.
    std::size_t begin = model.size();
    std::size_t end = model.size();
    for (std::size_t i = 0; i < model.size(); ++i) {
        if (!ofFeeSection(model[i].is))
            continue;
        begin = std::min(begin, i);
        end = i + 1;
        if (model[i].is == Is::ProjectTotal)
            break;
    }
    if (begin < model.size() && model[end - 1].is != Is::ProjectTotal && end < model.size()
        && (model[end].is == Is::Blank || model[end].is == Is::HeldSum))
        ++end;
    // All that is left of the section: the row that took the sum, known by its name.
    if (begin == model.size() && !model.empty() && model.back().is == Is::HeldSum
        && (model.back().cells[rq::kItemName] == "其它的" || isFeeName(model.back().cells[rq::kItemName]))) {
        begin = model.size() - 1;
        end = model.size();
    }
    if (begin == model.size() || end < model.size())
        releaseHeldSum(model);
    Model rows(model.begin(), model.begin() + static_cast<long>(std::min(begin, model.size())));
    Model ownFees;  // the old fee rows: a rate the user set stays
    for (std::size_t i = begin; i < end; ++i) {
        if ((model[i].is == Is::Fee || model[i].is == Is::HeldSum) && isFeeName(model[i].cells[rq::kItemName]))
            ownFees.push_back(model[i]);
        if (!ofFeeSection(model[i].is) && model[i].is != Is::Blank && model[i].is != Is::HeldSum)
            rows.push_back(model[i]);
    }
    Model below(model.begin() + static_cast<long>(end), model.end());
    if (!full) {
        rows.insert(rows.end(), below.begin(), below.end());
        below.clear();
    }
    const std::size_t n = rows.size();
    const bool joins = n >= 2 && rows[n - 2].is == Is::Added && rows[n - 1].is == Is::Blank;
    if (joins)
        rows.pop_back();
    else
        rows.push_back({Is::Blank, {}});
    const double product = rq::TextToNumber(item.quantity) * rq::TextToNumber(item.unitPrice);
    rows.push_back({Is::Added, {"-", item.name, "增", item.quantity, item.unitPrice, rq::NumberToText(product)}});
    rows.push_back({Is::Blank, {}});
    const std::int32_t items = sumAbove(rows, rows.size());
    rows.push_back({Is::FeeHeader, {"", "其它的", "", "", "", ""}});
    for (const Fee& fee : kFees) {
        Row row{Is::Fee, {"", fee.name, fee.unit, "1", fee.rate, ""}};
        const auto own = std::ranges::find_if(ownFees, [&](const Row& r) { return r.cells[rq::kItemName] == fee.name; });
        if (own != ownFees.end()) {
            row = *own;
            row.is = Is::Fee;  // a fee that took the sum is a fee again in the new section
        }
        priceFee(row, items);
        rows.push_back(row);
    }
    rows.push_back({Is::Blank, {}});
    rows.push_back({Is::ProjectTotal, {"", "工程总造价", "", "", "", ""}});
    rows.back().cells[rq::kTotal] = rq::IntegerToText(sumAbove(rows, rows.size() - 1));
    rows.insert(rows.end(), below.begin(), below.end());
    model = std::move(rows);
    if (full) {
        model.push_back({Is::Blank, {}});
        model.push_back({Is::GrandTotal, {"", "全包总价格", "", "", "", ""}});
        model.back().cells[rq::kTotal] = rq::IntegerToText(sumAbove(model, model.size() - 1));
    }
}

void dump(const rq::QuoteSheet& sheet, const Model& model, const char* step)
{
    if (std::getenv("FUZZ_DUMP") == nullptr)
        return;
    std::fprintf(stderr, "-- %s\n", step);
    for (int row = 0; row < std::max(sheet.RowCount(), static_cast<int>(model.size())); ++row) {
        std::fprintf(stderr, "%-18s", std::string(rq::RowKindName(sheet.GetKind(row))).c_str());
        for (int column = 0; column < rq::kSheetColumnCount; ++column)
            std::fprintf(stderr, "%s|", std::string(sheet.GetCell(row, column)).c_str());
        if (row < static_cast<int>(model.size())) {
            std::fprintf(stderr, "   model %s ", std::string(rq::RowKindName(kindOf(model[row].is))).c_str());
            for (const auto& cell : model[row].cells)
                std::fprintf(stderr, "%s|", cell.c_str());
        }
        std::fprintf(stderr, "\n");
    }
}

void check(const rq::QuoteSheet& sheet, const Model& model, const std::string& caption)
{
    dump(sheet, model, "check");
    FUZZ_CHECK(sheet.RowCount() == static_cast<int>(model.size()));
    for (int row = 0; row < sheet.RowCount(); ++row) {
        FUZZ_CHECK(sheet.GetKind(row) == kindOf(model[row].is));
        FUZZ_CHECK(sheet.row(row) == model[row].cells);
    }
    FUZZ_CHECK(!rq::CheckSheetStructure(sheet, caption));
}

// The rows as a view that follows only the announcements has them.
class Mirror : public rq::SheetListener {
public:
    explicit Mirror(const rq::QuoteSheet& sheet) : m_sheet(sheet)
    {
        for (int row = 0; row < sheet.RowCount(); ++row)
            m_rows.push_back(sheet.row(row));
    }
    void rowsReplacing(int at, int removed, int inserted) override
    {
        FUZZ_CHECK(at >= 0 && at + removed <= static_cast<int>(m_rows.size()));
        m_pending = inserted;
    }
    void rowsReplaced(int at, int removed, int inserted) override
    {
        FUZZ_CHECK(inserted == m_pending);
        m_rows.erase(m_rows.begin() + at, m_rows.begin() + at + removed);
        for (int i = 0; i < inserted; ++i)
            m_rows.insert(m_rows.begin() + at + i, m_sheet.row(at + i));
    }
    void cellChanged(int row, int column) override
    {
        FUZZ_CHECK(row >= 0 && row < static_cast<int>(m_rows.size()));
        m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = m_sheet.GetCell(row, column);
    }
    bool showsTheSheet() const
    {
        if (static_cast<int>(m_rows.size()) != m_sheet.RowCount())
            return false;
        for (int row = 0; row < m_sheet.RowCount(); ++row)
            if (m_rows[static_cast<std::size_t>(row)] != m_sheet.row(row))
                return false;
        return true;
    }

private:
    const rq::QuoteSheet& m_sheet;
    std::vector<rq::QuoteRow> m_rows;
    int m_pending = 0;
};

template <std::size_t N>
std::string pick(FuzzedDataProvider& in, const char* const (&texts)[N])
{
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return in.ConsumeRandomLengthString(12);
    return texts[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

// Mostly a row that shapes the sheet; now and then any row, or none.
int pickRow(FuzzedDataProvider& in, const rq::QuoteSheet& sheet)
{
    std::vector<int> shaping;
    for (int row = 0; row < sheet.RowCount(); ++row)
        if (sheet.GetKind(row) != RowKind::Item && sheet.GetKind(row) != RowKind::RoomHeader)
            shaping.push_back(row);
    if (!shaping.empty() && in.ConsumeIntegralInRange(0, 3) != 0)
        return shaping[in.ConsumeIntegralInRange<std::size_t>(0, shaping.size() - 1)];
    return in.ConsumeIntegralInRange(-1, sheet.RowCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::vector<rq::RoomRecord> rooms(in.ConsumeIntegralInRange<std::size_t>(1, 3));
    for (auto& room : rooms)
        room.cells = {pick(in, kRoomTypes), "3200*2800*2920", "800*1500", "实木门", "1", "4"};
    const bool full = in.ConsumeBool();
    rq::DetailedQuote quote =
        rq::BuildDetailedQuote(rooms, "经济型装修", rq::FloorChoice::Tiles, full ? rq::kFullPackage : rq::kHalfPackage);
    rq::QuoteSheet& sheet = quote.sheet;
    Model model;
    for (int row = 0; row < sheet.RowCount(); ++row)
        model.push_back({fromKind(sheet.GetKind(row)), sheet.row(row)});
    check(sheet, model, quote.caption);

    // The history: the states the edits reached, with the models of them, and the changes
    // that lead from each to the next; states[made] is on the sheet.
    std::vector<rq::QuoteSheet> states{sheet};
    std::vector<Model> models{model};
    std::vector<rq::SheetChange> changes;
    std::vector<rq::KeptEdit> kept;  // in step with changes
    std::vector<char> passed;        // whether the window's check let each change through
    std::size_t made = 0;
    Mirror mirror(sheet);

    for (int edits = in.ConsumeIntegralInRange(1, 16); edits > 0 && in.remaining_bytes() > 0; --edits) {
        rq::SheetChange change;
        rq::KeptEdit keep;
        bool checks = true;
        switch (in.ConsumeIntegralInRange(0, 4)) {
        case 0: {
            const int row = pickRow(in, sheet);
            rq::ItemFields fields = rq::FieldsOfRow(sheet, row);  // 修改 as clicked: unchanged
            if (in.ConsumeBool())
                fields = {pick(in, kNames), pick(in, kNumbers), pick(in, kNumbers), pick(in, kNumbers)};
            keep = rq::KeepEdit(sheet, rq::KeptEditKind::Modify, row, fields);
            // The anchor names the row it was taken from, and no other.
            FUZZ_CHECK(keep.at.part == rq::SheetPart::None ? row < 0 || row >= sheet.RowCount()
                                                          : rq::FindAnchoredRow(sheet, keep.at) == row);
            checks = !rq::CheckModifyRow(sheet, quote.caption, row, fields);
            change = rq::ModifyRow(sheet, quote.caption, row, fields, rq::BuiltInPriceBook(), &mirror);
            modify(model, full, row, fields);
            break;
        }
        case 1: {
            const int row = pickRow(in, sheet);
            keep = rq::KeepEdit(sheet, rq::KeptEditKind::Delete, row, {});
            FUZZ_CHECK(keep.at.part == rq::SheetPart::None ? row < 0 || row >= sheet.RowCount()
                                                          : rq::FindAnchoredRow(sheet, keep.at) == row);
            checks = !rq::CheckDeleteRow(sheet, quote.caption, row);
            change = rq::DeleteRow(sheet, quote.caption, row, rq::BuiltInPriceBook(), &mirror);
            erase(model, row);
            break;
        }
        case 2: {
            const rq::AddedItem item{pick(in, kNames), pick(in, kNumbers), pick(in, kNumbers)};
            keep = rq::KeepEdit(sheet, rq::KeptEditKind::Add, -1, {item.name, {}, item.quantity, item.unitPrice});
            checks = !rq::CheckAddItem(sheet, quote.caption, item);
            change = rq::AddItem(sheet, quote.caption, item, rq::BuiltInPriceBook(), &mirror);
            addItem(model, full, item);
            break;
        }
        case 3:
            if (made > 0) {
                rq::UndoChange(sheet, changes[--made], &mirror);
                model = models[made];
            }
            break;
        default:
            if (made < changes.size()) {
                rq::RedoChange(sheet, changes[made++], &mirror);
                model = models[made];
            }
            break;
        }
        // An edit that changed nothing is not kept, as the window keeps none.
        if (!change.empty()) {
            changes.resize(made);
            kept.resize(made);
            passed.resize(made);
            states.resize(made + 1);
            models.resize(made + 1);
            changes.push_back(std::move(change));
            kept.push_back(std::move(keep));
            passed.push_back(checks);
            states.push_back(sheet);
            models.push_back(model);
            ++made;
        }
        check(sheet, model, quote.caption);
        FUZZ_CHECK(sheet == states[made]);
        FUZZ_CHECK(mirror.showsTheSheet());
    }
    if (std::all_of(passed.begin(), passed.begin() + static_cast<std::ptrdiff_t>(made), [](char ok) { return ok; })) {
        rq::QuoteSheet replayed = states.front();
        const std::vector<rq::KeptEdit> onSheet(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(made));
        const rq::ReplayOutcome outcome =
            rq::ReplayKeptEdits(replayed, quote.caption, onSheet, rooms, rooms, rq::BuiltInPriceBook());
        FUZZ_CHECK(outcome.lost.empty());
        FUZZ_CHECK(outcome.kept == onSheet);
        FUZZ_CHECK(replayed == sheet);
    }
    while (made > 0)
        rq::UndoChange(sheet, changes[--made], &mirror);
    FUZZ_CHECK(sheet == states.front());
    while (made < changes.size())
        rq::RedoChange(sheet, changes[made++], &mirror);
    FUZZ_CHECK(sheet == states.back());
    FUZZ_CHECK(mirror.showsTheSheet());
    return 0;
}
