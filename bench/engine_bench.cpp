// How long a full-package quote of a very large dwelling takes, with the built-in price book
// and with a book read from its file first (compare the two in one run).
#include <benchmark/benchmark.h>

#include "bench/bench_rooms.h"
#include "prices/price_book_json.h"
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

// A book of one's own: the file is read and checked each time, then the quote is priced
// from it.
void FullPackageQuoteWithLoadedBook(benchmark::State& state)
{
    const auto rooms = MixedRooms(static_cast<int>(state.range(0)));
    const std::string file = rq::WritePriceBookJson(rq::BuiltInPriceBook());
    for (auto _ : state) {
        const rq::PriceBookReadResult read = rq::ReadPriceBookJson(file);
        rq::DetailedQuote quote
            = rq::BuildDetailedQuote(rooms, "豪华型装修", rq::FloorChoice::Tiles, "全包", *read.book);
        benchmark::DoNotOptimize(quote);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FullPackageQuoteWithLoadedBook)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
