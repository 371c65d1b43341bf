#include "online/browser_engine.h"

#include "modules/module_loader.h"

#ifdef RENOQUOTE_HAVE_WEBENGINE
#include <QCoreApplication>
#include <QOpenGLContext>

// Qt's own hook for the context that all of a program's OpenGL contexts share. Qt makes it
// with the application object when asked to (Qt::AA_ShareOpenGLContexts), which on a real
// display loads the OpenGL stack at every start; the browser engine is the only part of the
// program that needs it, so the first browser view makes it, just before loading the engine.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE
#endif

namespace rq {

#ifdef RENOQUOTE_HAVE_WEBENGINE
namespace {

void releaseSharedContext()
{
    QOpenGLContext* context = QOpenGLContext::globalShareContext();
    qt_gl_set_global_share_context(nullptr);
    delete context;
}

// Before the engine's library loads: it looks for the shared context as it loads. Made as
// Qt makes it: kept even where it cannot be created (no OpenGL on this display), since the
// engine then draws in software but still expects a context to be there.
void makeSharedContext()
{
    if (QOpenGLContext::globalShareContext() || !QCoreApplication::instance())
        return;
    auto* context = new QOpenGLContext;
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
    // Before the display connection closes at the end of the run.
    qAddPostRoutine(releaseSharedContext);
}

}  // namespace
#endif

const BrowserEngine* loadBrowserEngine()
{
#ifdef RENOQUOTE_HAVE_WEBENGINE
    // Stays loaded for the rest of the run; a missing module leaves the plain views.
    static const auto engine = [] {
        makeSharedContext();
        return LoadModuleFunction<const BrowserEngine*>("librenoquote_browser.so", kBrowserEngineEntry, "浏览器模块");
    }();
    return engine.function;
#else
    return nullptr;
#endif
}

}  // namespace rq
