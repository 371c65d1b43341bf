#include "quote/quote_choices.h"

#include "cli/commands.h"

namespace rq::cli {

GradeOption ReadGradeOption(std::string_view value)
{
    if (const auto name = GradeNameAsTyped(value))
        return { std::string(*name), std::nullopt };
    std::string names;
    for (const std::string_view name : kGradeNames)
        names += (names.empty() ? "" : "、") + std::string(name);
    return { {}, "--grade 只能是 " + names + " 之一，不是 " + std::string(value) };
}

} // namespace rq::cli
