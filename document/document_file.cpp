#include "document/document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "convert/utf8.h"

namespace rq {
namespace {

// Room for the marks a temporary name gets, in a name of at most 255 bytes.
constexpr std::size_t kTemporaryNameBytes = 200;

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

std::string_view ReasonOf(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case EROFS:
        return "磁盘是只读的";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "磁盘空间不足";
    case ENOENT:
    case ENOTDIR:
        return "文件夹不存在";
    case EISDIR:
        return "这是一个文件夹";
    case ENAMETOOLONG:
        return "文件名太长";
    default:
        return "写入出错";
    }
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

Text WriteProblem(const std::string& path, int errorNumber)
{
    return "无法写入文件 " + path + "（" + Text(ReasonOf(errorNumber)) + "）";
}

WriteResult WriteThroughTemporary(const std::string& path,
                                  const std::function<WriteResult(const std::string& temporaryPath)>& write)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return Failed(WriteProblem(path, EISDIR));
    // Renamed over, a device or a named pipe would be replaced by the document. A link is
    // replaced, not followed, so only the path itself is looked at.
    const std::filesystem::file_status existing = std::filesystem::symlink_status(path, error);
    if (std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing) &&
        !std::filesystem::is_symlink(existing))
        return Failed("无法写入文件 " + path + "（这不是一个普通文件）");
    // Beside the target, so that the rename stays on one file system and is atomic. A name
    // near the longest a folder allows is cut short, or the marks would make it too long.
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string temporary = path.substr(0, nameStart) +
                            std::string(Utf8Prefix(std::string_view(path).substr(nameStart), kTemporaryNameBytes)) +
                            ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0)
        return Failed(WriteProblem(path, errno));
    close(descriptor);
    WriteResult result = write(temporary);
    if (result.written() && std::rename(temporary.c_str(), path.c_str()) != 0)
        result = Failed(WriteProblem(path, errno));
    if (!result.written()) {
        std::remove(temporary.c_str());
        return result;
    }
    // mkstemp made the file for its owner alone; an export is an ordinary document.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(path.c_str(), 0666 & ~mask);
    return result;
}

WriteResult WriteBytes(const std::string& path, std::string_view bytes)
{
    return WriteThroughTemporary(path, [&](const std::string& temporary) {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        if (!file)
            return Failed(WriteProblem(path, errno));
        // On the disk before the rename, or a crash could leave an empty file in its place.
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                             std::fflush(file) == 0 && fsync(fileno(file)) == 0;
        const int writeError = errno;
        const bool closed = std::fclose(file) == 0;
        if (!written || !closed)
            return Failed(WriteProblem(path, written ? errno : writeError));
        return WriteResult{};
    });
}

}  // namespace rq
