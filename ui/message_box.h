// Every message the program shows goes through here: caption "信息：", one OK button, the
// icon the situation calls for. Tests install a sink to see messages without a person
// clicking them away.
#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

namespace rq {

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Information);

// While a sink is set, messages go to it instead of a modal box. Pass {} to remove it.
using MessageSink = std::function<void(const QString& text, QMessageBox::Icon icon)>;
void setMessageSink(MessageSink sink);

}  // namespace rq
