#include "prices/price_book_file.h"

#include <filesystem>

#include "convert/quoted_field.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_json.h"
#include "prices/price_book_xlsx.h"
#include "files/capped_read.h"

namespace rq {
Text BookNameFromPath(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

Outcome<PriceBook> ReadPriceBookFile(const std::string& path)
{
    const bool csv = EndsWithIgnoringCase(path, ".csv");
    const bool xlsx = EndsWithIgnoringCase(path, ".xlsx");
    if (!csv && !xlsx && !EndsWithIgnoringCase(path, ".json") && !EndsWithIgnoringCase(path, kPriceBookFileSuffix))
        return Outcome<PriceBook>::Refused(path + ": " + Text(kPriceBookSuffixProblem));
    const Outcome<std::string> file = ReadWholeFile(path, kMaxPriceBookFileBytes);
    if (!file)
        return Outcome<PriceBook>::Failed(path + ": 无法读取：" + file.problem);
    PriceBookReadResult read = csv ? ReadPriceBookCsv(*file.value, BookNameFromPath(path))
        : xlsx                     ? ReadPriceBookXlsx(*file.value, BookNameFromPath(path))
                                   : ReadPriceBookJson(*file.value);
    if (read.book)
        return std::move(*read.book);
    Text problems;
    for (const Text& problem : read.problems)
        problems += (problems.empty() ? "" : "\n") + path + ": " + problem;
    return Outcome<PriceBook>::Refused(problems);
}

} // namespace rq
