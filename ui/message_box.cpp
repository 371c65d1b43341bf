#include "ui/message_box.h"

#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>

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

// The index of a question box's button among the answers.
constexpr char kAnswer[] = "renoquoteAnswer";

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

QString withoutAccessKey(const QString& caption)
{
    static const QRegularExpression key(QStringLiteral("\\(&[^)]\\)"));
    return QString(caption).remove(key).remove(QLatin1Char('&'));
}

std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text, const QStringList& buttons,
                                             int defaultButton, int escapeButton)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("信息："), text,
                                             QMessageBox::NoButton, parent);
    QList<QPushButton*> made;
    for (const QString& caption : buttons) {
        made.push_back(box->addButton(caption, QMessageBox::ActionRole));
        made.back()->setProperty(kAnswer, static_cast<int>(made.size() - 1));
    }
    if (defaultButton >= 0 && defaultButton < made.size())
        box->setDefaultButton(made[defaultButton]);
    if (escapeButton >= 0 && escapeButton < made.size())
        box->setEscapeButton(made[escapeButton]);
    return box;
}

int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons, int defaultButton,
                int escapeButton)
{
    if (questionSink()) {
        QStringList captions;
        for (const QString& caption : buttons)
            captions.push_back(withoutAccessKey(caption));
        return questionSink()(text, captions);
    }
    const std::unique_ptr<QMessageBox> box = makeQuestionBox(parent, text, buttons, defaultButton, escapeButton);
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    return clicked && clicked->property(kAnswer).isValid() ? clicked->property(kAnswer).toInt() : escapeButton;
}

bool mayReplaceFile(QWidget* parent, const QString& returned, const QString& path)
{
    if (path == returned || !QFileInfo::exists(path))
        return true;
    const QString question = QStringLiteral("“%1”已存在。\n要替换它吗？").arg(QFileInfo(path).fileName());
    return askQuestion(parent, question, {QStringLiteral("替换(&R)"), QStringLiteral("取消(&C)")}, 1, 1) == 0;
}

void setQuestionSink(QuestionSink newSink) { questionSink() = std::move(newSink); }

}  // namespace rq
