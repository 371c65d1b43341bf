// The print preview module: see printing/print_preview.h.
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include "printing/print_preview.h"

namespace {

void printWithPreview(QWidget* window, const rq::PrintJob& job)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.name);
    job.setUpPage(printer);
    QPrintPreviewDialog preview(&printer, window);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    // Room for a whole page at a size that can be read.
    if (const QScreen* screen = window->screen())
        preview.resize(screen->availableSize() * 4 / 5);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&job](QPrinter* shown) { job.paint(*shown); });
    preview.exec();
}

}  // namespace

extern "C" Q_DECL_EXPORT rq::PrintWithPreview renoquotePrintPreview() { return &printWithPreview; }
