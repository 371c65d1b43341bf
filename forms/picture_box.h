// A box that shows a picture from image bytes (such as a downloaded chat-status image) and
// reports a left press, so that clicking the picture can open what it stands for.
#pragma once

#include <QByteArray>
#include <QLabel>

namespace rq {

class PictureBox : public QLabel {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Bytes that are empty or not an image leave the box empty.
    void setImageBytes(const QByteArray& bytes);
    // What a click does, for the keyboard (Space, Enter) and screen readers.
    void press() { Q_EMIT pressed(); }

Q_SIGNALS:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace rq
