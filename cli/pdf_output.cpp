// PDF from the command line: the printer of the windows, in a module loaded for a .pdf
// only (see pdf_module.h). A build without the windows' Qt parts has no printer and says so.
#include "cli/document_output.h"

#ifdef RENOQUOTE_CLI_PDF
#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "cli/pdf_module.h"
#endif

namespace rq::cli {

#ifdef RENOQUOTE_CLI_PDF

namespace {

// Installed: in the library folder beside the program's; in the build tree: where the
// build puts it.
PdfWriter loadPdfWriter()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string candidates[] = {
        error ? std::string() : (program.parent_path() / ".." / RENOQUOTE_PDF_MODULE_INSTALL_DIR / "librenoquote_pdf.so").string(),
        RENOQUOTE_PDF_MODULE_BUILD_PATH,
    };
    for (const std::string& path : candidates) {
        if (path.empty())
            continue;
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);  // stays loaded for the run
        if (module == nullptr)
            continue;
        if (const auto entry = reinterpret_cast<PdfWriterEntry>(dlsym(module, kPdfWriterEntry)))
            return entry();
    }
    return nullptr;
}

}  // namespace

bool CanWritePdf() { return true; }

WriteResult WritePdfFile(const QuoteDocument& document, const std::string& path)
{
    static const PdfWriter writer = loadPdfWriter();
    if (writer == nullptr)
        return Failed("无法写入文件 " + path + "（找不到输出 PDF 的模块 librenoquote_pdf.so）");
    return writer(document, path);
}

#else

bool CanWritePdf() { return false; }

WriteResult WritePdfFile(const QuoteDocument&, const std::string& path)
{
    return Failed("无法写入文件 " + path + "（这个版本编译时没有图形界面部分，不能输出 PDF）");
}

#endif

}  // namespace rq::cli
