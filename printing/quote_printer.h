// A quote document on paper: A4 portrait, the company, the title and the quote details on
// the first page, the column heads again on every page, "第 N 页 共 M 页" at every foot,
// headers and totals in bold, long texts wrapped within their column and never cut. The
// same painting goes to the printer, to the print preview and to PDF files, whose fonts
// are embedded so that the Chinese shows on any machine. Needs Qt GUI, not widgets.
#pragma once

#include <QFont>
#include <string>

#include "document/document_file.h"
#include "document/quote_document.h"

class QPagedPaintDevice;

namespace rq {

// A CJK font that the set-up installs, then what the system offers: the PDF embeds
// whichever is found. Every printed text and picture uses it.
QFont QuoteFont(double points, bool bold);

// A4 portrait with the margins a printed quote keeps.
void SetUpQuotePage(QPagedPaintDevice& device);

// Paints the whole document on a device already set up, one page after the other.
// Returns false when `progress` stopped it, up to its last call with everything done; the
// pages painted so far stay on the device.
bool PaintQuoteDocument(const QuoteDocument& document, QPagedPaintDevice& device,
                        const ProgressCallback& progress = {});

// The document as a PDF file (written through a temporary file beside it).
WriteResult WritePdf(const QuoteDocument& document, const std::string& path, const ProgressCallback& progress = {});

}  // namespace rq
