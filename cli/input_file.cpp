#include "cli/input_file.h"

#include <cerrno>
#include <cstring>
#include <utility>
#include <algorithm>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "convert/convert.h"
#include "files/file_errors.h"
#include "convert/utf8.h"

namespace rq::cli {

namespace {

// Closes a file opened here; standard input stays open for whoever else reads it.
struct FileDescriptor {
    int fd = -1;
    bool owned = false;
    ~FileDescriptor()
    {
        if (owned && fd >= 0)
            ::close(fd);
    }
};

} // namespace

Outcome<std::string> ReadInputFile(const std::optional<std::string>& path, std::string_view what)
{
    const bool standardInput = !path || *path == "-";
    const std::string name = standardInput ? "标准输入" : *path;
    std::string bytes;
    const auto refuse = [](std::string problem) { return Outcome<std::string>::Refused(std::move(problem)); };
    const auto readFailure = [&](int error) {
        return Outcome<std::string>::Failed("无法读取" + std::string(what) + " " + ShortPiece(name, 80) + "：" + FileErrorText(error, FileAccess::Read));
    };

    FileDescriptor file;
    if (standardInput) {
        file.fd = STDIN_FILENO;
    } else {
        file.fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
        file.owned = true;
        if (file.fd < 0)
            return readFailure(errno);
    }

    // A file of known size is read into room made once: a room list of a million rooms is
    // tens of megabytes, and growing the text step by step would copy it over and over.
    struct stat status {};
    if (::fstat(file.fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = std::min(static_cast<std::size_t>(status.st_size), kMaxInputBytes + 1);
        bytes.reserve(size);
    }

    int line = 1;
    std::size_t lineBytes = 0;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = ::read(file.fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return readFailure(errno);
        if (count == 0)
            return bytes;
        // Checked while reading, so that an endless line or a stream of zeros stops at once.
        const std::string_view read(buffer, static_cast<std::size_t>(count));
        const std::size_t zero = read.find('\0');
        for (std::size_t at = 0; at < read.size();) {
            const std::size_t end = std::min(read.find('\n', at), read.size());
            lineBytes += std::min(end, zero) - std::min(at, zero);
            if (lineBytes > kMaxLineBytes)
                return refuse(std::string(what) + "第" + IntegerToText(line) + "行超过 1 MiB，不予处理");
            if (zero >= at && zero < end)
                return refuse(std::string(what) + "第" + IntegerToText(line) + "行含有空字符(NUL)，不是文字文件");
            if (end == read.size())
                break;
            ++line;
            lineBytes = 0;
            at = end + 1;
        }
        if (bytes.size() + static_cast<std::size_t>(count) > kMaxInputBytes)
            return refuse(std::string(what) + "超过 256 MiB，不予处理");
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace rq::cli
