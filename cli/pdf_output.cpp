// PDF from the command line: the printer of the windows, painting without a display. A
// build without the windows' Qt parts has no printer and says so.
#include "cli/document_output.h"

#ifdef RENOQUOTE_CLI_PDF
#include <QGuiApplication>

#include <cstdio>

#include "document/quote_printer.h"
#endif

namespace rq::cli {

#ifdef RENOQUOTE_CLI_PDF

bool CanWritePdf() { return true; }

WriteResult WritePdfFile(const QuoteDocument& document, const std::string& path)
{
    // Fonts need a GUI application; the offscreen platform needs no display.
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
    const QGuiApplication application(argc, argv);
    WriteResult result = WritePdf(document, path);
    qInstallMessageHandler(previous);
    return result;
}

#else

bool CanWritePdf() { return false; }

WriteResult WritePdfFile(const QuoteDocument&, const std::string& path)
{
    return Failed("无法写入文件 " + path + "（这个版本编译时没有图形界面部分，不能输出 PDF）");
}

#endif

}  // namespace rq::cli
