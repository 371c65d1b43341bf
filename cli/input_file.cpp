#include "cli/input_file.h"

#include <cerrno>
#include <cstring>
#include <utility>
#include <fcntl.h>
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
        for (ssize_t i = 0; i < count; ++i) {
            const char c = buffer[i];
            if (c == '\n') {
                ++line;
                lineBytes = 0;
            } else if (c == '\0') {
                return refuse(std::string(what) + "第" + IntegerToText(line) + "行含有空字符(NUL)，不是文字文件");
            } else if (++lineBytes > kMaxLineBytes) {
                return refuse(std::string(what) + "第" + IntegerToText(line) + "行超过 1 MiB，不予处理");
            }
        }
        if (bytes.size() + static_cast<std::size_t>(count) > kMaxInputBytes)
            return refuse(std::string(what) + "超过 256 MiB，不予处理");
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace rq::cli
