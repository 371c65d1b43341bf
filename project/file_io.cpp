#include "project/file_io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "convert/utf8.h"

namespace rq {
namespace {

constexpr std::string_view kNotAFile = "这不是一个普通文件";
constexpr std::size_t kTemporaryNameBytes = 200;

// Why a file could not be written or read, in words a home owner understands.
Text Reason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "磁盘空间不足";
    case EACCES:
    case EPERM:
        return "没有权限写入这个文件夹";
    case EROFS:
        return "这个文件夹是只读的";
    case ENOENT:
    case ENOTDIR:
        return "文件夹不存在";
    case EISDIR:
        return "这是一个文件夹，不是文件";
    case ENAMETOOLONG:
        return "文件名太长";
    case EIO:
        return "磁盘读写出错";
    default:
        return "系统错误 " + std::to_string(error);
    }
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a link points at, so that saving through a link updates the real file. A path
// that does not exist yet stays as it is.
std::string RealTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    struct stat info { };
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

// The permissions the saved file gets: those of the file it replaces, else what the user's
// umask gives a new file (mkstemp alone would make every project private).
mode_t ModeFor(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::optional<Text> WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    const std::string target = RealTarget(path);
    struct stat existing { };
    // Renamed over, a device or a named pipe would be replaced by the project: saved to
    // /dev/null by root, the system would lose its null device.
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return S_ISDIR(existing.st_mode) ? Reason(EISDIR) : Text(kNotAFile);
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // Hidden and beside the target: same file system, so the rename cannot be a copy. Its
    // name is the target's, cut short enough that the marks around it still leave a legal
    // name (a name may have 255 bytes: 85 Chinese characters).
    std::string temporary = folder + "/." + std::string(Utf8Prefix(name, kTemporaryNameBytes)) + ".XXXXXX";
    Descriptor file;
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file.fd < 0)
        return Reason(errno);
    const auto fail = [&](int error) -> std::optional<Text> {
        ::unlink(temporary.c_str());
        return Reason(error);
    };
    if (::fchmod(file.fd, ModeFor(target)) != 0 || !WriteAll(file.fd, bytes) || ::fsync(file.fd) != 0)
        return fail(errno);
    const int fd = file.fd;
    file.fd = -1;
    // A failing close can be the first word of a full disk on network file systems.
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    // The new name itself must reach the disk, or a power cut could bring back the old file.
    Descriptor directory;
    directory.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory.fd >= 0)
        ::fsync(directory.fd);
    return std::nullopt;
}

Outcome<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    Descriptor file;
    // Without O_NONBLOCK, opening a named pipe would wait for a writer that may never come,
    // before it could be told apart from a project.
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (file.fd < 0)
        return Outcome<std::string>::Failed(errno == EACCES ? Text("没有权限读取这个文件")
                                            : errno == ENOENT ? Text("文件不存在")
                                                              : Reason(errno));
    struct stat info { };
    if (::fstat(file.fd, &info) != 0)
        return Outcome<std::string>::Failed(Reason(errno));
    // A pipe or a device could feed bytes for ever; a project is always a plain file.
    if (!S_ISREG(info.st_mode))
        return Outcome<std::string>::Failed(S_ISDIR(info.st_mode) ? Reason(EISDIR) : Text(kNotAFile));
    if (static_cast<std::size_t>(info.st_size) > maxBytes)
        return Outcome<std::string>::Failed("文件太大（超过 " + std::to_string(maxBytes >> 20) + " MB）");
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since it was measured; read on, within the cap.
            if (bytes.size() >= maxBytes + 1)
                break;
            bytes.resize(std::min(maxBytes + 1, bytes.size() + 65536));
        }
        const ssize_t got = ::read(file.fd, bytes.data() + done, bytes.size() - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Outcome<std::string>::Failed(Reason(errno));
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (done > maxBytes)
        return Outcome<std::string>::Failed("文件太大（超过 " + std::to_string(maxBytes >> 20) + " MB）");
    bytes.resize(done);
    return bytes;
}

} // namespace rq
