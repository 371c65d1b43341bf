#include "online/online_links.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include <functional>
#include <utility>

#include "forms/picture_box.h"
#include "online/endpoints.h"
#include "ui/first_paint.h"
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
    afterFirstPaint(mainWindow, [mainWindow, sources] { startMainWindowOnline(mainWindow, sources); });
}

void startCounterRefresh(QWidget* mainWindow, const OnlineSources& sources)
{
    sources.counter.refresh(mainWindow, brandLineOf(mainWindow));
}

}  // namespace rq
