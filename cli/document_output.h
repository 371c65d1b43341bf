// --output FILE of the subcommands: the format is told by the file name's extension.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/document_file.h"
#include "document/quote_document.h"

namespace rq::cli {

// The help lines on --output, shared by the subcommands.
extern const char* const kOutputHelp;

// Nothing when the file name has a format this build can write, else the problem.
std::optional<Text> CheckOutputPath(const std::string& path);

// Writes the file: `plainText` (already in the chosen encoding) for .tsv and .txt, the
// document for the others.
WriteResult WriteOutputFile(const std::string& path, const std::string& plainText,
                            const std::function<QuoteDocument()>& document);

// Whether this build writes PDF files (only when it was built with the windows' Qt parts).
bool CanWritePdf();

// The document as PDF; in a build without Qt, a failure that says so.
WriteResult WritePdfFile(const QuoteDocument& document, const std::string& path);

}  // namespace rq::cli
