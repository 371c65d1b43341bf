#include "files/file_errors.h"

#include <cerrno>
#include <string>

namespace rq {

Text FileErrorText(int error, FileAccess access)
{
    const bool reading = access == FileAccess::Read;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "磁盘空间不足";
    case EACCES:
    case EPERM:
        return reading ? "没有权限读取这个文件" : "没有权限写入这个文件夹";
    case EROFS:
        return "这个文件夹是只读的";
    case ENOENT:
        return reading ? "文件不存在" : "文件夹不存在";
    case ENOTDIR:
        return "文件夹不存在";
    case EISDIR:
        return "这是一个文件夹，不是文件";
    case ENAMETOOLONG:
        return "文件名太长";
    case EIO:
        return reading ? "读取出错" : "磁盘读写出错";
    case EBADF:
        return "没有打开";
    default:
        return "系统错误 " + std::to_string(error);
    }
}

}  // namespace rq
