// A label that looks and acts like a web link: with a target it opens the address in the
// system's browser when clicked; with or without one it reports presses and releases, so a
// window can make it open one of its own windows instead. Like a link in a browser it is
// reached with Tab and followed with Return, Enter or the space bar.
#pragma once

#include <QLabel>
#include <QString>

namespace rq {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString target READ target WRITE setTarget)

public:
    explicit HyperlinkLabel(QWidget* parent = nullptr);

    QString target() const { return m_target; }
    void setTarget(const QString& target) { m_target = target; }
    // What a click does, for the keyboard (Space, Enter) and screen readers: pressed, the
    // target opened, released.
    void press();

Q_SIGNALS:
    void pressed();
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QString m_target;
    // A click is a press and a release on the label; dragging off the label cancels it.
    bool m_pressedInside = false;
};

}  // namespace rq
