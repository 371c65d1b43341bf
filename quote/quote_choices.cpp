#include "quote/quote_choices.h"

#include <string>

namespace rq {

namespace {

std::string WithoutBlanks(std::string_view text)
{
    constexpr std::string_view kIdeographicSpace = "\u3000";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with(kIdeographicSpace))
            i += kIdeographicSpace.size() - 1;
        else if (text[i] != ' ' && text[i] != '\t')
            out.push_back(text[i]);
    }
    return out;
}

}  // namespace

std::optional<Grade> FindGrade(std::string_view text)
{
    for (std::size_t i = 0; i < std::size(kGradeNames); ++i)
        if (kGradeNames[i] == text)
            return static_cast<Grade>(i);
    return std::nullopt;
}

std::optional<std::string_view> GradeNameAsTyped(std::string_view typed)
{
    const std::string wanted = WithoutBlanks(typed);
    for (const std::string_view name : kGradeNames)
        if (WithoutBlanks(name) == wanted)
            return name;
    return std::nullopt;
}

}  // namespace rq
