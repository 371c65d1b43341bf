#include "ui/message_box.h"

#include <QCoreApplication>
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

// A box taller than the screen hides its own buttons. A long text (every problem of a price
// list, say) shows its first lines and keeps the whole in the box's scrolling details.
constexpr int kMaxShownLines = 15;
constexpr int kMaxShownChars = 1500;

void setFittingText(QMessageBox& box, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() <= kMaxShownLines && text.size() <= kMaxShownChars) {
        box.setText(text);
        return;
    }
    QString shown;
    for (const QString& line : lines.mid(0, kMaxShownLines - 3)) {
        if (shown.size() + line.size() > kMaxShownChars)
            break;
        shown += line + QLatin1Char('\n');
    }
    box.setText(
        shown + QCoreApplication::translate("MessageBox", "……（共 %1 行，完整内容在详细信息中）").arg(lines.size()));
    box.setDetailedText(text);
}

}  // namespace

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    if (sink()) {
        sink()(text, icon);
        return;
    }
    QMessageBox box(icon, QCoreApplication::translate("MessageBox", "信息："), QString(), QMessageBox::Ok, parent);
    setFittingText(box, text);
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
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QCoreApplication::translate("MessageBox", "信息："),
        QString(), QMessageBox::NoButton, parent);
    setFittingText(*box, text);
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
    const QString question
        = QCoreApplication::translate("MessageBox", "“%1”已存在。\n要替换它吗？").arg(QFileInfo(path).fileName());
    return askQuestion(parent, question,
               { QCoreApplication::translate("MessageBox", "替换(&R)"),
                   QCoreApplication::translate("MessageBox", "取消(&C)") },
               1, 1)
        == 0;
}

void setQuestionSink(QuestionSink newSink) { questionSink() = std::move(newSink); }

}  // namespace rq
