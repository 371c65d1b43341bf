// A quote written as an XLSX workbook through the spreadsheet module, loaded by the first
// .xlsx of a run (see module_loader.h): one sheet named after the caption, the head lines
// above the table, figures as numbers shown as the quote writes them, the column heads
// frozen, headers and totals bold, columns as wide as their Chinese texts.
#pragma once

#include <string>

#include "document/document_file.h"
#include "document/quote_document.h"

namespace rq {

WriteResult WriteXlsx(const QuoteDocument& document, const std::string& path,
                      const ProgressCallback& progress = {});

}  // namespace rq
