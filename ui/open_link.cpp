#include "ui/open_link.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "ui/message_box.h"

namespace rq {

void openLink(QWidget* from, const QUrl& url)
{
    if (QDesktopServices::openUrl(url))
        return;
    const QString address = url.toString();
    QGuiApplication::clipboard()->setText(address);
    showMessage(from,
        QCoreApplication::translate(
            "OpenLink", "无法打开网页浏览器。\n网址已复制到剪贴板，可粘贴到浏览器的地址栏中打开：\n")
            + address,
        QMessageBox::Warning);
}

} // namespace rq
