// How long one edit of a very large full-package quote sheet takes: the row change plus
// the totals brought up to date. The sizes are rooms: 8,240 rooms make a sheet of about
// 100,000 rows, 82,400 rooms one of about 1,000,000 (the "rows" counter tells).
#include <benchmark/benchmark.h>

#include "bench/bench_rooms.h"
#include "quote/engine.h"
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

}  // namespace
