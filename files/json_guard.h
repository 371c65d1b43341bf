// The first look at a JSON file (a project, a price book), taken while it is parsed: a name
// given twice in one object (a reader could not know which the user meant), more names in
// one object or deeper nesting than the file's kind ever has, refused before anything is
// built from the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "convert/convert.h"

namespace rq {

struct JsonLimits {
    int maxDepth = 0;                  // lists and objects inside one another
    std::size_t maxNamesInObject = 0;  // 0: any number
    std::string_view notThisKind;      // "这不是装修报价项目文件", ending the refusals
    std::string_view unreadable;       // the whole refusal of content the library cannot take
};

// Thrown by the guard with the message for the user; the reader turns it into its refusal.
struct JsonGuardRefusal {
    Text problem;
};

class JsonGuard : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit JsonGuard(JsonLimits limits)
        : m_limits(limits)
    {
    }

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override;
    bool key(string_t& name) override;
    bool end_object() override;
    bool start_array(std::size_t) override;
    bool end_array() override;
    // A syntax error goes on as the library's own exception, for the line and column.
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override;

private:
    void open();

    JsonLimits m_limits;
    int m_depth = 0;
    // The names seen so far in the open objects, innermost last, and where each object's names
    // begin: one list for the whole file, not one allocation an object.
    std::vector<std::string> m_names;
    std::vector<std::size_t> m_objectStarts;
};

}  // namespace rq
