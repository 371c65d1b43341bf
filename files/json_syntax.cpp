#include "files/json_syntax.h"

#include <algorithm>
#include <string>

#include "convert/utf8.h"

namespace rq {
namespace {

// Line and column (both from 1, the column in characters) of the byte where parsing stopped.
Text SyntaxPlace(std::string_view bytes, std::size_t byte)
{
    const std::size_t end = std::min(byte > 0 ? byte - 1 : 0, bytes.size());
    const std::string_view before = bytes.substr(0, end);
    const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    std::size_t column = 1;
    for (std::size_t i = lineStart; i < end; i += Utf8CharLength(static_cast<unsigned char>(bytes[i])))
        ++column;
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

// What the library's (English) reason means for the user.
std::string_view SyntaxReason(std::string_view reason)
{
    if (reason.find("UTF-8") != std::string_view::npos)
        return "这里的文字不是有效的 UTF-8 编码";
    if (reason.find("control character") != std::string_view::npos)
        return "文字中有未转义的控制字符";
    if (reason.find("end of input") != std::string_view::npos)
        return "文件在这里意外结束，可能没有保存完整";
    return "这里不符合 JSON 的写法";
}

}  // namespace

Text JsonSyntaxProblem(std::string_view bytes, std::size_t byte, std::string_view libraryReason)
{
    return SyntaxPlace(bytes, byte) + "：" + Text(SyntaxReason(libraryReason)) + "。";
}

}  // namespace rq
