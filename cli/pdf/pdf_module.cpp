// The module behind renoquote-cli's .pdf output: see cli/pdf_module.h.
#include <QApplication>

#include <cstdio>

#include "cli/pdf_module.h"
#include "printing/quote_printer.h"

namespace {

rq::WriteResult writePdf(const rq::QuoteDocument& document, const std::string& path)
{
    // Fonts need a GUI application, a document's chart one with widgets; the offscreen
    // platform needs no display.
    static int argc = 3;
    static char name[] = "renoquote-cli";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    // Qt's notes on the session (no runtime folder, no display) are not the command's
    // output: only what goes wrong with the file is reported, by the command itself.
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        });
    const QApplication application(argc, argv);
    rq::WriteResult result = rq::WritePdf(document, path);
    qInstallMessageHandler(previous);
    return result;
}

}  // namespace

extern "C" Q_DECL_EXPORT rq::cli::PdfWriter renoquotePdfWriter() { return &writePdf; }
