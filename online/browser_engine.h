// The browser engine is a large library that only the tools and tutorial windows need, so
// it is not linked into the program: it lives in a module of its own that the first
// browser view loads. This is what that module offers.
#pragma once

class QString;
class QUrl;
class QWidget;

namespace rq {

struct BrowserEngine {
    // A page view, child of parent, with the signals loadStarted() and loadFinished(bool).
    QWidget* (*createView)(QWidget* parent);
    void (*load)(QWidget* view, const QUrl& url);
    // Shows a page of the program's own, as if it came from base.
    void (*showHtml)(QWidget* view, const QString& html, const QUrl& base);
};

// The module's one exported function, looked up by this name, hands out the engine.
inline constexpr char kBrowserEngineEntry[] = "renoquoteBrowserEngine";

// The engine, loaded on first use; nothing when the module is missing or cannot load (the
// views then show the address and a link to the system's browser).
const BrowserEngine* loadBrowserEngine();

}  // namespace rq
