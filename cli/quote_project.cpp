#include "cli/quote_project.h"

#include "project/file_io.h"
#include "project/project_file.h"

namespace rq::cli {

ProjectQuote OpenProjectQuote(const std::string& path, Package package)
{
    ProjectQuote result;
    const FileReadResult file = ReadWholeFile(path, kMaxProjectFileBytes);
    if (!file.bytes) {
        result.problem = "无法读取项目文件 " + path + "：" + file.problem;
        result.status = 1;
        return result;
    }
    ProjectReadResult read = ReadProjectText(*file.bytes);
    if (!read.project) {
        result.problem = "项目文件 " + path + " 不能打开：" + read.problem;
        result.status = 2;
        return result;
    }
    result.project = std::move(*read.project);
    if (const std::optional<KeptSheet>& kept = result.project.sheet(package)) {
        result.kept = *kept;
    } else if (result.project.rooms.empty()) {
        result.problem = "项目中没有" + Text(PackageTextOf(package)) + "报价单，也没有房间：至少要添加1房间！";
        result.status = 2;
    } else {
        // Rooms changed with 修改 are never checked: a size typed a thousand times too large
        // is refused here as the window refuses it, not printed as a total wrapped round.
        std::optional<Text> outOfRange;
        KeptSheet built = BuildKeptSheet(result.project, package, outOfRange);
        if (outOfRange) {
            result.problem = "项目文件 " + path + " 不能报价：" + *outOfRange;
            result.status = 2;
            return result;
        }
        result.kept = std::move(built);
    }
    return result;
}

std::optional<Text> SaveProject(const std::string& path, const Project& project)
{
    if (const std::optional<Text> problem = WriteFileAtomically(path, WriteProjectText(project)))
        return "无法保存项目文件 " + path + "：" + *problem + "（原来的文件没有改动）";
    return std::nullopt;
}

} // namespace rq::cli
