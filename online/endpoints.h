// Every web address the program knows. They all live under domains of the company's own
// (the reserved .example names stand in until the company's hosts are fixed), so that no
// other site ever receives traffic from the tool. Tests pass their own local server to the
// classes that fetch, never through these constants.
#pragma once

#include "document/company.h"

namespace rq::endpoints {

inline constexpr const char* kCompanySite = company::kSite;
inline constexpr char kProcessArticle[] = "http://www.qinghe-space.example/article/renovation-process.html";
inline constexpr char kPromotions[] = "http://www.qinghe-space.example/promotions.html";
inline constexpr char kCaseGallery[] = "http://www.qinghe-space.example/cases/list.html";
inline constexpr char kDesignerSpace[] = "http://space.designer-blog.example/qinghe";
// The page of further money-saving tips, on the company's own web host.
inline constexpr char kTipsPage[] = "http://www.qinghe-space.example/msg.php?id=278";

inline constexpr char kChatLink[] = "http://chat.qinghe-space.example/talk?account=qinghe";
inline constexpr char kChatStatusImage[] = "http://chat.qinghe-space.example/status?account=qinghe";

// The counter page counts a visit; the file next to it holds how many owners were helped.
inline constexpr char kCounterPage[] = "http://www.qinghe-space.example/counter/";
inline constexpr char kCounterFile[] = "http://www.qinghe-space.example/counter/love.txt";

inline constexpr char kCalculatorPage[] = "http://tools.home-portal.example/calculator.html";

// The host of the animated tutorials; the tutorial table adds the path of each film.
inline constexpr char kVideoHost[] = "http://video.home-portal.example";

}  // namespace rq::endpoints
