// A quote as an XLSX workbook: one sheet named after the caption, the head lines above
// the table, figures as numbers shown as the quote writes them, the column heads frozen,
// headers and totals bold, columns as wide as their Chinese texts.
#pragma once

#include <string>

#include "document/document_file.h"
#include "document/quote_document.h"

namespace rq {

WriteResult WriteXlsx(const QuoteDocument& document, const std::string& path,
                      const ProgressCallback& progress = {});

// The caption as a worksheet may be named: at most 31 characters, none of []:*?/\, no
// apostrophe at either end; "报价" when nothing is left.
Text WorksheetName(std::string_view caption);

}  // namespace rq
