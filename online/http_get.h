// The program's one HTTP client: a plain GET that hands back the whole body, or nothing
// when anything goes wrong, so that the online extras can never disturb a quote.
#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <cstddef>

namespace rq {

// Limits of one request. A dead server, an endless body or a redirect loop must end a
// download in bounded time; tests shorten the time-outs.
struct HttpLimits {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds totalTimeout{30'000};
    std::size_t maxBodyBytes = 1024 * 1024;  // a larger body counts as a failure
    long maxRedirects = 5;
    // When set and true, the download stops at once and fails (the program is ending).
    const std::atomic<bool>* cancel = nullptr;
};

// GET url as an HTTP/1.0 request with "Accept: */*", the program's user agent and no
// cache. The body is returned whatever the status code; any failure (no connection,
// time-out, body over the cap, too many redirects, not http/https) gives empty bytes.
// The usual proxy environment variables are honoured. Safe to call from any thread.
QByteArray HttpGet(const QByteArray& url, const HttpLimits& limits = {});

// The user agent every request carries.
inline constexpr char kHttpUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

}  // namespace rq
