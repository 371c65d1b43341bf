// PDF from the command line: the printer of the windows, in a module loaded for a .pdf
// only (see pdf_module.h). A build without the windows' Qt parts has no printer and says so.
#include "cli/document_output.h"
#include "convert/utf8.h"

#ifdef RENOQUOTE_CLI_PDF
#include "cli/pdf_module.h"
#include "modules/module_loader.h"
#endif

namespace rq::cli {

#ifdef RENOQUOTE_CLI_PDF

bool CanWritePdf() { return true; }

WriteResult WritePdfFile(const QuoteDocument& document, const std::string& path)
{
    static const auto pdf = LoadModuleFunction<PdfWriter>("librenoquote_pdf.so", kPdfWriterEntry, "输出 PDF 的模块");
    if (pdf.function == nullptr)
        return Failed("无法写入文件 " + ShortPiece(path, 80) + "（" + pdf.problem + "）");
    return pdf.function(document, path);
}

#else

bool CanWritePdf() { return false; }

WriteResult WritePdfFile(const QuoteDocument&, const std::string& path)
{
    return Failed("无法写入文件 " + ShortPiece(path, 80) + "（这个版本编译时没有图形界面部分，不能输出 PDF）");
}

#endif

}  // namespace rq::cli
