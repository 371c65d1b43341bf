// Values that files keep by name: a table of each value beside its name, read both ways.
// A name, once released, never changes.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace rq {

template <typename Value>
struct NamedValue {
    Value value;
    std::string_view name;
};

// The name of `value` in the table; empty when it has none.
template <typename Value, std::size_t N>
constexpr std::string_view NameOf(const NamedValue<Value> (&table)[N], Value value)
{
    for (const NamedValue<Value>& entry : table)
        if (entry.value == value)
            return entry.name;
    return {};
}

// The value named `name` in the table, if any.
template <typename Value, std::size_t N>
constexpr std::optional<Value> ValueNamed(const NamedValue<Value> (&table)[N], std::string_view name)
{
    for (const NamedValue<Value>& entry : table)
        if (entry.name == name)
            return entry.value;
    return std::nullopt;
}

}  // namespace rq
