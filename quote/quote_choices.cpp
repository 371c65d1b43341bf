#include "quote/quote_choices.h"

namespace rq {

std::optional<Grade> FindGrade(std::string_view text)
{
    for (std::size_t i = 0; i < std::size(kGradeNames); ++i)
        if (kGradeNames[i] == text)
            return static_cast<Grade>(i);
    return std::nullopt;
}

}  // namespace rq
