// PDF files are painted by the windows' printer, which needs Qt GUI: dozens of libraries
// that every other run of the command line (a quote, an estimate) would load for nothing.
// So the printer lives in a module of its own that renoquote-cli loads for a .pdf only.
// This is what that module offers.
#pragma once

#include <string>

#include "document/document_file.h"
#include "document/quote_document.h"

namespace rq::cli {

// Writes the document as a PDF file, painting without a display.
using PdfWriter = WriteResult (*)(const QuoteDocument& document, const std::string& path);

// The module's one exported function, looked up by this name, hands out the writer.
inline constexpr char kPdfWriterEntry[] = "renoquotePdfWriter";

}  // namespace rq::cli
