// How long one press of "估算报价" takes, from the typed texts to the result window's text.
#include <benchmark/benchmark.h>

#include "estimate/quick_estimate.h"

namespace {

void QuickEstimateToWindowText(benchmark::State& state)
{
    const rq::EstimateInputs inputs { "3", "2", "1", "1", "1", "100", "舒适型装修" };
    rq::Text report;
    for (auto _ : state) {
        const rq::EstimateResult result = rq::RunQuickEstimate(inputs, report);
        rq::Text shown = rq::ResultWindowText(result.report);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(QuickEstimateToWindowText)->Unit(benchmark::kMicrosecond);

} // namespace
