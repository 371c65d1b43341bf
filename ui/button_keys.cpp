#include "ui/button_keys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace rq {

namespace {

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
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool plain = key->modifiers() == Qt::NoModifier
                || (key->key() == Qt::Key_Enter && key->modifiers() == Qt::KeypadModifier);
            auto* button = qobject_cast<QPushButton*>(watched);
            if (button && plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
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

} // namespace rq
