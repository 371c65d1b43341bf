// How long one edit of a very large full-package quote sheet takes: the row change plus
// the totals brought up to date. The sizes are rooms: 8,240 rooms make a sheet of about
// 100,000 rows, 82,400 rooms one of about 1,000,000 (the "rows" counter tells).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <vector>

#include "bench/bench_rooms.h"
#include "quote/engine.h"
#include "sheet/kept_edits.h"
#include "sheet/sheet_edits.h"

namespace {

rq::DetailedQuote LargeFullPackageQuote(int roomCount)
{
    const std::vector<rq::RoomRecord> rooms = rq::bench::MixedRooms(roomCount);
    return rq::BuildDetailedQuote(rooms, "豪华型装修", rq::FloorChoice::Tiles, rq::kFullPackage);
}

// "修改" on the first item: the subtotal, the foot rebuilt, both totals summed afresh.
void ModifyFullPackageSheet(benchmark::State& state)
{
    rq::DetailedQuote quote = LargeFullPackageQuote(static_cast<int>(state.range(0)));
    const char* quantities[] = {"8.96", "9.5"};
    int turn = 0;
    for (auto _ : state) {
        rq::ModifyRow(quote.sheet, quote.caption, 1, {"顶面批腻子", "M2", quantities[turn ^= 1], "58"});
        benchmark::DoNotOptimize(quote.sheet.GetCell(quote.sheet.RowCount() - 1, rq::kTotal).data());
    }
    state.counters["rows"] = quote.sheet.RowCount();
}
BENCHMARK(ModifyFullPackageSheet)->Arg(10'000)->Arg(8'240)->Arg(82'400)->Unit(benchmark::kMillisecond);

// "删除此项" on an item near the top: every row below moves up by one.
void DeleteFromFullPackageSheet(benchmark::State& state)
{
    rq::DetailedQuote quote = LargeFullPackageQuote(static_cast<int>(state.range(0)));
    state.counters["rows"] = quote.sheet.RowCount();
    for (auto _ : state) {
        rq::DeleteRow(quote.sheet, quote.caption, 2);
        benchmark::DoNotOptimize(quote.sheet.GetCell(quote.sheet.RowCount() - 1, rq::kTotal).data());
    }
}
BENCHMARK(DeleteFromFullPackageSheet)->Arg(82'400)->Unit(benchmark::kMillisecond);

// 撤销 and 重做 of one "删除此项" near the top of a sheet of about a million rows: the row
// comes back and goes again, the fees and totals it moved with it, from what the edit kept.
void UndoRedoDeleteOnFullPackageSheet(benchmark::State& state)
{
    rq::DetailedQuote quote = LargeFullPackageQuote(static_cast<int>(state.range(0)));
    state.counters["rows"] = quote.sheet.RowCount();
    const rq::SheetChange change = rq::DeleteRow(quote.sheet, quote.caption, 2);
    for (auto _ : state) {
        rq::UndoChange(quote.sheet, change);
        rq::RedoChange(quote.sheet, change);
        benchmark::DoNotOptimize(quote.sheet.GetCell(quote.sheet.RowCount() - 1, rq::kTotal).data());
    }
}
BENCHMARK(UndoRedoDeleteOnFullPackageSheet)->Arg(82'400)->Unit(benchmark::kMillisecond);

// "确定添加" on a sheet of many rooms: the item goes in above the fees, the foot is rebuilt.
void AddToFullPackageSheet(benchmark::State& state)
{
    rq::DetailedQuote quote = LargeFullPackageQuote(static_cast<int>(state.range(0)));
    state.counters["rows"] = quote.sheet.RowCount();
    for (auto _ : state) {
        rq::AddItem(quote.sheet, quote.caption, {"开关插座", "3", "25"});
        benchmark::DoNotOptimize(quote.sheet.GetCell(quote.sheet.RowCount() - 1, rq::kTotal).data());
    }
}
BENCHMARK(AddToFullPackageSheet)->Arg(82'400)->Unit(benchmark::kMillisecond);

// 10,000 "确定添加" in a row on a one-room full-package sheet, as a script of edits may do:
// the whole run, from the fresh sheet to the last total.
void TenThousandAdds(benchmark::State& state)
{
    const rq::DetailedQuote fresh = LargeFullPackageQuote(1);
    for (auto _ : state) {
        rq::DetailedQuote quote = fresh;
        for (int i = 0; i < 10'000; ++i)
            rq::AddItem(quote.sheet, quote.caption, {"开关插座", "3", "25"});
        benchmark::DoNotOptimize(quote.sheet.GetCell(quote.sheet.RowCount() - 1, rq::kTotal).data());
        state.counters["rows"] = quote.sheet.RowCount();
    }
}
BENCHMARK(TenThousandAdds)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The recomputation alone, as "删除此项" runs it after removing the row.
void RecomputeFullPackageTotals(benchmark::State& state)
{
    rq::DetailedQuote quote = LargeFullPackageQuote(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rq::RecomputeTotals(quote.sheet, quote.caption);
        benchmark::DoNotOptimize(quote.sheet.GetCell(quote.sheet.RowCount() - 1, rq::kTotal).data());
    }
    state.counters["rows"] = quote.sheet.RowCount();
}
BENCHMARK(RecomputeFullPackageTotals)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The heap the program holds now, in bytes: what malloc handed out and has not had back.
double HeapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd);
}

// 10,000 "修改" kept in the history of a 1,000-room full-package sheet, as the project keeps
// them: what each changed (to undo it) and the edit itself, anchored (to make it again
// after a recompute). "sheet_MB" is the sheet alone, "kept_MB" what the edits hold above it.
void MemoryOfTenThousandKeptEdits(benchmark::State& state)
{
    for (auto _ : state) {
        const double start = HeapInUse();
        rq::DetailedQuote quote = LargeFullPackageQuote(1'000);
        const double withSheet = HeapInUse();
        std::vector<int> items;
        for (int row = 0; row < quote.sheet.RowCount(); ++row)
            if (quote.sheet.GetKind(row) == rq::RowKind::Item)
                items.push_back(row);
        std::vector<rq::SheetChange> changes;
        std::vector<rq::KeptEdit> kept;
        changes.reserve(10'000);
        kept.reserve(10'000);
        for (int i = 0; i < 10'000; ++i) {
            const int row = items[static_cast<std::size_t>(i * 7919) % items.size()];
            rq::ItemFields fields = rq::FieldsOfRow(quote.sheet, row);
            fields.quantity = rq::IntegerToText(i % 97 + 1);
            kept.push_back(rq::KeepEdit(quote.sheet, rq::KeptEditKind::Modify, row, fields));
            changes.push_back(rq::ModifyRow(quote.sheet, quote.caption, row, fields));
        }
        state.counters["rows"] = quote.sheet.RowCount();
        state.counters["sheet_MB"] = (withSheet - start) / 1e6;
        state.counters["kept_MB"] = (HeapInUse() - withSheet) / 1e6;
        benchmark::DoNotOptimize(changes.data());
    }
}
BENCHMARK(MemoryOfTenThousandKeptEdits)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
