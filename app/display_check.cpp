#include "app/display_check.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
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

// The standard error of the program while a DisplayStartGuard holds the real one back.
int g_standardError = -1;
QtMessageHandler g_previousHandler = nullptr;

void writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        writeAll(g_standardError >= 0 ? g_standardError : STDERR_FILENO, UnusableDisplayMessage() + "\n");
        ::_exit(1);
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

}  // namespace

std::string UnusableDisplayMessage()
{
    std::string tried;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "XAUTHORITY"}) {
        if (const std::string_view value = environment(name); !value.empty())
            tried += (tried.empty() ? "" : "、") + std::string(name) + "=" + std::string(value);
    }
    return "renoquote: 无法使用图形显示（试过 " + tried + "），请在桌面会话中启动。";
}

DisplayStartGuard::DisplayStartGuard()
{
    std::fflush(stderr);
    g_standardError = ::dup(STDERR_FILENO);
    m_heldOutput = ::memfd_create("renoquote-start", MFD_CLOEXEC);
    if (g_standardError >= 0 && m_heldOutput >= 0)
        ::dup2(m_heldOutput, STDERR_FILENO);
    g_previousHandler = qInstallMessageHandler(onQtMessage);
}

DisplayStartGuard::~DisplayStartGuard()
{
    qInstallMessageHandler(g_previousHandler);
    std::fflush(stderr);
    if (g_standardError >= 0 && m_heldOutput >= 0) {
        ::dup2(g_standardError, STDERR_FILENO);
        char buffer[4096];
        ::lseek(m_heldOutput, 0, SEEK_SET);
        for (ssize_t count; (count = ::read(m_heldOutput, buffer, sizeof buffer)) > 0;)
            writeAll(STDERR_FILENO, std::string_view(buffer, static_cast<std::size_t>(count)));
    }
    if (m_heldOutput >= 0)
        ::close(m_heldOutput);
    if (g_standardError >= 0)
        ::close(g_standardError);
    g_standardError = -1;
}

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
