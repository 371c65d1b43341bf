#include "document/xlsx_writer.h"

#include <algorithm>

#include "document/output_modules.h"
#include "document/xlsx/xlsx_module.h"

namespace rq {
namespace {

constexpr std::string_view kFallbackSheetName = "报价";
constexpr int kMaxSheetNameChars = 31;

std::size_t Utf8Length(unsigned char lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

}  // namespace

Text WorksheetName(std::string_view caption)
{
    Text name;
    int characters = 0;
    for (std::size_t i = 0; i < caption.size() && characters < kMaxSheetNameChars;) {
        const std::size_t length = std::min(Utf8Length(static_cast<unsigned char>(caption[i])), caption.size() - i);
        const std::string_view character = caption.substr(i, length);
        i += length;
        if (character.size() == 1 && std::string_view("[]:*?/\\").find(character[0]) != std::string_view::npos)
            continue;
        name += character;
        ++characters;
    }
    while (name.starts_with('\''))
        name.erase(0, 1);
    while (name.ends_with('\''))
        name.pop_back();
    return name.empty() ? Text(kFallbackSheetName) : name;
}

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
