// What a printed quote says about the job besides its rows: whom it is for, where, and the
// company's own reference. Every field is optional and kept exactly as typed.
#pragma once

#include "convert/convert.h"

namespace rq {

struct QuoteDetails {
    Text customer;
    Text address;
    Text phone;
    Text date;         // as the user writes it ("2024年5月1日"), never parsed
    Text quoteNumber;  // the company's own numbering, free text
    Text notes;        // may run over several lines
    Text validity;     // how long the quoted prices hold, as typed ("30 天")
    bool operator==(const QuoteDetails&) const = default;
};

}  // namespace rq
