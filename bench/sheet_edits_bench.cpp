// How long one edit of a very large full-package quote sheet takes: the row change plus
// the totals brought up to date over the whole sheet.
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
BENCHMARK(ModifyFullPackageSheet)->Arg(10'000)->Unit(benchmark::kMillisecond);

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
