#include "online/browser_engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace rq {

namespace {

const BrowserEngine* findEngine()
{
#ifdef RENOQUOTE_HAVE_WEBENGINE
    // Installed: beside the program's own library folder; in the build tree: where the
    // build puts it.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QDir(appDir).filePath(QStringLiteral("../" RENOQUOTE_MODULE_INSTALL_DIR "/librenoquote_browser.so")),
        QStringLiteral(RENOQUOTE_MODULE_BUILD_DIR "/librenoquote_browser.so"),
    };
    for (const QString& path : candidates) {
        QLibrary module(path);
        if (!module.load())
            continue;
        if (auto entry = reinterpret_cast<BrowserEngineEntry>(module.resolve(kBrowserEngineEntry)))
            return entry();  // the module stays loaded for the rest of the run
    }
#endif
    return nullptr;
}

}  // namespace

const BrowserEngine* loadBrowserEngine()
{
    static const BrowserEngine* const engine = findEngine();
    return engine;
}

}  // namespace rq
