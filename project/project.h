// A project: everything a home owner keeps between sessions. The quick-estimate inputs, the
// rooms and choices of the detailed quote, the details a printed quote needs, and each quote
// sheet the user opened, with its edits and the inputs it was built from.
#pragma once

#include <optional>
#include <vector>

#include "prices/price_book.h"
#include "estimate/quick_estimate.h"
#include "document/quote_details.h"
#include "quote/engine.h"
#include "quote/quote_choices.h"
#include "quote/quote_concepts.h"
#include "rooms/room_record.h"
#include "sheet/kept_edits.h"

namespace rq {

// A quote sheet as the user left it: caption, rows with their kinds, and its origin.
struct KeptSheet {
    DetailedQuote quote;
    QuoteInputs builtFrom;
    // The edits that made the sheet out of the one computed from `builtFrom`, in order: made
    // again on a sheet computed afresh, they give the user's sheet back (see kept_edits.h).
    std::vector<KeptEdit> edits;
    bool operator==(const KeptSheet&) const = default;
};

struct Project {
    // The quick-estimate boxes as typed; its grade is the one grade box of the main window,
    // which the detailed quote reads too.
    EstimateInputs estimate;
    std::vector<RoomRecord> rooms;
    FloorChoice floor = FloorChoice::Boards;
    QuoteDetails details;
    std::optional<KeptSheet> halfPackage;
    std::optional<KeptSheet> fullPackage;
    // The book the project's sheets are priced with, kept whole so that the project reopens
    // with the same prices even when the user's books have changed since.
    PriceBook prices = BuiltInPriceBook();

    QuoteInputs quoteInputs() const { return { rooms, estimate.grade, floor }; }
    std::optional<KeptSheet>& sheet(Package package) { return package == Package::Half ? halfPackage : fullPackage; }
    const std::optional<KeptSheet>& sheet(Package package) const
    {
        return package == Package::Half ? halfPackage : fullPackage;
    }
    bool operator==(const Project&) const = default;
};

// The main window's boxes as a new window shows them: 3 室 2 厅 1 厨 1 卫 1 阳台, 100 平方米,
// 舒适型装修, no rooms, boards.
Project NewProject();

// A fresh sheet of the package, computed from `inputs`, which it keeps as what it was built
// from. `outOfRange` names the room whose amounts leave the range of the totals, if one
// does; such a sheet is not to be shown. This is the one way every part of the program
// builds a sheet to keep.
KeptSheet BuildKeptSheet(QuoteInputs inputs, Package package, std::optional<Text>& outOfRange,
    const PriceBook& book = BuiltInPriceBook());
// The same from the project's current rooms and choices, at the project's prices.
KeptSheet BuildKeptSheet(const Project& project, Package package, std::optional<Text>& outOfRange);
KeptSheet BuildKeptSheet(const Project& project, Package package);

} // namespace rq
