#include "files/capped_read.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_errors.h"

namespace rq {
namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

}  // namespace

Outcome<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes, FileStamp* stamp)
{
    Descriptor file;
    // Without O_NONBLOCK, opening a named pipe would wait for a writer that may never come,
    // before it could be told apart from a project.
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (file.fd < 0)
        return Outcome<std::string>::Failed(FileErrorText(errno, FileAccess::Read));
    struct stat info { };
    if (::fstat(file.fd, &info) != 0)
        return Outcome<std::string>::Failed(FileErrorText(errno, FileAccess::Read));
    // A pipe or a device could feed bytes for ever; a project is always a plain file.
    if (!S_ISREG(info.st_mode))
        return Outcome<std::string>::Failed(S_ISDIR(info.st_mode) ? FileErrorText(EISDIR, FileAccess::Read) : Text(kNotAFile));
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
            return Outcome<std::string>::Failed(FileErrorText(errno, FileAccess::Read));
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (done > maxBytes)
        return Outcome<std::string>::Failed("文件太大（超过 " + std::to_string(maxBytes >> 20) + " MB）");
    bytes.resize(done);
    if (stamp) {
        // Measured again after the read: a file that grew meanwhile is stamped as read.
        if (::fstat(file.fd, &info) != 0)
            info.st_size = 0;
        *stamp = StampOf(info, bytes);
    }
    return bytes;
}

}  // namespace rq
