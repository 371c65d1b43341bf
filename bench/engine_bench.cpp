// How long a full-package quote of a very large dwelling takes.
#include <benchmark/benchmark.h>

#include "quote/engine.h"

namespace {

std::vector<rq::RoomRecord> MixedRooms(int count)
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
    rooms.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        rooms.push_back(kinds[i % std::size(kinds)]);
    return rooms;
}

void FullPackageQuote(benchmark::State& state)
{
    const auto rooms = MixedRooms(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rq::DetailedQuote quote = rq::BuildDetailedQuote(rooms, "豪华型装修", rq::FloorChoice::Tiles, "全包");
        benchmark::DoNotOptimize(quote);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FullPackageQuote)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
