#include "forms/picture_box.h"

#include <QMouseEvent>
#include <QPixmap>

#include "forms/accessible_controls.h"

namespace rq {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    registerAccessibleControls();
}

void PictureBox::setImageBytes(const QByteArray& bytes)
{
    QPixmap picture;
    if (bytes.isEmpty() || !picture.loadFromData(bytes)) {
        clear();
        return;
    }
    setPixmap(picture);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Q_EMIT pressed();
        return;
    }
    QLabel::mousePressEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    if (!isPressKey(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    press();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(this);
}

}  // namespace rq
