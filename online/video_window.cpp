#include "online/video_window.h"

#include <QLabel>
#include <QPushButton>

#include <iterator>

#include "online/browser_view.h"
#include "online/endpoints.h"
#include "ui/button_keys.h"
#include "ui/open_link.h"
#include "ui_video_window.h"

namespace rq {

VideoWindow::VideoWindow(QWidget* parent)
    : VideoWindow(QString::fromLatin1(endpoints::kVideoHost), QUrl(QString::fromLatin1(endpoints::kTipsPage)),
                  parent)
{
}

VideoWindow::VideoWindow(const QString& videoHost, const QUrl& tipsPage, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::VideoWindow>())
    , m_videoHost(videoHost)
    , m_tipsPage(tipsPage)
{
    m_ui->setupUi(this);
    setFixedSize(size());
    returnPressesFocusedButton(this);
    escapeCloses(this);

    connect(filmView(), &BrowserView::loadStarted, this,
        [this] { statusLabel()->setText(QCoreApplication::translate("VideoWindow", kLoadingText)); });
    connect(filmView(), &BrowserView::loadFinished, this, [this](bool ok) {
        statusLabel()->setText(QCoreApplication::translate("VideoWindow", ok ? kLoadedText : kLoadFailedText));
    });

    const int tutorials = static_cast<int>(std::size(kTutorialPaths));
    for (int number = 1; number <= tutorials; ++number)
        connect(tutorialButton(number), &QPushButton::clicked, this, [this, number] { showTutorial(number); });
    connect(moreButton(), &QPushButton::clicked, this, [this] { openLink(this, m_tipsPage); });

    showTutorial(1);
}

VideoWindow::~VideoWindow() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
BrowserView* VideoWindow::filmView() const { return m_ui->超文本浏览框1; }
QLabel* VideoWindow::statusLabel() const { return m_ui->标签1; }
QPushButton* VideoWindow::moreButton() const { return m_ui->按钮7; }
// clang-format on

QPushButton* VideoWindow::tutorialButton(int number) const
{
    QPushButton* const buttons[] = { m_ui->按钮1, m_ui->按钮2, m_ui->按钮3, m_ui->按钮4, m_ui->按钮5, m_ui->按钮6 };
    static_assert(std::size(buttons) == std::size(kTutorialPaths));
    return buttons[number - 1];
}

QUrl VideoWindow::tutorialAddress(int number) const
{
    if (number < 1 || number > static_cast<int>(std::size(kTutorialPaths)))
        return {};
    return QUrl(m_videoHost + QString::fromLatin1(kTutorialPaths[number - 1]));
}

void VideoWindow::showTutorial(int number)
{
    filmView()->setUrl(tutorialAddress(number));
}

}  // namespace rq
