#include "forms/accessible_controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"

namespace rq {

namespace {

// A link label or a clickable picture, pressed by a screen reader as by a click.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* control, QAccessible::Role role) : QAccessibleWidget(control, role) {}

    QString text(QAccessible::Text t) const override
    {
        // A link's name is its text unless it was given one; a picture has no text.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            if (const auto* link = qobject_cast<const HyperlinkLabel*>(widget()))
                return link->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList { pressAction() } + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (auto* link = qobject_cast<HyperlinkLabel*>(widget()))
            link->press();
        else if (auto* picture = qobject_cast<PictureBox*>(widget()))
            picture->press();
    }
};

QAccessibleInterface* pressableFactory(const QString&, QObject* object)
{
    if (auto* link = qobject_cast<HyperlinkLabel*>(object))
        return new PressableAccessible(link, QAccessible::Link);
    if (auto* picture = qobject_cast<PictureBox*>(object))
        return new PressableAccessible(picture, QAccessible::Button);
    return nullptr;
}

}  // namespace

void registerAccessibleControls()
{
    static const bool registered = [] {
        QAccessible::installFactory(pressableFactory);
        return true;
    }();
    (void)registered;
}

bool isPressKey(const QKeyEvent* event)
{
    const int key = event->key();
    return !event->isAutoRepeat() && event->modifiers() == Qt::NoModifier
        && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter);
}

void paintFocusFrame(QWidget* control)
{
    if (!control->hasFocus())
        return;
    QStylePainter painter(control);
    QStyleOptionFocusRect option;
    option.initFrom(control);
    option.backgroundColor = control->palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace rq
