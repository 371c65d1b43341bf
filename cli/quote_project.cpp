#include "cli/quote_project.h"

#include <filesystem>
#include <utility>

#include "files/atomic_file.h"
#include "project/project_file.h"
#include "convert/utf8.h"

namespace rq::cli {

Outcome<ProjectQuote> OpenProjectQuote(const std::string& path, Package package)
{
    FileStamp stamp;
    Outcome<Project> read = LoadProjectFile(path, &stamp);
    if (!read) {
        read.problem = (read.status == kStatusFailed ? "无法读取项目文件 " + ShortPiece(path, 80) + "："
                                                     : "项目文件 " + ShortPiece(path, 80) + " 不能打开：")
                       + read.problem;
        return Outcome<ProjectQuote>::From(std::move(read));
    }
    ProjectQuote opened{std::move(*read.value), {}, stamp};
    if (const std::optional<KeptSheet>& kept = opened.project.sheet(package)) {
        opened.kept = *kept;
        return opened;
    }
    if (opened.project.rooms.empty())
        return Outcome<ProjectQuote>::Refused("项目中没有" + Text(PackageTextOf(package)) + "报价单，也没有房间："
                                              + Text(kNoRoomsMessage));
    // Rooms changed with 修改 are never checked: a size typed a thousand times too large is
    // refused here as the window refuses it, not printed as a total wrapped round.
    std::optional<Text> outOfRange;
    opened.kept = BuildKeptSheet(opened.project, package, outOfRange);
    if (outOfRange)
        return Outcome<ProjectQuote>::Refused("项目文件 " + ShortPiece(path, 80) + " 不能报价：" + *outOfRange);
    return opened;
}

std::optional<Text> SaveProject(const std::string& path, const Project& project)
{
    std::error_code error;
    const bool existed = std::filesystem::exists(path, error);
    if (const std::optional<Text> problem = WriteFileAtomically(path, WriteProjectText(project)))
        return "无法保存项目文件 " + ShortPiece(path, 80) + "：" + *problem + (existed ? "（原来的文件没有改动）" : "");
    return std::nullopt;
}

std::optional<Text> RefuseSavingOverChanges(const std::string& readPath, const FileStamp& read,
                                            const std::string& savePath)
{
    std::error_code error;
    if (!std::filesystem::equivalent(readPath, savePath, error) || !ChangedSince(savePath, read))
        return std::nullopt;
    return "项目文件 " + ShortPiece(savePath, 80) + " 在读取之后已被其他程序修改，没有保存，以免覆盖那些修改"
           "（原来的文件没有改动）";
}

} // namespace rq::cli
