#include "cli/price_book_file.h"

#include <filesystem>

#include "convert/quoted_field.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_json.h"
#include "files/capped_read.h"

namespace rq::cli {
Text BookNameFromPath(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

Outcome<PriceBook> ReadPriceBookFile(const std::string& path)
{
    const bool csv = EndsWithIgnoringCase(path, ".csv");
    if (!csv && !EndsWithIgnoringCase(path, ".json") && !EndsWithIgnoringCase(path, kPriceBookFileSuffix))
        return Outcome<PriceBook>::Refused(path + ": 价格表文件的扩展名应当是 .renoquote-prices、.json 或 .csv");
    const Outcome<std::string> file = ReadWholeFile(path, kMaxPriceBookFileBytes);
    if (!file)
        return Outcome<PriceBook>::Failed(path + ": 无法读取：" + file.problem);
    PriceBookReadResult read
        = csv ? ReadPriceBookCsv(*file.value, BookNameFromPath(path)) : ReadPriceBookJson(*file.value);
    if (read.book)
        return std::move(*read.book);
    Text problems;
    for (const Text& problem : read.problems)
        problems += (problems.empty() ? "" : "\n") + path + ": " + problem;
    return Outcome<PriceBook>::Refused(problems);
}

} // namespace rq::cli
