#include "modules/price_book_output.h"

#include "convert/quoted_field.h"
#include "document/xlsx/xlsx_module.h"
#include "files/atomic_file.h"
#include "modules/module_loader.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_file.h"
#include "prices/price_book_json.h"

namespace rq {

std::optional<Text> WritePriceBookFile(const std::string& path, const PriceBook& book)
{
    if (EndsWithIgnoringCase(path, ".csv"))
        return WriteFileAtomically(path, WritePriceBookCsv(book));
    if (EndsWithIgnoringCase(path, ".json") || EndsWithIgnoringCase(path, kPriceBookFileSuffix))
        return WriteFileAtomically(path, WritePriceBookJson(book));
    if (!EndsWithIgnoringCase(path, ".xlsx"))
        return Text(kPriceBookSuffixProblem);
    static const auto workbook
        = LoadModuleFunction<PriceBookWorkbookWriter>(kXlsxModule, kPriceBookWriterEntry, "输出电子表格的模块");
    if (workbook.function == nullptr)
        return workbook.problem;
    std::optional<Text> problem;
    const std::optional<Text> replaced = ReplaceFileWith(path, [&](const std::string& temporary) {
        problem = workbook.function(book, temporary);
        return !problem;
    });
    return problem ? problem : replaced;
}

} // namespace rq
