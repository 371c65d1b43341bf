// The desktop program: the main window, its online extras, and the end of the run when the
// main window closes. `renoquote FILE.renoquote` opens that project.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/display_check.h"
#include "app/main_window.h"
#include "app/project_session.h"
#include "estimate/result_window.h"
#include "online/online_links.h"
#include "online/webengine_setup.h"
#include "ui/application_look.h"
#include "ui/first_paint.h"

namespace {

constexpr const char* kUsage = "用法: renoquote [项目文件.renoquote]\n"
                               "打开装修报价评估工具；给出项目文件时打开这个项目。\n"
                               "  --help     显示本说明\n"
                               "  --version  显示程序的版本\n";

} // namespace

int main(int argc, char** argv)
{
    // Answered before any display is needed: a package check or a user in a terminal.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("renoquote %s\n", RENOQUOTE_VERSION);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // Without a screen Qt would abort with a long platform-plugin message; one line says it.
    if (const auto problem = rq::DisplayProblem()) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return 1;
    }
    rq::prepareWebEngineEnvironment();
    // A display that is there but cannot be used only shows when Qt tries it.
    auto startGuard = std::make_unique<rq::DisplayStartGuard>();
    QApplication app(argc, argv);
    startGuard.reset();
    QApplication::setApplicationName(QStringLiteral("renoquote"));
    // The desktop entry's name: Wayland desktops match the window to its menu entry by it.
    QApplication::setDesktopFileName(QStringLiteral("example.qinghe_space.renoquote"));
    rq::applyApplicationLook();
    // Qt's own buttons and menus ("OK", the edit box menus) in Chinese, where Qt's
    // translations are installed; without them they stay English.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    rq::MainWindow window;
    rq::startMainWindowOnlineAfterFirstPaint(&window);
    // The icon of the title bar and the task bar is an SVG picture, whose library the
    // window's first paint does not need: it follows a moment later.
    rq::afterFirstPaint(&window, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/renoquote.svg"))); });
    QObject::connect(&window, &rq::MainWindow::counterRefreshRequested, &window,
                     [&window] { rq::startCounterRefresh(&window); });

    // Work a crash interrupted comes first; then the file the desktop asked to open. Both
    // wait for the main window to be on the screen: until the window manager has placed it,
    // a question or a refusal would be centred on the screen's corner instead of over it.
    rq::afterFirstPaint(&window, [&window] {
        const QStringList files = QApplication::arguments().mid(1);
        // A window another one opened for a further copy of unsaved work it was asked to
        // restore: that copy, and no questions about the others.
        if (files.size() == 2 && files.front() == QStringLiteral("--recover")) {
            window.session().restoreCopyFile(files.back());
            return;
        }
        window.session().offerRecovery();
        if (!files.isEmpty() && window.session().maySetAside())
            window.session().open(files.front());
    });

    const int status = QApplication::exec();
    rq::ReleaseEstimateReport();
    return status;
}
