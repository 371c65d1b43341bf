// Every message the program shows goes through here: caption "信息：", one OK button, the
// icon the situation calls for. Tests install a sink to see messages without a person
// clicking them away.
#pragma once

#include <functional>
#include <memory>

#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace rq {

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Information);

// While a sink is set, messages go to it instead of a modal box. Pass {} to remove it.
using MessageSink = std::function<void(const QString& text, QMessageBox::Icon icon)>;
void setMessageSink(MessageSink sink);

// A question with buttons of its own ("保存(&S)", "不保存(&N)", "取消(&C)": each with its
// access key, Alt+S…), caption "信息：". Returns the index of the button chosen; closing the
// box or Escape chooses `escapeButton`.
int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons, int defaultButton,
                int escapeButton);

// The file dialog asks before it returns a file that exists, but about the name as the user
// typed it; a name given its extension afterwards ("王宅3.5" becoming "王宅3.5.pdf") may be
// another file, that nobody asked about. True when `path` is the name the dialog returned or
// a new file, or when the user chose to replace it.
bool mayReplaceFile(QWidget* parent, const QString& returned, const QString& path);

// The box askQuestion shows, for a look at it without a person to answer it.
std::unique_ptr<QMessageBox> makeQuestionBox(QWidget* parent, const QString& text, const QStringList& buttons,
                                             int defaultButton, int escapeButton);

// A button's caption as the user reads it: "保存(&S)" is "保存".
QString withoutAccessKey(const QString& caption);

// While a sink is set, questions go to it, with the captions as the user reads them, and it
// answers with a button index. Pass {} to remove it.
using QuestionSink = std::function<int(const QString& text, const QStringList& buttons)>;
void setQuestionSink(QuestionSink sink);

}  // namespace rq
