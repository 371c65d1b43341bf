#include "document/document_file.h"

#include "convert/quoted_field.h"
#include "files/atomic_file.h"
#include "files/file_errors.h"
#include "convert/utf8.h"

namespace rq {
std::optional<DocumentFormat> FormatOfPath(std::string_view path)
{
    constexpr std::pair<std::string_view, DocumentFormat> kExtensions[] = {
        {".tsv", DocumentFormat::Tsv}, {".txt", DocumentFormat::Tsv},   {".csv", DocumentFormat::Csv},
        {".xlsx", DocumentFormat::Xlsx}, {".pdf", DocumentFormat::Pdf},
    };
    for (const auto& [extension, format] : kExtensions) {
        if (EndsWithIgnoringCase(path, extension) && path.size() > extension.size() &&
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
