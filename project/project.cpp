#include "project/project.h"

#include <utility>

namespace rq {

Project NewProject()
{
    Project project;
    project.estimate = DefaultEstimateInputs();
    return project;
}

KeptSheet BuildKeptSheet(QuoteInputs inputs, Package package, std::optional<Text>& outOfRange, const PriceBook& book)
{
    DetailedQuote quote
        = BuildDetailedQuote(inputs.rooms, inputs.grade, inputs.floor, PackageTextOf(package), outOfRange, book);
    return { std::move(quote), std::move(inputs), {} };
}

KeptSheet BuildKeptSheet(const Project& project, Package package, std::optional<Text>& outOfRange)
{
    return BuildKeptSheet(project.quoteInputs(), package, outOfRange, project.prices);
}

KeptSheet BuildKeptSheet(const Project& project, Package package)
{
    std::optional<Text> outOfRange;
    return BuildKeptSheet(project, package, outOfRange);
}

}  // namespace rq
