// The rules of a quote's XLSX workbook that need no spreadsheet library (the workbook
// itself is written by the module, see modules/xlsx_output.h).
#pragma once

#include <string_view>

#include "convert/convert.h"

namespace rq {

// The caption as a worksheet may be named: at most 31 characters, none of []:*?/\, no
// apostrophe at either end; "报价" when nothing is left.
Text WorksheetName(std::string_view caption);

}  // namespace rq
