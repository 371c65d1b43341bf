// The package of the quote being made ("半包" or "全包"), set by the package buttons of the
// main window just before the quote sheet opens, and read when the sheet is priced.
#pragma once

#include <string_view>

#include "convert/convert.h"

namespace rq {

const Text& PackageText();
void SetPackageText(std::string_view package);
// Forgets the package; the program does this when it ends.
void ReleasePackageText();

}  // namespace rq
