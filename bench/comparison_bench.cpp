// The comparison of a large dwelling (100 rooms): ten quotes and five estimates with the
// parts of every option, against the baseline of the same ten sheets and five estimates
// made one by one, as ten presses of the package buttons would. The ratio of the two is
// what the comparison adds; the figure itself says whether the window can compute it
// on its own thread (it should be a few milliseconds).
#include <benchmark/benchmark.h>

#include "bench/bench_rooms.h"
#include "compare/comparison.h"
#include "quote/engine.h"

namespace {

void CompareHundredRooms(benchmark::State& state)
{
    const std::vector<rq::RoomRecord> rooms = rq::bench::MixedRooms(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::optional<rq::Comparison> comparison
            = rq::CompareOptions(rooms, rq::FloorChoice::Boards, rq::BuiltInPriceBook());
        benchmark::DoNotOptimize(comparison);
    }
}
BENCHMARK(CompareHundredRooms)->Arg(100)->Unit(benchmark::kMillisecond);

void TenSheetsAndFiveEstimatesOneByOne(benchmark::State& state)
{
    const std::vector<rq::RoomRecord> rooms = rq::bench::MixedRooms(static_cast<int>(state.range(0)));
    const rq::EstimateInputs dwelling = rq::DwellingOfRooms(rooms);
    for (auto _ : state) {
        for (const std::string_view grade : rq::kGradeNames) {
            for (const rq::Package package : rq::kPackages) {
                rq::DetailedQuote quote
                    = rq::BuildDetailedQuote(rooms, grade, rq::FloorChoice::Boards, rq::PackageTextOf(package));
                benchmark::DoNotOptimize(quote);
            }
            rq::EstimateInputs inputs = dwelling;
            inputs.grade = rq::Text(grade);
            rq::EstimateCalculation estimate = rq::CalculateQuickEstimate(inputs);
            benchmark::DoNotOptimize(estimate);
        }
    }
}
BENCHMARK(TenSheetsAndFiveEstimatesOneByOne)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
