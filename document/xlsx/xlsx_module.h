// What the spreadsheet module offers (see modules/module_loader.h for why it is one):
// the workbook written into the temporary file that WriteXlsx then puts in place.
#pragma once

#include <optional>
#include <string>

#include "document/document_file.h"
#include "document/quote_document.h"
#include "prices/price_book.h"

namespace rq {

// `path` is the file the user asked for, named in the problems; `temporary` is written.
using WorkbookWriter = WriteResult (*)(const QuoteDocument& document, const std::string& path,
                                       const std::string& temporary, const ProgressCallback& progress);

// The module's one exported function, looked up by this name, hands out the writer.
inline constexpr char kWorkbookWriterEntry[] = "renoquoteWorkbookWriter";
inline constexpr char kXlsxModule[] = "librenoquote_xlsx.so";

// A price book as a workbook of one sheet with the CSV's columns, written into `temporary`;
// the reason when it could not be.
using PriceBookWorkbookWriter = std::optional<Text> (*)(const PriceBook& book, const std::string& temporary);
inline constexpr char kPriceBookWriterEntry[] = "renoquotePriceBookWriter";

}  // namespace rq
