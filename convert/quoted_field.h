// Fields of delimited text (CSV, the clipboard's tab-separated rows): as they are, or in
// quotes with their quotes doubled when they hold a delimiter, a quote or a line end.
#pragma once

#include <string>
#include <string_view>

namespace rq {

inline void AppendQuotedField(std::string& out, std::string_view field, std::string_view special)
{
    if (field.find_first_of(special) == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Whether a file name ends with `suffix` (given in lower case), whatever the case of its
// ASCII letters: "报价.CSV" is a CSV file.
inline bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    text.remove_prefix(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

}  // namespace rq
