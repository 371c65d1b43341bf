#include "ui/button_keys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace rq {

namespace {

// Return, or Enter on the keypad, with no other key held: what presses a dialog's button.
bool IsPlainReturn(const QKeyEvent& key)
{
    const bool plain = key.modifiers() == Qt::NoModifier
        || (key.key() == Qt::Key_Enter && key.modifiers() == Qt::KeypadModifier);
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

class ReturnClicks : public QObject {
public:
    explicit ReturnClicks(QWidget* window)
        : QObject(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* button = qobject_cast<QPushButton*>(watched);
            if (button && IsPlainReturn(*static_cast<QKeyEvent*>(event))) {
                if (button->isEnabled())
                    button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void returnPressesFocusedButton(QWidget* window)
{
    auto* filter = new ReturnClicks(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

namespace {

// Return in a field presses its button and goes no further: an editable list would
// otherwise hand the same key to its own field a second time.
class ReturnInField : public QObject {
public:
    ReturnInField(QPushButton* button, QObject* parent)
        : QObject(parent)
        , m_button(button)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            if (IsPlainReturn(*static_cast<QKeyEvent*>(event))) {
                if (m_button->isEnabled() && m_button->isVisible())
                    m_button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton* m_button;
};

} // namespace

void returnInFieldsPresses(QPushButton* button, std::initializer_list<QWidget*> fields)
{
    auto* filter = new ReturnInField(button, button);
    for (QWidget* field : fields) {
        field->installEventFilter(filter);
        if (auto* list = qobject_cast<QComboBox*>(field); list && list->lineEdit())
            list->lineEdit()->installEventFilter(filter);
    }
}

void escapeCloses(QWidget* window)
{
    auto* escape = new QShortcut(QKeySequence::Cancel, window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void giveButtonKey(QPushButton* button, const QKeySequence& key, const QString& what)
{
    // A shortcut of its own, not the button's: a caption set later (详细报价>> becoming
    // <<详细报价) would clear the button's.
    auto* shortcut = new QShortcut(key, button);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled() && button->isVisible())
            button->click();
    });
    button->setToolTip(QStringLiteral("%1（%2）").arg(what, key.toString(QKeySequence::NativeText)));
}

} // namespace rq
