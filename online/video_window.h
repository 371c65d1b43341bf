// The tutorial window: short animated films on saving money in a renovation, chosen with
// six numbered buttons, with a label that tells whether the film is still loading.
#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace rq {

class BrowserView;

// Path of each tutorial on the video host, in button order; the first one is shown when
// the window opens.
inline constexpr const char* kTutorialPaths[] = {
    "/flash/LB075.swf", "/flash/LB083.swf", "/flash/LB082.swf",
    "/flash/LB084.swf", "/flash/LB086.swf", "/flash/LB090.swf",
};

inline constexpr char kLoadingText[] = "正在载入，请稍后。。。";
inline constexpr char kLoadedText[] = "载入完毕！";

// Opened non-modal and without owner; the caller sets Qt::WA_DeleteOnClose.
class VideoWindow : public QDialog {
    Q_OBJECT

public:
    explicit VideoWindow(QWidget* parent = nullptr);
    // videoHost is the scheme and host the tutorial paths are appended to; tipsPage is
    // what "更多>>" opens (tests use a local server).
    VideoWindow(const QString& videoHost, const QUrl& tipsPage, QWidget* parent);

    // The address of tutorial number (1 to 6); an empty address for any other number.
    QUrl tutorialAddress(int number) const;

private:
    void showTutorial(int number);

    QString m_videoHost;
    QUrl m_tipsPage;
    BrowserView* m_view = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace rq
