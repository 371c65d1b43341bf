#include "ui/message_box.h"

#include <QFileInfo>
#include <QPushButton>

namespace rq {

namespace {

MessageSink& sink()
{
    static MessageSink instance;
    return instance;
}

QuestionSink& questionSink()
{
    static QuestionSink instance;
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

int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons, int defaultButton,
                int escapeButton)
{
    if (questionSink())
        return questionSink()(text, buttons);
    QMessageBox box(QMessageBox::Question, QStringLiteral("信息："), text, QMessageBox::NoButton, parent);
    QList<QPushButton*> made;
    for (const QString& caption : buttons)
        made.push_back(box.addButton(caption, QMessageBox::ActionRole));
    if (defaultButton >= 0 && defaultButton < made.size())
        box.setDefaultButton(made[defaultButton]);
    if (escapeButton >= 0 && escapeButton < made.size())
        box.setEscapeButton(made[escapeButton]);
    box.exec();
    const int chosen = static_cast<int>(made.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return chosen >= 0 ? chosen : escapeButton;
}

bool mayReplaceFile(QWidget* parent, const QString& returned, const QString& path)
{
    if (path == returned || !QFileInfo::exists(path))
        return true;
    const QString question = QStringLiteral("“%1”已存在。\n要替换它吗？").arg(QFileInfo(path).fileName());
    return askQuestion(parent, question, {QStringLiteral("替换"), QStringLiteral("取消")}, 1, 1) == 0;
}

void setQuestionSink(QuestionSink newSink) { questionSink() = std::move(newSink); }

}  // namespace rq
