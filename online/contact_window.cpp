#include "online/contact_window.h"

#include <QFontMetrics>

#include <algorithm>

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"
#include "online/endpoints.h"
#include "online/online_links.h"
#include "ui/application_look.h"
#include "ui_contact_window.h"

namespace rq {

ContactWindow::ContactWindow(QWidget* parent)
    : ContactWindow(ChatPictureJob(endpoints::kChatStatusImage, programHttpLimits()), parent)
{
}

ContactWindow::ContactWindow(const ChatPictureJob& picture, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ContactWindow>())
{
    m_ui->setupUi(this);
    // The catalogued 215 pixels cut the title after a few characters in any title bar:
    // the window grows to the right, every control keeping its place.
    setFixedSize(std::max(width(), TitleBarWidth(*this)), height());
    siteLink()->setText(companySiteAddress());
    fitCaptionsToBoxes(this);
    startChatPicture(chatPictureBox(), picture);
}

ContactWindow::~ContactWindow() = default;

int ContactWindow::TitleBarWidth(const QWidget& window)
{
    constexpr int kTitleBarButtons = 100;  // the icon and three buttons of a common title bar
    QFont title = window.font();
    title.setBold(true);
    if (title.pointSizeF() > 0)
        title.setPointSizeF(title.pointSizeF() * 4 / 3);
    else
        title.setPixelSize(title.pixelSize() * 4 / 3);
    return QFontMetrics(title).horizontalAdvance(window.windowTitle()) + kTitleBarButtons;
}

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
// clang-format off
PictureBox* ContactWindow::chatPictureBox() const { return m_ui->图片框1; }
HyperlinkLabel* ContactWindow::siteLink() const { return m_ui->超级链接框3; }
// clang-format on
// clang-format on

}  // namespace rq
