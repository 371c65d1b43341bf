#include "modules/xlsx_output.h"

#include "document/xlsx/xlsx_module.h"
#include "modules/module_loader.h"

namespace rq {

WriteResult WriteXlsx(const QuoteDocument& document, const std::string& path, const ProgressCallback& progress)
{
    static const auto workbook = LoadModuleFunction<WorkbookWriter>(kXlsxModule, kWorkbookWriterEntry, "输出电子表格的模块");
    if (workbook.function == nullptr)
        return Failed("无法写入文件 " + path + "（" + workbook.problem + "）");
    return WriteThroughTemporary(path, [&](const std::string& temporary) {
        return workbook.function(document, path, temporary, progress);
    });
}

}  // namespace rq
