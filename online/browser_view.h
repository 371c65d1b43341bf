// The embedded browser view of the tools and tutorial windows. With the browser engine
// module (Qt WebEngine) it shows the page itself; without it, it shows the address and a
// link that opens it in the system's browser. Either way it reports when a navigation
// starts and when it is done.
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;

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
    QUrl m_url;                 // the address last asked for
    QWidget* m_view = nullptr;  // the engine's page view, when the engine is there
    QLabel* m_address = nullptr;
    QLabel* m_openLink = nullptr;
};

}  // namespace rq
