#include "online/browser_view.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRect>
#include <QTimer>
#include <QVBoxLayout>

#include "online/browser_engine.h"
#include "ui/open_link.h"

namespace rq {

QString loadFailurePage(const QUrl& url, const QRect& seen)
{
    const QString address = url.toString().toHtmlEscaped();
    return QCoreApplication::translate("BrowserView",
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>载入失败</title></head>"
        "<body style=\"margin:0\"><div style=\"position:absolute;left:%1px;top:%2px;"
        "width:%3px;height:%4px;display:flex;flex-direction:column;align-items:center;"
        "justify-content:center;font-family:sans-serif;font-size:14px;color:#333\">"
        "<p style=\"font-size:16px;font-weight:bold\">网页载入失败</p>"
        "<p>无法打开这个网页，请检查网络连接后再试。</p>"
        "<p style=\"word-break:break-all;max-width:90%\">%5</p>"
        "<p><a href=\"%6\">重试</a></p></div></body></html>")
        .arg(seen.x())
        .arg(seen.y())
        .arg(seen.width())
        .arg(seen.height())
        .arg(address, QString::fromLatin1(url.toEncoded()).toHtmlEscaped());
}

BrowserView::BrowserView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (const BrowserEngine* engine = loadBrowserEngine()) {
        m_view = engine->createView(this);
        layout->addWidget(m_view);
        // The engine's view is only known as a QWidget here, so its signals go by name.
        connect(m_view, SIGNAL(loadStarted()), this, SLOT(onEngineLoadStarted()));
        connect(m_view, SIGNAL(loadFinished(bool)), this, SLOT(onEngineLoadFinished(bool)));
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
    m_openLink->setText(QCoreApplication::translate("BrowserView", "<a href=\"open\">在浏览器中打开</a>"));
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
    m_loadingFailurePage = false;
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

void BrowserView::onEngineLoadStarted()
{
    if (!m_loadingFailurePage)
        Q_EMIT loadStarted();
}

void BrowserView::onEngineLoadFinished(bool ok)
{
    if (m_loadingFailurePage) {
        m_loadingFailurePage = false;
        return;
    }
    if (!ok) {
        // Instead of the engine's own error page, in English and, in the tools window, cut
        // off above the part the window shows.
        m_loadingFailurePage = true;
        const QRect seen = rect() & QRect(mapFrom(window(), QPoint(0, 0)), window()->size());
        loadBrowserEngine()->showHtml(m_view, loadFailurePage(m_url, seen.isEmpty() ? rect() : seen), m_url);
    }
    Q_EMIT loadFinished(ok);
}

}  // namespace rq
