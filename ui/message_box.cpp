#include "ui/message_box.h"

namespace rq {

namespace {

MessageSink& sink()
{
    static MessageSink instance;
    return instance;
}

}  // namespace

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    if (sink()) {
        sink()(text, icon);
        return;
    }
    QMessageBox box(icon, QStringLiteral("信息："), text, QMessageBox::Ok, parent);
    box.exec();
}

void setMessageSink(MessageSink newSink) { sink() = std::move(newSink); }

}  // namespace rq
