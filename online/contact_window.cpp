#include "online/contact_window.h"

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"
#include "online/endpoints.h"
#include "online/online_links.h"
#include "ui_contact_window.h"

namespace rq {

ContactWindow::ContactWindow(QWidget* parent)
    : ContactWindow(ChatPictureJob(endpoints::kChatStatusImage, programHttpLimits()), parent)
{
}

ContactWindow::ContactWindow(const ChatPictureJob& picture, QWidget* parent) : QDialog(parent)
{
    Ui::ContactWindow ui;
    ui.setupUi(this);
    setFixedSize(size());
    startChatPicture(findChild<PictureBox*>(QStringLiteral("图片框1")), picture);
}

}  // namespace rq
