// Price books from anywhere, as JSON, CSV and XLSX (the bytes as a workbook, and as the first
// sheet and shared texts of one, so that the XML readers see them): each reader either refuses with its problems
// or gives a book that writes to a file reading back as the same book in both forms, and a
// quote priced with it keeps its totals in range or says which amount is out of it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_json.h"
#include "prices/price_book_xlsx.h"
#include "quote/engine.h"
#include "tests/prices/workbook_parts.h"

namespace {

void CheckBook(const rq::PriceBookReadResult& read)
{
    FUZZ_CHECK(read.book.has_value() == read.problems.empty());
    if (!read.book)
        return;
    const rq::PriceBookReadResult json = rq::ReadPriceBookJson(rq::WritePriceBookJson(*read.book));
    FUZZ_CHECK(json.book && *json.book == *read.book);
    const rq::PriceBookReadResult csv = rq::ReadPriceBookCsv(rq::WritePriceBookCsv(*read.book), read.book->name());
    FUZZ_CHECK(csv.book && *csv.book == *read.book);
    const std::vector<rq::RoomRecord> rooms = {
        rq::RoomRecord { { "厨房", "3000*2000*2600", "900*1200", "推拉门", "1", "4" } },
        rq::RoomRecord { { "客厅", "5000*4000*2800", "1800*1500", "实木门", "1", "4" } },
    };
    std::optional<rq::Text> outOfRange;
    const rq::DetailedQuote quote
        = rq::BuildDetailedQuote(rooms, "豪华型装修", rq::FloorChoice::Tiles, "全包", outOfRange, *read.book);
    FUZZ_CHECK(quote.sheet.RowCount() > 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckBook(rq::ReadPriceBookJson(bytes));
    CheckBook(rq::ReadPriceBookCsv(bytes, "价格表"));
    CheckBook(rq::ReadPriceBookXlsx(bytes, "价格表"));
    // Before the first NUL the sheet, after it the shared texts.
    const std::size_t split = bytes.find('\0');
    const std::string sheet(bytes.substr(0, split));
    const std::string strings(split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1));
    CheckBook(rq::ReadPriceBookXlsx(rq::testing::ZipOfParts(rq::testing::WorkbookAround(sheet, strings)), "价格表"));
    return 0;
}
