#include "ui/document_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QPagedPaintDevice>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtConcurrent>

#include <atomic>
#include <memory>

#include "document/csv_writer.h"
#include "modules/module_loader.h"
#include "modules/xlsx_output.h"
#include "printing/print_preview.h"
#include "printing/quote_printer.h"
#include "ui/document_language.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

// Work shorter than this ends before any dialog could be read: none is shown.
constexpr int kProgressDelayMs = 500;
constexpr int kProgressPollMs = 100;
constexpr int kProgressSteps = 1000;

struct FileType {
    const char* filter;
    DocumentFormat format;
    const char* suffix;
};

constexpr FileType kFileTypes[] = {
    { QT_TRANSLATE_NOOP("DocumentActions", "PDF 文件 (*.pdf)"), DocumentFormat::Pdf, "pdf" },
    { QT_TRANSLATE_NOOP("DocumentActions", "Excel 工作簿 (*.xlsx)"), DocumentFormat::Xlsx, "xlsx" },
    { QT_TRANSLATE_NOOP("DocumentActions", "CSV 文件，UTF-8 (*.csv)"), DocumentFormat::Csv, "csv" },
};

const FileType& FileTypeOf(DocumentFormat format)
{
    for (const FileType& type : kFileTypes) {
        if (type.format == format)
            return type;
    }
    return kFileTypes[0];
}

// The folder of the last export in this session, where the next one starts.
QString& LastFolder()
{
    static QString folder;
    return folder;
}

int Scaled(int done, int total) { return total <= 0 ? 0 : static_cast<int>(qint64(done) * kProgressSteps / total); }

WriteResult WriteDocument(const QuoteDocument& document, const std::string& path, DocumentFormat format,
                          const ProgressCallback& progress)
{
    switch (format) {
    case DocumentFormat::Pdf:
        return WritePdf(document, path, progress);
    case DocumentFormat::Xlsx:
        return WriteXlsx(document, path, progress);
    case DocumentFormat::Csv:
    case DocumentFormat::Tsv:
        break;
    }
    return WriteBytes(path, CsvText(document));
}

}  // namespace

DocumentActions::DocumentActions(QWidget* window, DocumentSource source)
    : QObject(window)
    , m_window(window)
    , m_source([source = std::move(source)] {
        QuoteDocument document = source();
        FollowInterfaceLanguage(document);
        return document;
    })
{
    auto* print = new QAction(QCoreApplication::translate("DocumentActions", "打印…"), window);
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WindowShortcut);
    window->addAction(print);
    connect(print, &QAction::triggered, this, &DocumentActions::printWithPreview);
}

DocumentActions::Buttons DocumentActions::addButtons(const QRect& printPlace, const QRect& exportPlace,
                                                     const QString& what)
{
    auto* print = new QPushButton(QCoreApplication::translate("DocumentActions", "打印…"), m_window);
    print->setObjectName(QStringLiteral("printButton"));
    print->setGeometry(printPlace);
    print->setToolTip(QCoreApplication::translate("DocumentActions", "预览并打印%1 (Ctrl+P)").arg(what));
    auto* exportFile = new QPushButton(QCoreApplication::translate("DocumentActions", "导出…"), m_window);
    exportFile->setObjectName(QStringLiteral("exportButton"));
    exportFile->setGeometry(exportPlace);
    exportFile->setToolTip(QCoreApplication::translate("DocumentActions", "把%1存为 PDF、Excel 或 CSV 文件").arg(what));
    connect(print, &QPushButton::clicked, this, &DocumentActions::printWithPreview);
    connect(exportFile, &QPushButton::clicked, this, &DocumentActions::exportWithDialog);
    return {print, exportFile};
}

QStringList DocumentActions::fileFilters()
{
    QStringList filters;
    for (const FileType& type : kFileTypes)
        filters << QCoreApplication::translate("DocumentActions", type.filter);
    return filters;
}

DocumentFormat DocumentActions::formatOfFilter(const QString& filter)
{
    for (const FileType& type : kFileTypes) {
        if (filter == QCoreApplication::translate("DocumentActions", type.filter))
            return type.format;
    }
    return kFileTypes[0].format;
}

QString DocumentActions::withExtension(const QString& path, DocumentFormat format)
{
    if (FormatOfPath(fromQString(path)) == format)
        return path;
    return path + QLatin1Char('.') + QLatin1String(FileTypeOf(format).suffix);
}

void DocumentActions::printWithPreview()
{
    if (m_busy)
        return;
    static const auto preview = LoadModuleFunction<PrintWithPreview>(kPrintModule, kPrintPreviewEntry, "打印预览的模块");
    if (preview.function == nullptr) {
        showMessage(m_window,
            QCoreApplication::translate("DocumentActions", "无法打印（%1）").arg(toQString(preview.problem)),
            QMessageBox::Warning);
        return;
    }
    m_busy = true;
    // The preview is modal: the window's document stays as it is while the pages are shown.
    const QuoteDocument document = m_source();
    preview.function(m_window, {toQString(document.title), &SetUpQuotePage,
                                [this, &document](QPagedPaintDevice& printer) { return paint(document, printer); }});
    m_busy = false;
}

bool DocumentActions::paintOn(QPagedPaintDevice& printer) { return paint(m_source(), printer); }

bool DocumentActions::paint(const QuoteDocument& document, QPagedPaintDevice& printer)
{
    // The preview and the printer paint on this thread: the progress dialog keeps the
    // window answering while the pages are laid out.
    QProgressDialog progress(QCoreApplication::translate("DocumentActions", "正在排版打印的页面…"),
        QCoreApplication::translate("DocumentActions", "取消"), 0, kProgressSteps, m_window);
    progress.setWindowTitle(QCoreApplication::translate("DocumentActions", "打印"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setValue(0);
    return PaintQuoteDocument(document, printer, [&progress](int done, int total) {
        progress.setValue(std::min(Scaled(done, total), kProgressSteps - 1));
        return !progress.wasCanceled();
    });
}

void DocumentActions::exportWithDialog()
{
    if (m_busy)
        return;
    const QuoteDocument document = m_source();
    QString folder = LastFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = toQString(document.title);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));

    QFileDialog dialog(m_window, QCoreApplication::translate("DocumentActions", "导出报价"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(fileFilters());
    dialog.setDefaultSuffix(QLatin1String(kFileTypes[0].suffix));
    dialog.selectFile(name + QLatin1Char('.') + QLatin1String(kFileTypes[0].suffix));
    widenFileDialog(dialog);
    // The filter chooses the type: a name typed without an extension gets the filter's,
    // and the question about replacing a file asks about the name that will be written.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(QLatin1String(FileTypeOf(formatOfFilter(filter)).suffix));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString returned = dialog.selectedFiles().constFirst();
    // A name typed with one of the other types' extensions says what the user wants.
    const std::optional<DocumentFormat> typed = FormatOfPath(fromQString(returned));
    const DocumentFormat format = typed && *typed != DocumentFormat::Tsv ? *typed : formatOfFilter(dialog.selectedNameFilter());
    const QString path = withExtension(returned, format);
    if (!mayReplaceFile(m_window, returned, path))
        return;
    LastFolder() = QFileInfo(path).absolutePath();
    exportTo(path, format);
}

bool DocumentActions::exportTo(const QString& path, DocumentFormat format)
{
    if (m_busy)
        return false;
    m_busy = true;
    const std::string target = QFile::encodeName(path).toStdString();
    QuoteDocument document = m_source();
    // A chart is drawn by a graphics scene, which belongs to the main thread: a document
    // with one (the comparison, a page or two) is written here, in a moment.
    const WriteResult result = document.chart
        ? WriteDocument(document, target, format, {})
        : runWithProgress(
            QCoreApplication::translate("DocumentActions", "正在导出 %1 …").arg(QFileInfo(path).fileName()),
            [document = std::move(document), target, format](
                const ProgressCallback& progress) { return WriteDocument(document, target, format, progress); });
    m_busy = false;
    if (result.status == WriteResult::Status::Failed)
        showMessage(m_window, toQString(result.problem), QMessageBox::Warning);
    return result.written();
}

WriteResult DocumentActions::runWithProgress(const QString& label,
                                             std::function<WriteResult(const ProgressCallback&)> write)
{
    struct Shared {
        std::atomic<int> done{0};
        std::atomic<int> total{1};
        std::atomic<bool> cancelled{false};
    };
    const auto shared = std::make_shared<Shared>();
    QEventLoop loop;
    QFutureWatcher<WriteResult> watcher;
    connect(&watcher, &QFutureWatcher<WriteResult>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([shared, write = std::move(write)] {
        return write([shared](int done, int total) {
            shared->done = done;
            shared->total = total;
            return !shared->cancelled;
        });
    }));

    QProgressDialog progress(
        label, QCoreApplication::translate("DocumentActions", "取消"), 0, kProgressSteps, m_window);
    progress.setWindowTitle(QCoreApplication::translate("DocumentActions", "导出"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);  // starts the half second after which it shows itself
    connect(&progress, &QProgressDialog::canceled, &loop, [shared] { shared->cancelled = true; });
    QTimer poll;
    connect(&poll, &QTimer::timeout, &progress, [&progress, shared] {
        if (progress.wasCanceled())
            shared->cancelled = true;
        else
            progress.setValue(std::min(Scaled(shared->done, shared->total), kProgressSteps - 1));
    });
    poll.start(kProgressPollMs);
    if (!watcher.isFinished())
        loop.exec();
    poll.stop();
    return watcher.result();
}

}  // namespace rq
