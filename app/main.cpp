// The desktop program: the main window, its online extras, and the end of the run when the
// main window closes. `renoquote FILE.renoquote` opens that project.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/display_check.h"
#include "app/main_window.h"
#include "app/project_session.h"
#include "estimate/result_window.h"
#include "online/online_links.h"
#include "online/webengine_setup.h"
#include "ui/application_look.h"
#include "ui/first_paint.h"
#include "ui/interface_language.h"

namespace {

constexpr const char* kUsage = "用法: renoquote [--lang zh|en] [项目文件.renoquote]\n"
                               "打开装修报价评估工具；给出项目文件时打开这个项目。\n"
                               "  --lang zh|en  界面用中文或英文（默认随系统语言）\n"
                               "  --help        显示本说明\n"
                               "  --version     显示程序的版本\n";
constexpr const char* kEnglishUsage
    = "Usage: renoquote [--lang zh|en] [PROJECT.renoquote]\n"
      "Opens the renovation quotation tool; with a project file, opens that project.\n"
      "  --lang zh|en  interface in Chinese or English (default: the system's language)\n"
      "  --help        show this text\n"
      "  --version     show the program's version\n";

// What the command line asks of the interface language, taken out of the arguments so that
// what is left is the file to open: `--lang en` or `--lang=en`.
struct LanguageChoice {
    std::optional<rq::InterfaceLanguage> language;
    bool bad = false;
};

LanguageChoice takeLanguageArgument(int& argc, char** argv)
{
    LanguageChoice choice;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* value = nullptr;
        if (std::strcmp(argv[i], "--lang") == 0) {
            value = i + 1 < argc ? argv[++i] : "";
        } else if (std::strncmp(argv[i], "--lang=", 7) == 0) {
            value = argv[i] + 7;
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        choice.language = rq::languageOfArgument(QString::fromUtf8(value));
        choice.bad = !choice.language;
    }
    argc = kept;
    argv[argc] = nullptr;
    return choice;
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before any display is needed: a package check or a user in a terminal.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("renoquote %s\n", RENOQUOTE_VERSION);
        return 0;
    }
    const LanguageChoice choice = takeLanguageArgument(argc, argv);
    if (choice.bad) {
        std::fputs("renoquote: --lang 只能是 zh 或 en (--lang takes zh or en)\n", stderr);
        return 2;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        // Answered without a display, in the language the window would have.
        const bool english = choice.language ? *choice.language == rq::InterfaceLanguage::English
                                             : rq::systemInterfaceLanguage() == rq::InterfaceLanguage::English;
        std::fputs(english ? kEnglishUsage : kUsage, stdout);
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
    // Before the first window: every text is read through the chosen catalogue.
    rq::installInterfaceLanguage(choice.language.value_or(rq::systemInterfaceLanguage()));

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
