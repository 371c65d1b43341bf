#include "files/json_guard.h"

#include <algorithm>

#include "convert/utf8.h"

namespace rq {

namespace {

[[noreturn]] void refuse(Text problem) { throw JsonGuardRefusal{std::move(problem)}; }

}  // namespace

void JsonGuard::open()
{
    if (++m_depth > m_limits.maxDepth)
        refuse("文件嵌套的层数太多，" + Text(m_limits.notThisKind) + "。");
}

bool JsonGuard::start_object(std::size_t)
{
    open();
    m_objectStarts.push_back(m_names.size());
    return true;
}

bool JsonGuard::key(string_t& name)
{
    const std::size_t start = m_objectStarts.back();
    if (m_limits.maxNamesInObject > 0 && m_names.size() - start >= m_limits.maxNamesInObject)
        refuse("文件中有一个对象的项太多（超过 " + std::to_string(m_limits.maxNamesInObject) + " 项），"
               + Text(m_limits.notThisKind) + "。");
    if (std::find(m_names.begin() + static_cast<std::ptrdiff_t>(start), m_names.end(), name) != m_names.end())
        refuse("同一个对象里“" + ShortPiece(name) + "”出现了两次，不知道该用哪一个。");
    m_names.push_back(name);
    return true;
}

bool JsonGuard::end_object()
{
    m_names.resize(m_objectStarts.back());
    m_objectStarts.pop_back();
    --m_depth;
    return true;
}

bool JsonGuard::start_array(std::size_t)
{
    open();
    return true;
}

bool JsonGuard::end_array()
{
    --m_depth;
    return true;
}

bool JsonGuard::parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error)
{
    if (const auto* syntax = dynamic_cast<const nlohmann::json::parse_error*>(&error))
        throw *syntax;
    refuse(Text(m_limits.unreadable));
}

}  // namespace rq
