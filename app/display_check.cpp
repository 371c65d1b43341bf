#include "app/display_check.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace rq {

namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// Tries the X server's socket, in the abstract namespace first as X servers on Linux
// listen there, then the file under /tmp/.X11-unix.
bool canReachLocalX11(int number)
{
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    for (const bool abstract : {true, false}) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return true;  // cannot tell: let Qt try
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;
        std::memcpy(address.sun_path + offset, path.data(), path.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
        const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
        ::close(fd);
        if (connected)
            return true;
    }
    return false;
}

}  // namespace

std::optional<int> LocalX11DisplayNumber(std::string_view display)
{
    if (display.starts_with("unix:"))
        display.remove_prefix(4);
    if (!display.starts_with(':'))
        return std::nullopt;
    display.remove_prefix(1);
    const std::size_t end = display.find('.');
    const std::string_view digits = display.substr(0, end);
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    if (end != std::string_view::npos && display.substr(end + 1).find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return std::stoi(std::string(digits));
}

std::optional<std::string> DisplayProblem()
{
    // A platform chosen on purpose (offscreen, vnc, ...) or a Wayland session is Qt's to judge.
    if (!environment("QT_QPA_PLATFORM").empty() || !environment("WAYLAND_DISPLAY").empty())
        return std::nullopt;
    const std::string_view display = environment("DISPLAY");
    if (display.empty())
        return "renoquote: 找不到图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置），请在桌面会话中启动。";
    if (const auto number = LocalX11DisplayNumber(display); number && !canReachLocalX11(*number))
        return "renoquote: 无法连接图形显示 " + std::string(display) + "，请在桌面会话中启动。";
    return std::nullopt;
}

}  // namespace rq
