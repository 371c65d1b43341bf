#include "online/contact_window.h"

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
    setFixedSize(size());
    siteLink()->setText(companySiteAddress());
    fitCaptionsToBoxes(this);
    startChatPicture(chatPictureBox(), picture);
}

ContactWindow::~ContactWindow() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
// clang-format off
PictureBox* ContactWindow::chatPictureBox() const { return m_ui->图片框1; }
HyperlinkLabel* ContactWindow::siteLink() const { return m_ui->超级链接框3; }
// clang-format on
// clang-format on

}  // namespace rq
