// How quickly the windows come up, measured the way a user meets them:
//   - the main window from program start to first painted, against an empty Qt Widgets
//     window of the same size in a program that links Qt Widgets alone (time and peak
//     memory, same run);
//   - with the path of another build's timing program as argument, that build's main
//     window too, in the same session;
//   - the quote sheet window with a 1,000-room full-package quote, from the package click
//     to the sheet painted.
// Each start is a process of its own (this program again, with a mode argument), timed
// from fork to exit by the parent, which also reads the child's peak resident memory.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

int runMainWindow(int argc, char** argv)
{
    rq::prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    rq::applyApplicationLook();
    rq::MainWindow window;
    rq::startMainWindowOnlineAfterFirstPaint(&window);
    new FirstPaint(&window, [] { std::_Exit(0); });
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
        return runMainWindow(argc, argv);
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
    const pid_t pid = fork();
    if (pid == 0) {
        execl(argv[0], argv[0], "sheet", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
