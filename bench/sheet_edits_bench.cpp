// How long one edit of a very large full-package quote sheet takes: the row change plus
// the totals brought up to date over the whole sheet.
#include <benchmark/benchmark.h>

#include "quote/engine.h"
#include "sheet/sheet_edits.h"

namespace {

rq::DetailedQuote LargeFullPackageQuote(int roomCount)
{
    const rq::RoomRecord kinds[] = {
        {{"客厅", "4500*3600*2800", "1500*1500", "(无)", "0", "4"}},
        {{"餐厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"}},
        {{"厨房", "2400*1800*2800", "800*1500", "推拉门", "1", "4"}},
        {{"卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"}},
        {{"卫生间", "2000*1500*2800", "600*1000", "塑钢门", "1", "4"}},
        {{"书房", "3000*3000*2800", "1200*1500", "原木门", "1", "3"}},
        {{"阳台", "3000*1500*2800", "0*0", "推拉门", "2", "1"}},
    };
    std::vector<rq::RoomRecord> rooms;
    for (int i = 0; i < roomCount; ++i)
        rooms.push_back(kinds[i % std::size(kinds)]);
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
