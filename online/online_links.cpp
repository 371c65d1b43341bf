#include "online/online_links.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

#include "forms/picture_box.h"
#include "online/endpoints.h"
#include "ui/open_link.h"

namespace rq {
namespace {

// Watches a plain label for a left press; lives as long as the label.
class PressOpensUrl : public QObject {
public:
    PressOpensUrl(QWidget* control, QUrl url) : QObject(control), m_url(std::move(url))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            openLink(qobject_cast<QWidget*>(watched), m_url);
        return QObject::eventFilter(watched, event);
    }

private:
    QUrl m_url;
};

// Runs `start` once, soon after the watched window's first paint; then goes.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> start) : QObject(window), m_start(std::move(start))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that the paint itself is not held up.
            QTimer::singleShot(0, watched, std::move(m_start));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_start;
};

QLabel* brandLineOf(QWidget* mainWindow)
{
    return mainWindow->findChild<QLabel*>(QStringLiteral("标签17"));
}

}  // namespace

QString companySiteAddress()
{
    return QUrl(QString::fromLatin1(endpoints::kCompanySite)).host();
}

void openOnPress(QWidget* control, const QUrl& url)
{
    if (control != nullptr)
        new PressOpensUrl(control, url);  // owned by control
}

void startChatPicture(PictureBox* box, const ChatPictureJob& job)
{
    if (box == nullptr)
        return;
    QObject::connect(
        box, &PictureBox::pressed, box, [box] { openLink(box, QUrl(QString::fromLatin1(endpoints::kChatLink))); });
    job.load(box);
}

void startMainWindowOnline(QWidget* mainWindow, const OnlineSources& sources)
{
    const QUrl site(QString::fromLatin1(endpoints::kCompanySite));
    openOnPress(mainWindow->findChild<QLabel*>(QStringLiteral("标签1")), site);
    openOnPress(brandLineOf(mainWindow), site);
    startChatPicture(mainWindow->findChild<PictureBox*>(QStringLiteral("图片框1")), sources.chatPicture);
    sources.counter.fetch(mainWindow, brandLineOf(mainWindow));
}

void startMainWindowOnlineAfterFirstPaint(QWidget* mainWindow, const OnlineSources& sources)
{
    new AfterFirstPaint(mainWindow, [mainWindow, sources] { startMainWindowOnline(mainWindow, sources); });
}

void startCounterRefresh(QWidget* mainWindow, const OnlineSources& sources)
{
    sources.counter.refresh(mainWindow, brandLineOf(mainWindow));
}

}  // namespace rq
