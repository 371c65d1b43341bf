// Printed and exported documents in the interface's language: their title, column heads,
// labels and signature lines. What the quote says (items, units, figures, rooms, the
// estimate's report) stays as written: it goes to contractors who read Chinese.
#pragma once

#include "document/quote_document.h"

namespace rq {

// The document's own words in the interface language; in the Chinese interface it is left
// exactly as the document builders wrote it.
void FollowInterfaceLanguage(QuoteDocument& document);

}  // namespace rq
