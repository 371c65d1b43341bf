// The comparison of options on paper and in files: the grades across, the two packages,
// their differences to the option chosen, the quick estimate and the parts of each option
// down, and the grouped bars of the totals.
#pragma once

#include "compare/comparison.h"
#include "document/quote_document.h"

namespace rq {

// `chosenGrade` (0..4) and `chosenPackage` are the option the main window holds now; the
// differences are to it. `priceBookName` names the prices compared.
QuoteDocument ComparisonDocument(const Comparison& comparison, int chosenGrade, Package chosenPackage,
                                 std::string_view priceBookName, Text date);

// The grouped bars alone: one group a grade, the half and full totals and the estimate's.
DocumentChart ComparisonChart(const Comparison& comparison);

}  // namespace rq
