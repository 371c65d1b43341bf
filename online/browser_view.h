// The embedded browser view of the tools and tutorial windows. With Qt WebEngine it shows
// the page itself; built without it, it shows the address and a link that opens it in the
// system's browser. Either way it reports when a navigation starts and when it is done.
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
#ifdef RENOQUOTE_HAVE_WEBENGINE
class QWebEngineView;
#endif

namespace rq {

class BrowserView : public QWidget {
    Q_OBJECT

public:
    explicit BrowserView(QWidget* parent = nullptr);

    // Navigates to url; loadStarted and loadFinished follow.
    void setUrl(const QUrl& url);
    QUrl url() const { return m_url; }

Q_SIGNALS:
    void loadStarted();
    void loadFinished(bool ok);

private:
    QUrl m_url;  // the address last asked for
#ifdef RENOQUOTE_HAVE_WEBENGINE
    QWebEngineView* m_view = nullptr;
#else
    QLabel* m_address = nullptr;
    QLabel* m_openLink = nullptr;
#endif
};

}  // namespace rq
