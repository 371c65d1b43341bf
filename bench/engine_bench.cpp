// How long a full-package quote of a very large dwelling takes.
#include <benchmark/benchmark.h>

#include "bench/bench_rooms.h"
#include "quote/engine.h"

namespace {

using rq::bench::MixedRooms;

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
