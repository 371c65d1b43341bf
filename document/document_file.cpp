#include "document/document_file.h"

#include "files/atomic_file.h"
#include "files/file_errors.h"
#include "convert/utf8.h"

namespace rq {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending)
{
    if (text.size() < ending.size())
        return false;
    text.remove_prefix(text.size() - ending.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ending[i])
            return false;
    }
    return true;
}

}  // namespace

std::optional<DocumentFormat> FormatOfPath(std::string_view path)
{
    constexpr std::pair<std::string_view, DocumentFormat> kExtensions[] = {
        {".tsv", DocumentFormat::Tsv}, {".txt", DocumentFormat::Tsv},   {".csv", DocumentFormat::Csv},
        {".xlsx", DocumentFormat::Xlsx}, {".pdf", DocumentFormat::Pdf},
    };
    for (const auto& [extension, format] : kExtensions) {
        if (EndsWithNoCase(path, extension) && path.size() > extension.size() &&
            path[path.size() - extension.size() - 1] != '/')
            return format;
    }
    return std::nullopt;
}

WriteResult Stopped() { return {WriteResult::Status::Stopped, {}}; }

WriteResult Failed(Text problem) { return {WriteResult::Status::Failed, std::move(problem)}; }

namespace {

Text WriteProblemText(const std::string& path, std::string_view reason)
{
    return "无法写入文件 " + ShortPiece(path, 80) + "（" + Text(reason) + "）";
}

}  // namespace

Text WriteProblem(const std::string& path, int errorNumber)
{
    return WriteProblemText(path, FileErrorText(errorNumber, FileAccess::Write));
}

WriteResult WriteThroughTemporary(const std::string& path,
                                  const std::function<WriteResult(const std::string& temporaryPath)>& write)
{
    WriteResult result;
    const std::optional<Text> problem = ReplaceFileWith(path, [&](const std::string& temporary) {
        result = write(temporary);
        return result.written();
    });
    if (problem)
        return Failed(WriteProblemText(path, *problem));
    return result;
}

WriteResult WriteBytes(const std::string& path, std::string_view bytes)
{
    if (const std::optional<Text> problem = WriteFileAtomically(path, bytes))
        return Failed(WriteProblemText(path, *problem));
    return WriteResult{};
}

}  // namespace rq
