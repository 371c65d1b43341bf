// The bytes of the built-in price book, the repository's prices/built_in.renoquote-prices as
// the build compiled it in (the build writes the definition from that file).
#pragma once

#include <string_view>

namespace rq {

std::string_view BuiltInBookBytes();

} // namespace rq
