#include "ui/edge_anchors.h"

#include <QEvent>

#include <algorithm>

namespace rq {

EdgeAnchors::EdgeAnchors(QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_formSize(window->size())
{
    window->setMinimumSize(m_formSize);
    window->installEventFilter(this);
}

void EdgeAnchors::anchor(QWidget* control, Qt::Edges edges)
{
    m_anchored.push_back({ control, control->geometry(), edges });
    place(control, control->geometry(), edges);
}

bool EdgeAnchors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize) {
        for (const Anchored& anchored : m_anchored)
            if (anchored.control)
                place(anchored.control, anchored.formGeometry, anchored.edges);
    }
    return QObject::eventFilter(watched, event);
}

void EdgeAnchors::place(QWidget* control, QRect formGeometry, Qt::Edges edges) const
{
    const QSize grown = m_window->size() - m_formSize;
    const int dx = std::max(0, grown.width());
    const int dy = std::max(0, grown.height());
    QRect placed = formGeometry;
    placed.adjust(edges & Qt::LeftEdge ? dx : 0, edges & Qt::TopEdge ? dy : 0, edges & Qt::RightEdge ? dx : 0,
        edges & Qt::BottomEdge ? dy : 0);
    control->setGeometry(placed);
}

} // namespace rq
