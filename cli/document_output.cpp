#include "cli/document_output.h"

#include "document/csv_writer.h"
#include "modules/xlsx_output.h"
#include "convert/utf8.h"

namespace rq::cli {

const char* const kOutputHelp =
    "  --output 文件         写到文件而不是标准输出，格式按扩展名: .tsv/.txt 同标准输出的文字，\n"
    "                        .csv (UTF-8 带 BOM)、.xlsx (电子表格)、.pdf (A4，嵌入字体)；\n"
    "                        文件先写到旁边的临时文件，写完才替换原来的文件。\n"
    "                        .csv、.xlsx、.pdf 写明报价依据(装修类型、承包方式、地面和房间表，\n"
    "                        或估算的户型、面积和装修类型)，末尾留业主签字和公司盖章处。\n"
    "                        .pdf 需要带图形界面部分编译的版本(不需要显示器)；没有图形界面\n"
    "                        部分的版本拒绝 .pdf，退出状态为 2。\n";

std::optional<Text> CheckOutputPath(const std::string& path)
{
    const std::optional<DocumentFormat> format = FormatOfPath(path);
    if (!format)
        return "不认识输出文件的格式 " + ShortPiece(path, 80) + "（扩展名应为 .tsv、.txt、.csv、.xlsx 或 .pdf）";
    if (*format == DocumentFormat::Pdf && !CanWritePdf())
        return "这个版本编译时没有图形界面部分，不能输出 PDF（可以输出 .csv、.xlsx 或 .tsv）";
    return std::nullopt;
}

WriteResult WriteOutputFile(const std::string& path, const std::string& plainText,
                            const std::function<QuoteDocument()>& document)
{
    switch (FormatOfPath(path).value_or(DocumentFormat::Tsv)) {
    case DocumentFormat::Tsv:
        return WriteBytes(path, plainText);
    case DocumentFormat::Csv:
        return WriteBytes(path, CsvText(document()));
    case DocumentFormat::Xlsx:
        return WriteXlsx(document(), path);
    case DocumentFormat::Pdf:
        return WritePdfFile(document(), path);
    }
    return Failed("无法写入文件 " + ShortPiece(path, 80));
}

}  // namespace rq::cli
