#include "online/video_window.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>

#include <iterator>

#include "online/browser_view.h"
#include "online/endpoints.h"
#include "ui_video_window.h"

namespace rq {

VideoWindow::VideoWindow(QWidget* parent)
    : VideoWindow(QString::fromLatin1(endpoints::kVideoHost), QUrl(QString::fromLatin1(endpoints::kTipsPage)),
                  parent)
{
}

VideoWindow::VideoWindow(const QString& videoHost, const QUrl& tipsPage, QWidget* parent)
    : QDialog(parent), m_videoHost(videoHost), m_tipsPage(tipsPage)
{
    Ui::VideoWindow ui;
    ui.setupUi(this);
    setFixedSize(size());
    m_view = findChild<BrowserView*>(QStringLiteral("超文本浏览框1"));
    m_status = findChild<QLabel*>(QStringLiteral("标签1"));

    connect(m_view, &BrowserView::loadStarted, this,
            [this] { m_status->setText(QString::fromUtf8(kLoadingText)); });
    connect(m_view, &BrowserView::loadFinished, this,
            [this] { m_status->setText(QString::fromUtf8(kLoadedText)); });

    const int tutorials = static_cast<int>(std::size(kTutorialPaths));
    for (int number = 1; number <= tutorials; ++number) {
        auto* button = findChild<QPushButton*>(QStringLiteral("按钮%1").arg(number));
        connect(button, &QPushButton::clicked, this, [this, number] { showTutorial(number); });
    }
    connect(findChild<QPushButton*>(QStringLiteral("按钮7")), &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(m_tipsPage); });

    showTutorial(1);
}

QUrl VideoWindow::tutorialAddress(int number) const
{
    if (number < 1 || number > static_cast<int>(std::size(kTutorialPaths)))
        return {};
    return QUrl(m_videoHost + QString::fromLatin1(kTutorialPaths[number - 1]));
}

void VideoWindow::showTutorial(int number)
{
    m_view->setUrl(tutorialAddress(number));
}

}  // namespace rq
