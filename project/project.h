// A project: everything a home owner keeps between sessions. The quick-estimate inputs, the
// rooms and choices of the detailed quote, the details a printed quote needs, and each quote
// sheet the user opened, with its edits and the inputs it was built from.
#pragma once

#include <optional>
#include <vector>

#include "estimate/quick_estimate.h"
#include "project/quote_details.h"
#include "quote/engine.h"
#include "quote/quote_choices.h"
#include "rooms/room_record.h"

namespace rq {

// What a detailed quote is computed from. A kept sheet remembers its own copy, so that a
// later press of a package button can tell whether the rooms or choices changed since.
struct QuoteInputs {
    std::vector<RoomRecord> rooms;
    Text grade;
    FloorChoice floor = FloorChoice::Boards;
    bool operator==(const QuoteInputs&) const = default;
};

enum class Package { Half, Full };

// A quote sheet as the user left it: caption, rows with their kinds, and its origin.
struct KeptSheet {
    DetailedQuote quote;
    QuoteInputs builtFrom;
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

// The package text the engine reads ("半包" / "全包") and the caption of its sheet.
std::string_view PackageTextOf(Package package);
std::string_view PackageCaption(Package package);

// A fresh sheet of the package, computed from the project's current rooms and choices.
// `outOfRange` names the room whose amounts leave the range of the totals, if one does;
// such a sheet is not to be shown.
KeptSheet BuildKeptSheet(const Project& project, Package package, std::optional<Text>& outOfRange);
KeptSheet BuildKeptSheet(const Project& project, Package package);

} // namespace rq
