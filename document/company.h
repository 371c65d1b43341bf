// The company that gives the quote, as its documents name it: name and motto, hotline, and
// the site, whose host the documents print and the windows link to.
#pragma once

#include <string_view>

namespace rq::company {

inline constexpr std::string_view kName = "青禾空间装饰   青禾改变生活";
inline constexpr std::string_view kHotline = "装饰热线：0123-4567890";
// The company's own domain (a reserved .example name stands in until its host is fixed).
inline constexpr char kSite[] = "http://www.qinghe-space.example/";

}  // namespace rq::company
