// Project files from anywhere: the reader either refuses with a message or gives a project
// that saves to a file reading back as the same project, and whose sheets take edits, its
// kept edits among them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "project/project_file.h"
#include "sheet/kept_edits.h"
#include "sheet/sheet_edits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const rq::Outcome<rq::Project> read = rq::ReadProjectText(bytes);
    FUZZ_CHECK(read.value.has_value() == read.problem.empty());
    if (!read.value)
        return 0;
    const std::string saved = rq::WriteProjectText(*read.value);
    const rq::Outcome<rq::Project> again = rq::ReadProjectText(saved);
    FUZZ_CHECK(again.value && *again.value == *read.value);
    FUZZ_CHECK(rq::WriteProjectText(*again.value) == saved);
    // A sheet the reader let in shows every project total, grand total and closing sum as the
    // sum of the rows it covers, holds a taken sum only at its foot, and is one the edits can
    // work on and leave whole.
    for (const rq::Package package : { rq::Package::Half, rq::Package::Full }) {
        if (const auto& kept = read.value->sheet(package)) {
            const rq::QuoteSheet& sheet = kept->quote.sheet;
            for (int row = 0; row < sheet.RowCount(); ++row) {
                const rq::RowKind kind = sheet.GetKind(row);
                FUZZ_CHECK(kind != rq::RowKind::Sum || row == sheet.RowCount() - 1);
                if (kind == rq::RowKind::ProjectTotal || kind == rq::RowKind::FullPackageTotal || kind == rq::RowKind::Sum)
                    FUZZ_CHECK(sheet.GetCell(row, rq::kTotal) == rq::IntegerToText(sheet.CountedTotalBefore(row)));
            }
            rq::DetailedQuote quote = kept->quote;
            const int last = quote.sheet.RowCount() - 1;
            rq::ModifyRow(quote.sheet, quote.caption, last / 2, { "地面找平", "M2", "3", "20" });
            rq::AddItem(quote.sheet, quote.caption, { "包水管", "1", "98" });
            rq::DeleteRow(quote.sheet, quote.caption, 0);
            FUZZ_CHECK(!rq::CheckSheetStructure(quote.sheet, quote.caption));
            // Its kept edits, anchored anyhow, find their rows or none, and are made again
            // through the checks the window makes, whatever rooms the project has now.
            rq::DetailedQuote replayed = kept->quote;
            const rq::ReplayOutcome outcome = rq::ReplayKeptEdits(replayed.sheet, replayed.caption, kept->edits,
                kept->builtFrom.rooms, read.value->rooms, read.value->prices);
            FUZZ_CHECK(outcome.kept.size() + outcome.lost.size() <= kept->edits.size());
        }
    }
    return 0;
}
