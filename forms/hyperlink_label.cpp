#include "forms/hyperlink_label.h"

#include <QMouseEvent>
#include <QUrl>

#include "forms/accessible_controls.h"
#include "ui/open_link.h"

namespace rq {

HyperlinkLabel::HyperlinkLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    registerAccessibleControls();
    // Only the underline is set here, so the label keeps the window's font otherwise.
    QFont underlined;
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_pressedInside = true;
    event->accept();
    Q_EMIT pressed();
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    const bool click = m_pressedInside && rect().contains(event->position().toPoint());
    m_pressedInside = false;
    if (click && !m_target.isEmpty())
        openLink(this, QUrl(m_target));
    Q_EMIT released();
}

void HyperlinkLabel::press()
{
    Q_EMIT pressed();
    if (!m_target.isEmpty())
        openLink(this, QUrl(m_target));
    Q_EMIT released();
}

void HyperlinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (!isPressKey(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    press();
}

void HyperlinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(this);
}

}  // namespace rq
