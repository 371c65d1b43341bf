#include "ui/first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace rq {
namespace {

class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> then)
        : QObject(window)
        , m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that the paint itself is not held up.
            QTimer::singleShot(0, watched, std::move(m_then));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

}  // namespace

void afterFirstPaint(QWidget* window, std::function<void()> then) { new AfterFirstPaint(window, std::move(then)); }

}  // namespace rq
