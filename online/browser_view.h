// The embedded browser view of the tools and tutorial windows. With the browser engine
// module (Qt WebEngine) it shows the page itself, or, when the page cannot be loaded, a
// short page of its own in Chinese with the address and a link to try again; without the
// engine, it shows the address and a link that opens it in the system's browser. Either
// way it reports when a navigation starts and when it is done.
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QRect;

namespace rq {

// The page shown where the page at url could not be loaded, its text centred in `seen`,
// the part of the view the window shows (the tools window shows only the middle).
QString loadFailurePage(const QUrl& url, const QRect& seen);

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

private Q_SLOTS:
    void onEngineLoadStarted();
    void onEngineLoadFinished(bool ok);

private:
    QUrl m_url;                 // the address last asked for
    QWidget* m_view = nullptr;  // the engine's page view, when the engine is there
    QLabel* m_address = nullptr;
    QLabel* m_openLink = nullptr;
    // While the view loads its failure page: that load is no navigation of the user's.
    bool m_loadingFailurePage = false;
};

}  // namespace rq
