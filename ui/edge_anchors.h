// Lets a window whose form places every control at a fixed spot grow with the user: the
// form's size is the window's smallest size, and as the window is enlarged each anchored
// control's sides follow the window edges named for it, so a sheet or a report takes the
// new room while the controls beside and below it keep their distance to the edges.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace rq {

class EdgeAnchors : public QObject {
    Q_OBJECT

public:
    // Call when the window has its form's size: that size becomes its smallest.
    explicit EdgeAnchors(QWidget* window);

    // The sides of `control` named in `edges` move with the same sides of the window; the
    // others stay where the form put them. Right | Bottom grows a control, Left | Right
    // moves it along with the right edge.
    void anchor(QWidget* control, Qt::Edges edges);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget* control, QRect formGeometry, Qt::Edges edges) const;

    struct Anchored {
        QPointer<QWidget> control;
        QRect formGeometry;
        Qt::Edges edges;
    };
    QWidget* m_window;
    QSize m_formSize;
    std::vector<Anchored> m_anchored;
};

} // namespace rq
