// The helped-owners count from the company's server, turned into the main window's title
// and brand line.
#pragma once

#include <optional>
#include <string_view>

#include "convert/convert.h"

namespace rq {

struct CounterTexts {
    Text title;      // the main window's title
    Text brandLine;  // the brand-line label under the banner
};

// The count is the file's bytes up to the first zero byte, read as GBK and inserted as it
// stands (line breaks and blanks included). An empty count gives nothing, so the window
// keeps the texts it has.
std::optional<CounterTexts> CounterTextsFromFile(std::string_view fileBytes);

}  // namespace rq
