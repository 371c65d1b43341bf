// How long a full-package quote of a very large dwelling takes, with the built-in price book
// and with a book read from its file first, JSON or a workbook (compare them in one run).
#include <benchmark/benchmark.h>

#include "bench/bench_rooms.h"
#include <cstdio>
#include <filesystem>

#include "files/capped_read.h"
#include "modules/price_book_output.h"
#include "prices/price_book_json.h"
#include "prices/price_book_xlsx.h"
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

// The same from a workbook as the program exports it (unpacked and its XML read each time).
void FullPackageQuoteWithLoadedWorkbook(benchmark::State& state)
{
    const auto rooms = MixedRooms(static_cast<int>(state.range(0)));
    const std::string path = (std::filesystem::temp_directory_path() / "renoquote-bench-book.xlsx").string();
    if (const std::optional<rq::Text> problem = rq::WritePriceBookFile(path, rq::BuiltInPriceBook())) {
        state.SkipWithError(problem->c_str());
        return;
    }
    const std::string file = *rq::ReadWholeFile(path, rq::kMaxPriceBookFileBytes).value;
    std::remove(path.c_str());
    for (auto _ : state) {
        const rq::PriceBookReadResult read = rq::ReadPriceBookXlsx(file, "默认");
        rq::DetailedQuote quote
            = rq::BuildDetailedQuote(rooms, "豪华型装修", rq::FloorChoice::Tiles, "全包", *read.book);
        benchmark::DoNotOptimize(quote);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FullPackageQuoteWithLoadedWorkbook)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
