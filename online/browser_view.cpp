#include "online/browser_view.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "online/browser_engine.h"
#include "ui/open_link.h"

namespace rq {

BrowserView::BrowserView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (const BrowserEngine* engine = loadBrowserEngine()) {
        m_view = engine->createView(this);
        layout->addWidget(m_view);
        // The engine's view is only known as a QWidget here, so its signals go by name.
        connect(m_view, SIGNAL(loadStarted()), this, SIGNAL(loadStarted()));
        connect(m_view, SIGNAL(loadFinished(bool)), this, SIGNAL(loadFinished(bool)));
        return;
    }
    layout->addStretch();
    m_address = new QLabel(this);
    m_address->setAlignment(Qt::AlignCenter);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_address->setObjectName(QStringLiteral("address"));
    layout->addWidget(m_address);
    m_openLink = new QLabel(this);
    m_openLink->setAlignment(Qt::AlignCenter);
    m_openLink->setObjectName(QStringLiteral("openInBrowser"));
    m_openLink->setText(QStringLiteral("<a href=\"open\">在浏览器中打开</a>"));
    connect(m_openLink, &QLabel::linkActivated, this, [this] {
        if (m_url.isValid())
            openLink(this, m_url);
    });
    layout->addWidget(m_openLink);
    layout->addStretch();
}

void BrowserView::setUrl(const QUrl& url)
{
    m_url = url;
    if (m_view != nullptr) {
        loadBrowserEngine()->load(m_view, url);
        return;
    }
    // Without a browser component the "page" is the address itself: the navigation starts
    // and is done as soon as the address is shown, after the caller has returned, as a
    // real view would report it.
    QTimer::singleShot(0, this, [this] {
        Q_EMIT loadStarted();
        m_address->setText(m_url.toString());
        Q_EMIT loadFinished(true);
    });
}

}  // namespace rq
