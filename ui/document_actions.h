// Printing and exporting the quote a window shows: a print preview before printing
// (Ctrl+P), "导出…" to PDF, XLSX or CSV as the file dialog's filter says, and a progress
// dialog that can be cancelled when the work takes longer than half a second. The
// document is taken from the window when the user asks, so it says what the window says.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "document/document_file.h"
#include "document/quote_document.h"

class QPagedPaintDevice;
class QPushButton;
class QRect;
class QWidget;

namespace rq {

class DocumentActions : public QObject {
    Q_OBJECT

public:
    using DocumentSource = std::function<QuoteDocument()>;

    // Adds Ctrl+P (print with preview) to `window`.
    DocumentActions(QWidget* window, DocumentSource source);

    void printWithPreview();
    void exportWithDialog();

    // "打印…" and "导出…" buttons on the window at the given places (object names
    // printButton and exportButton); `what` names the document in their tool tips.
    struct Buttons {
        QPushButton* print;
        QPushButton* exportFile;
    };
    Buttons addButtons(const QRect& printPlace, const QRect& exportPlace, const QString& what);

    // Writes the window's document to `path`; a failure is told in a message box and an
    // earlier file at `path` is kept, as it is when the user cancels. True when written.
    bool exportTo(const QString& path, DocumentFormat format);

    // Paints the window's document on a printer (the preview's, or the one printing), with
    // progress. The preview itself is in a module loaded by the first print (see
    // printing/print_preview.h); a missing module is told in a message box.
    bool paintOn(QPagedPaintDevice& printer);

    // The file dialog's filters, and the format a chosen filter stands for.
    static QStringList fileFilters();
    static DocumentFormat formatOfFilter(const QString& filter);
    // The name the user typed, with the chosen format's extension when it has another.
    static QString withExtension(const QString& path, DocumentFormat format);

private:
    bool paint(const QuoteDocument& document, QPagedPaintDevice& printer);

    // Runs `write` on a worker thread while the window keeps answering; after half a
    // second a progress dialog shows how far it is and lets the user cancel.
    WriteResult runWithProgress(const QString& label, std::function<WriteResult(const ProgressCallback&)> write);

    QWidget* m_window;
    DocumentSource m_source;
    bool m_busy = false;  // one print or export at a time
};

}  // namespace rq
