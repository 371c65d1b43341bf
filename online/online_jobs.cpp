#include "online/online_jobs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <string_view>
#include <utility>

#include "convert/counter_text.h"
#include "forms/picture_box.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

std::atomic<bool> g_programEnding{false};

// The network jobs have a pool of their own, so that a slow server never holds up other
// background work. It belongs to the application object; when the program ends every
// download is told to stop, so destroying the pool does not wait for a time-out.
QThreadPool* networkPool()
{
    static QPointer<QThreadPool> pool;
    if (pool.isNull()) {
        QCoreApplication* app = QCoreApplication::instance();
        pool = new QThreadPool(app);
        pool->setMaxThreadCount(4);
        QObject::connect(app, &QCoreApplication::aboutToQuit, pool, [] { g_programEnding = true; });
    }
    return pool;
}

// Carries a write over to the user-interface thread. Posted events from one thread arrive
// in the order they were posted, so a job's writes keep their order; the write is dropped
// when the control has gone with its window.
template <typename Control, typename Write>
void writeOnUiThread(const QPointer<Control>& control, Write write)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [control, write = std::move(write)] {
            if (!control.isNull())
                write(control.data());
        },
        Qt::QueuedConnection);
}

}  // namespace

HttpLimits programHttpLimits()
{
    HttpLimits limits;
    limits.cancel = &g_programEnding;
    return limits;
}

CounterJob::CounterJob(QByteArray pageUrl, QByteArray fileUrl, HttpLimits limits)
    : m_pageUrl(std::move(pageUrl)), m_fileUrl(std::move(fileUrl)), m_limits(limits)
{
}

QFuture<void> CounterJob::fetch(QWidget* window, QLabel* brandLine) const
{
    return start(window, brandLine, false);
}

QFuture<void> CounterJob::refresh(QWidget* window, QLabel* brandLine) const
{
    return start(window, brandLine, true);
}

QFuture<void> CounterJob::start(QWidget* window, QLabel* brandLine, bool visitPageFirst) const
{
    // Guards are made here, on the user-interface thread, while the controls surely exist.
    QPointer<QWidget> windowGuard(window);
    QPointer<QLabel> brandGuard(brandLine);
    return QtConcurrent::run(networkPool(), [=, page = m_pageUrl, file = m_fileUrl, limits = m_limits] {
        if (visitPageFirst)
            (void)HttpGet(page, limits);
        const QByteArray bytes = HttpGet(file, limits);
        const auto texts = CounterTextsFromFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!texts)
            return;
        const QString title = toQString(texts->title);
        const QString brand = toQString(texts->brandLine);
        writeOnUiThread(windowGuard, [title](QWidget* w) { w->setWindowTitle(title); });
        writeOnUiThread(brandGuard, [brand](QLabel* label) { label->setText(brand); });
    });
}

ChatPictureJob::ChatPictureJob(QByteArray imageUrl, HttpLimits limits)
    : m_imageUrl(std::move(imageUrl)), m_limits(limits)
{
}

QFuture<void> ChatPictureJob::load(PictureBox* box) const
{
    QPointer<PictureBox> boxGuard(box);
    return QtConcurrent::run(networkPool(), [boxGuard, url = m_imageUrl, limits = m_limits] {
        const QByteArray image = HttpGet(url, limits);
        writeOnUiThread(boxGuard, [image](PictureBox* picture) { picture->setImageBytes(image); });
    });
}

}  // namespace rq
