// The tutorial window: short animated films on saving money in a renovation, chosen with
// six numbered buttons, with a label that tells whether the film is still loading.
#pragma once

#include <memory>

#include <QDialog>
#include <QUrl>

namespace Ui {
class VideoWindow;
}

class QLabel;
class QPushButton;

namespace rq {

class BrowserView;

// Path of each tutorial on the video host, in button order; the first one is shown when
// the window opens.
inline constexpr const char* kTutorialPaths[] = {
    "/flash/LB075.swf", "/flash/LB083.swf", "/flash/LB082.swf",
    "/flash/LB084.swf", "/flash/LB086.swf", "/flash/LB090.swf",
};

inline constexpr char kLoadingText[] = QT_TRANSLATE_NOOP("VideoWindow", "正在载入，请稍后。。。");
inline constexpr char kLoadedText[] = QT_TRANSLATE_NOOP("VideoWindow", "载入完毕！");
inline constexpr char kLoadFailedText[] = QT_TRANSLATE_NOOP("VideoWindow", "载入失败！");

// Opened non-modal and without owner; the caller sets Qt::WA_DeleteOnClose.
class VideoWindow : public QDialog {
    Q_OBJECT

public:
    explicit VideoWindow(QWidget* parent = nullptr);
    // videoHost is the scheme and host the tutorial paths are appended to; tipsPage is
    // what "更多>>" opens (tests use a local server).
    VideoWindow(const QString& videoHost, const QUrl& tipsPage, QWidget* parent);
    ~VideoWindow() override;

    // The address of tutorial number (1 to 6); an empty address for any other number.
    QUrl tutorialAddress(int number) const;

private:
    // The controls by role: the film, the loading status, the numbered buttons (1 to 6)
    // and "更多>>".
    BrowserView* filmView() const;
    QLabel* statusLabel() const;
    QPushButton* tutorialButton(int number) const;
    QPushButton* moreButton() const;

    void showTutorial(int number);

    std::unique_ptr<Ui::VideoWindow> m_ui;
    QString m_videoHost;
    QUrl m_tipsPage;
};

}  // namespace rq
