// A quote as CSV for spreadsheet programs: UTF-8 with a byte-order mark (or the Chinese
// reads as mojibake in the common ones), RFC 4180 quoting, CR LF between records.
#pragma once

#include "convert/quoted_field.h"
#include "document/quote_document.h"

namespace rq {

// The head lines, an empty record, what the quote was computed from (the choices, the rooms
// table), the column heads and one record a row, then the signature lines; an empty record
// closes each part.
Text CsvText(const QuoteDocument& document);

// One record: fields with a comma, a quote, CR or LF are quoted, quotes doubled.
void AppendCsvRecord(Text& out, const std::vector<Text>& fields);

}  // namespace rq
