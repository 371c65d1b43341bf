// The browser engine module: Qt WebEngine's page view behind the small table of functions
// the browser views use.
#include <QUrl>
#include <QWebEngineView>

#include "online/browser_engine.h"

namespace {

QWidget* createView(QWidget* parent) { return new QWebEngineView(parent); }

void load(QWidget* view, const QUrl& url)
{
    if (auto* page = qobject_cast<QWebEngineView*>(view))
        page->setUrl(url);
}

void showHtml(QWidget* view, const QString& html, const QUrl& base)
{
    if (auto* page = qobject_cast<QWebEngineView*>(view))
        page->setHtml(html, base);
}

constexpr rq::BrowserEngine kEngine { createView, load, showHtml };

}  // namespace

extern "C" Q_DECL_EXPORT const rq::BrowserEngine* renoquoteBrowserEngine() { return &kEngine; }
