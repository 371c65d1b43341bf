#include "document/csv_writer.h"

namespace rq {

void AppendCsvRecord(Text& out, const std::vector<Text>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendQuotedField(out, fields[i], ",\"\r\n");
    }
    out += "\r\n";
}

Text CsvText(const QuoteDocument& document)
{
    Text out = "\xEF\xBB\xBF";
    for (const Text& line : HeadLines(document))
        AppendCsvRecord(out, {line});
    AppendCsvRecord(out, {});
    if (const Text basis = BasisLine(document); !basis.empty()) {
        AppendCsvRecord(out, {basis});
        AppendCsvRecord(out, {});
    }
    if (!document.rooms.rows.empty()) {
        AppendCsvRecord(out, document.rooms.heads);
        for (const DocumentRow& row : document.rooms.rows)
            AppendCsvRecord(out, row.cells);
        AppendCsvRecord(out, {});
    }
    if (!document.columnHeads.empty())
        AppendCsvRecord(out, document.columnHeads);
    for (const DocumentRow& row : document.rows)
        AppendCsvRecord(out, row.cells);
    if (!document.signatureLines.empty()) {
        AppendCsvRecord(out, {});
        for (const Text& line : document.signatureLines)
            AppendCsvRecord(out, {line});
    }
    return out;
}

}  // namespace rq
