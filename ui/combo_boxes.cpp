#include "ui/combo_boxes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace rq {

void keepTypedTexts(QWidget* window)
{
    for (QComboBox* box : window->findChildren<QComboBox*>()) {
        if (!box->isEditable())
            continue;
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
}

void nameComboBoxParts(QWidget* window)
{
    for (QComboBox* box : window->findChildren<QComboBox*>()) {
        if (box->lineEdit())
            box->lineEdit()->setAccessibleName(box->accessibleName());
        box->view()->setAccessibleName(box->accessibleName());
    }
}

ListChoice::ListChoice(QComboBox* box)
    : QObject(box)
    , m_box(box)
{
    // The box makes its list, and the list its own event filters, on the first call to
    // view(); installed after them, this filter sees each event before the list acts on it.
    QAbstractItemView* list = box->view();
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    box->installEventFilter(this);
    connect(box, &QComboBox::activated, this, [this](int index) {
        if (!m_picking)
            return;
        m_picking = false;
        Q_EMIT picked(index);
    });
}

bool ListChoice::isListGesture(const QObject* watched, const QEvent* event) const
{
    if (watched == m_box->view()->viewport())
        return event->type() == QEvent::MouseButtonRelease;
    if (watched == m_box && event->type() == QEvent::Wheel)
        return true;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    // The open list takes Return as its shortcut, before the key press proper.
    if (watched == m_box->view())
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
    if (watched == m_box && event->type() == QEvent::KeyPress)
        return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    return false;
}

bool ListChoice::eventFilter(QObject* watched, QEvent* event)
{
    if (isListGesture(watched, event)) {
        // The box reports the choice while it handles this event; a gesture that chose
        // nothing must not lend its flag to a later typed text.
        m_picking = true;
        QTimer::singleShot(0, this, [this] { m_picking = false; });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rq
