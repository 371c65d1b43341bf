#include "online/contact_window.h"

#include <QDesktopServices>
#include <QUrl>

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"
#include "online/endpoints.h"
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
    auto* chat = findChild<PictureBox*>(QStringLiteral("图片框1"));
    connect(chat, &PictureBox::pressed, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(endpoints::kChatLink))); });
    picture.load(chat);
}

}  // namespace rq
