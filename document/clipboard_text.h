// Rows of a quote for the clipboard, so that pasting into a spreadsheet gives cells: as
// tab-separated text (every program takes it) and as an HTML table (office programs keep
// the bold of headers and totals from it).
#pragma once

#include <vector>

#include "document/quote_document.h"

namespace rq {

struct ClipboardText {
    Text tabSeparated;  // one line a row, LF-ended; a cell with a tab, line break or quote is quoted
    Text html;
};

// The document's column heads, then the given rows in the order given; rows outside the
// document are skipped.
ClipboardText RowsForClipboard(const QuoteDocument& document, const std::vector<int>& rows);

}  // namespace rq
