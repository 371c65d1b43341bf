#include "forms/picture_box.h"

#include <QMouseEvent>
#include <QPixmap>

namespace rq {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
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

}  // namespace rq
