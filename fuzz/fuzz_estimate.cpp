// The quick estimate on arbitrary typed boxes: a refusal leaves the previous report alone,
// an estimate always shows real, finite prices, and nothing hangs.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "convert/encoding.h"
#include "estimate/quick_estimate.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr std::string_view kGrades[] = {rq::kRentalGrade, rq::kEconomyGrade, rq::kComfortGrade, rq::kFineGrade,
                                        rq::kLuxuryGrade};

std::string box(FuzzedDataProvider& in)
{
    if (in.ConsumeBool())
        return std::to_string(in.ConsumeIntegralInRange(-2, 12));
    return in.ConsumeRandomLengthString(16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    rq::EstimateInputs inputs;
    inputs.bedrooms = box(in);
    inputs.livingRooms = box(in);
    inputs.kitchens = box(in);
    inputs.bathrooms = box(in);
    inputs.balconies = box(in);
    inputs.area = in.ConsumeBool() ? std::to_string(in.ConsumeFloatingPoint<double>()) : in.ConsumeRandomLengthString(16);
    inputs.grade = in.ConsumeBool() ? std::string(kGrades[in.ConsumeIntegralInRange<std::size_t>(0, 4)])
                                    : in.ConsumeRandomLengthString(16);

    const rq::Text previous = "上一次的报价";
    const rq::EstimateResult result = rq::RunQuickEstimate(inputs, previous);
    if (result.refusal) {
        FUZZ_CHECK(result.report == previous);
        // an area past the largest single is too large, never "too small"
        if (!std::isfinite(rq::ToSingle(rq::TextToNumber(inputs.area))))
            FUZZ_CHECK(*result.refusal != rq::kAreaTooSmall);
        FUZZ_CHECK(!result.matchedGrade);
        return 0;
    }
    if (!result.matchedGrade) {
        FUZZ_CHECK(result.report == previous);
        return 0;
    }
    FUZZ_CHECK(!result.report.empty() && result.report != previous);
    FUZZ_CHECK(rq::IsValidUtf8(result.report));
    const rq::EstimateCalculation calculation = rq::CalculateQuickEstimate(inputs);
    FUZZ_CHECK(!calculation.refusal && calculation.grade);
    const auto& f = calculation.figures;
    FUZZ_CHECK(std::isfinite(f.halfFloor) && std::isfinite(f.halfTile) && std::isfinite(f.fullFloor)
               && std::isfinite(f.fullTile));
    FUZZ_CHECK(rq::BuildEstimateReport(calculation) == result.report);
    const rq::Text shown = rq::ResultWindowText(result.report);
    FUZZ_CHECK(shown.size() > result.report.size() && shown.compare(0, result.report.size(), result.report) == 0);
    return 0;
}
