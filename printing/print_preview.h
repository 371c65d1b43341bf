// Printing with a preview needs Qt's printing library and its printer plug-ins, which no
// other part of the program uses: they live in a module that the first print loads (see
// modules/module_loader.h), so that the main window paints without them. This is what
// that module offers.
#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace rq {

struct PrintJob {
    QString name;                                       // in the printer's queue: the document's title
    std::function<void(QPagedPaintDevice&)> setUpPage;  // paper, orientation and margins
    std::function<bool(QPagedPaintDevice&)> paint;      // every page; false when the user stopped it
};

// Opens the print preview of the job, modal to `window`; printing from it paints the job
// again on the printer the user chose.
using PrintWithPreview = void (*)(QWidget* window, const PrintJob& job);

// The module's one exported function, looked up by this name, hands out the preview.
inline constexpr char kPrintPreviewEntry[] = "renoquotePrintPreview";
inline constexpr char kPrintModule[] = "librenoquote_print.so";

}  // namespace rq
