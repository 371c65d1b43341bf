// How quickly the windows come up, measured the way a user meets them:
//   - the main window from program start to first painted, against an empty Qt Widgets
//     window of the same size in a program that links Qt Widgets alone (time and peak
//     memory, same run);
//   - with the path of another build's timing program as argument, that build's main
//     window too, in the same session;
//   - the same starts on a real X server (Xvfb, started here for the purpose), where what
//     the program loads for the display (OpenGL above all) shows, as it does not offscreen;
//   - the quote sheet window with a 1,000-room full-package quote, from the package click
//     to the sheet painted.
// Each start is a process of its own (this program again, with a mode argument), timed
// from fork to exit by the parent, which also reads the child's peak resident memory.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "bench/bench_rooms.h"
#include "online/online_links.h"
#include "online/webengine_setup.h"
#include "quote/engine.h"
#include "sheet/quote_sheet_window.h"
#include "ui/application_look.h"

namespace {

// Ends the process as soon as `widget` has painted once: the moment a user sees it.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QObject* watched, std::function<void()> done)
        : QObject(watched)
        , m_done(std::move(done))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            auto done = std::move(m_done);
            m_done = nullptr;
            QTimer::singleShot(0, this, done);
        }
        return false;
    }

private:
    std::function<void()> m_done;
};

// The libraries a start has no use for until a browser view is opened: the browser engine
// and the OpenGL drivers (with the compiler their software drawing brings), named one a
// line. Qt's own small OpenGL dispatch libraries (libGLX, libEGL, libOpenGL) come with any
// Qt window and are no sign of OpenGL in use.
std::string LibrariesLoadedForNothing()
{
    static constexpr const char* kNames[] = {"WebEngine", "_mesa.so", "libLLVM", "_dri.so",
                                             "libglapi", "libgallium", "glx-integration", "egl-integration"};
    std::string found;
    FILE* maps = std::fopen("/proc/self/maps", "r");
    if (!maps)
        return "/proc/self/maps unreadable\n";
    char line[4096];
    while (std::fgets(line, sizeof line, maps)) {
        const char* path = std::strchr(line, '/');
        if (!path)
            continue;
        for (const char* name : kNames)
            if (std::strstr(path, name) && found.find(path) == std::string::npos)
                found += path;
    }
    std::fclose(maps);
    return found;
}

// The main window to its first paint; with `check`, the run fails if it loaded any library
// of LibrariesLoadedForNothing.
int runMainWindow(int argc, char** argv, bool check)
{
    rq::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    rq::applyApplicationLook();
    rq::MainWindow window;
    rq::startMainWindowOnlineAfterFirstPaint(&window);
    new FirstPaint(&window, [check] {
        if (!check)
            std::_Exit(0);
        const std::string loaded = LibrariesLoadedForNothing();
        if (!loaded.empty())
            std::fprintf(stderr, "the main window's start loaded:\n%s", loaded.c_str());
        std::fflush(stderr);
        std::_Exit(loaded.empty() ? 0 : 1);
    });
    return QApplication::exec();
}


// In one process: the package click's work (engine, window, first paint of the sheet), ten
// times; prints the median in milliseconds.
int runQuoteSheetWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    rq::applyApplicationLook();
    const auto rooms = rq::bench::MixedRooms(1000);
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer clock;
        clock.start();
        rq::QuoteSheetWindow window(rq::BuildDetailedQuote(rooms, rq::kLuxuryGrade, rq::FloorChoice::Tiles, "全包"),
                                    nullptr, rq::QuoteSheetWindow::ChatPicture::Skip);
        bool painted = false;
        auto* view = window.findChild<QTableView*>();
        new FirstPaint(view ? static_cast<QObject*>(view->viewport()) : &window, [&painted] { painted = true; });
        window.show();
        while (!painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("quote sheet window, 1,000 rooms full package, click to painted: median %.1f ms (min %.1f, max %.1f)\n",
                times[times.size() / 2], times.front(), times.back());
    return 0;
}

struct Start {
    double milliseconds;
    long peakKilobytes;
    double bestMilliseconds = 0;  // the fastest start: on a busy machine the fairest figure
    // Processor time of the start (user and system): what the start costs, whatever else
    // the machine is doing, where the wall time also counts the waits for a processor.
    double cpuMilliseconds = 0;
};

double Milliseconds(const timeval& time) { return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3; }

Start startChild(const char* program, const char* mode)
{
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, mode, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "window_timing: %s did not start cleanly\n", mode);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - begin).count(), usage.ru_maxrss, 0,
            Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime)};
}

Start medianStart(const char* program, const char* mode, int runs)
{
    std::vector<double> times;
    std::vector<long> peaks;
    std::vector<double> cpuTimes;
    for (int i = 0; i < runs; ++i) {
        const Start s = startChild(program, mode);
        times.push_back(s.milliseconds);
        peaks.push_back(s.peakKilobytes);
        cpuTimes.push_back(s.cpuMilliseconds);
    }
    std::sort(times.begin(), times.end());
    std::sort(peaks.begin(), peaks.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    return {times[times.size() / 2], peaks[peaks.size() / 2], times.front(), cpuTimes[cpuTimes.size() / 2]};
}

// A private X server for the real-display starts: Xvfb on the first free display, which it
// names through a pipe once it accepts clients. An empty name when Xvfb is not installed or
// does not start.
struct XServer {
    pid_t pid = -1;
    std::string display;
};

XServer startXServer()
{
    int names[2];
    if (pipe(names) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(names[0]);
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        const std::string fd = std::to_string(names[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    close(names[1]);
    std::string number;
    char c = 0;
    while (read(names[0], &c, 1) == 1 && c != '\n')
        number.push_back(c);
    close(names[0]);
    if (number.empty()) {
        waitpid(pid, nullptr, 0);
        return {};
    }
    return {pid, ":" + number};
}

void stopXServer(const XServer& server)
{
    kill(server.pid, SIGTERM);
    waitpid(server.pid, nullptr, 0);
}

// The main window's start against the one-label window's, both on the display the
// environment names.
void compareStarts(const char* program, const char* where, int runs)
{
    const char* emptyWindow = RENOQUOTE_EMPTY_WINDOW_PATH;
    startChild(emptyWindow, "label");  // warm the file cache for both
    startChild(program, "main");
    const Start label = medianStart(emptyWindow, "label", runs);
    const Start main = medianStart(program, "main", runs);
    std::printf("%s: one Chinese label %.1f ms (best %.1f, processor %.1f), peak %ld KiB; main window %.1f ms "
                "(best %.1f, processor %.1f), peak %ld KiB\n",
                where, label.milliseconds, label.bestMilliseconds, label.cpuMilliseconds, label.peakKilobytes,
                main.milliseconds, main.bestMilliseconds, main.cpuMilliseconds, main.peakKilobytes);
    std::printf("%s: ratio main/label: time %.2f (best starts %.2f, processor %.2f), peak memory %.2f (median of %d)\n",
                where, main.milliseconds / label.milliseconds, main.bestMilliseconds / label.bestMilliseconds,
                main.cpuMilliseconds / label.cpuMilliseconds,
                static_cast<double>(main.peakKilobytes) / static_cast<double>(label.peakKilobytes), runs);
}

int checkStartLibraries(const char* program)
{
    const XServer server = startXServer();
    if (server.display.empty()) {
        std::printf("no Xvfb: not checked\n");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("DISPLAY", QByteArray::fromStdString(server.display));
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, "main-libraries", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    stopXServer(server);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = "/tmp/renoquote-timing-" + QByteArray::number(getuid());
        mkdir(runtime.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    if (argc > 1 && std::strcmp(argv[1], "main") == 0)
        return runMainWindow(argc, argv, false);
    if (argc > 1 && std::strcmp(argv[1], "main-libraries") == 0)
        return runMainWindow(argc, argv, true);
    // The test: on a real X server of its own, the main window's start loads nothing of the
    // browser engine or OpenGL. 77 (skipped) without Xvfb.
    if (argc > 1 && std::strcmp(argv[1], "check-libraries") == 0)
        return checkStartLibraries(argv[0]);
    if (argc > 1 && std::strcmp(argv[1], "sheet") == 0)
        return runQuoteSheetWindow(argc, argv);

    // The yardstick is a program of its own that links Qt Widgets alone, so that what the
    // main window's program loads besides (the browser engine among it) counts against it.
    const char* emptyWindow = RENOQUOTE_EMPTY_WINDOW_PATH;
    const int runs = 15;
    startChild(emptyWindow, "empty");  // warm the file cache for both
    startChild(argv[0], "main");
    const Start empty = medianStart(emptyWindow, "empty", runs);
    const Start label = medianStart(emptyWindow, "label", runs);
    const Start main = medianStart(argv[0], "main", runs);
    std::printf("empty window: %.1f ms, peak %ld KiB\n", empty.milliseconds, empty.peakKilobytes);
    std::printf("one Chinese label: %.1f ms, peak %ld KiB (ratio to empty: time %.2f, memory %.2f)\n",
                label.milliseconds, label.peakKilobytes, label.milliseconds / empty.milliseconds,
                static_cast<double>(label.peakKilobytes) / static_cast<double>(empty.peakKilobytes));
    std::printf("main window:  %.1f ms, peak %ld KiB\n", main.milliseconds, main.peakKilobytes);
    std::printf("ratio main/empty: time %.2f, peak memory %.2f (median of %d starts each)\n",
                main.milliseconds / empty.milliseconds,
                static_cast<double>(main.peakKilobytes) / static_cast<double>(empty.peakKilobytes), runs);
    std::printf("ratio main/label: time %.2f (best starts: %.1f / %.1f ms = %.2f), peak memory %.2f\n",
                main.milliseconds / label.milliseconds, main.bestMilliseconds, label.bestMilliseconds,
                main.bestMilliseconds / label.bestMilliseconds,
                static_cast<double>(main.peakKilobytes) / static_cast<double>(label.peakKilobytes));
    std::printf("processor time (median): empty %.1f ms, label %.1f ms, main %.1f ms; ratio main/label %.2f\n",
                empty.cpuMilliseconds, label.cpuMilliseconds, main.cpuMilliseconds,
                main.cpuMilliseconds / label.cpuMilliseconds);
    // Another build's timing program (an older one, say), started in its "main" mode in the
    // same session, so that the two main windows meet the same load.
    if (argc > 1) {
        const Start other = medianStart(argv[1], "main", runs);
        std::printf("other main window: %.1f ms, best %.1f ms, processor %.1f ms, peak %ld KiB (ratio to label: "
                    "time %.2f, best starts %.2f, processor %.2f, memory %.2f)\n",
                    other.milliseconds, other.bestMilliseconds, other.cpuMilliseconds, other.peakKilobytes,
                    other.milliseconds / label.milliseconds, other.bestMilliseconds / label.bestMilliseconds,
                    other.cpuMilliseconds / label.cpuMilliseconds,
                    static_cast<double>(other.peakKilobytes) / static_cast<double>(label.peakKilobytes));
    }
    std::fflush(stdout);

    // On a real X server. Offscreen, Qt loads no OpenGL whatever the program asks for, so a
    // start that loads it for nothing is only seen here.
    if (const XServer server = startXServer(); !server.display.empty()) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const bool hadDisplay = qEnvironmentVariableIsSet("DISPLAY");
        const QByteArray display = qgetenv("DISPLAY");
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", QByteArray::fromStdString(server.display));
        compareStarts(argv[0], "X server (Xvfb)", runs);
        if (argc > 1)
            compareStarts(argv[1], "X server (Xvfb), other build", runs);
        stopXServer(server);
        qputenv("QT_QPA_PLATFORM", platform);
        if (hadDisplay)
            qputenv("DISPLAY", display);
        else
            qunsetenv("DISPLAY");
    } else {
        std::printf("X server (Xvfb): not started, no real-display figures\n");
    }
    std::fflush(stdout);

    const pid_t pid = fork();
    if (pid == 0) {
        execl(argv[0], argv[0], "sheet", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
