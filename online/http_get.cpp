#include "online/http_get.h"

#include <curl/curl.h>

#include <QLibrary>

#include <memory>

namespace rq {
namespace {

// libcurl is loaded on the first download, not linked: with the two dozen libraries it
// pulls in it would be loaded before the main window could paint, and the downloads only
// start after that anyway. Its functions, as the loaded library offers them.
struct Curl {
    decltype(&curl_global_init) globalInit = nullptr;
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) easySetopt = nullptr;
    decltype(&curl_easy_perform) easyPerform = nullptr;
    decltype(&curl_easy_cleanup) easyCleanup = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;
};

template <typename Function>
bool resolve(QLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

Curl loadCurl()
{
    QLibrary library(QStringLiteral("curl"), 4);  // libcurl.so.4; stays loaded for the run
    Curl curl;
    if (!library.load() || !resolve(library, "curl_global_init", curl.globalInit)
        || !resolve(library, "curl_easy_init", curl.easyInit) || !resolve(library, "curl_easy_setopt", curl.easySetopt)
        || !resolve(library, "curl_easy_perform", curl.easyPerform)
        || !resolve(library, "curl_easy_cleanup", curl.easyCleanup)
        || !resolve(library, "curl_slist_append", curl.slistAppend)
        || !resolve(library, "curl_slist_free_all", curl.slistFreeAll))
        return {};
    // curl_global_init is not thread-safe: it runs here, once, under the guard of the
    // static that holds the result.
    if (curl.globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return {};
    return curl;
}

// The loaded library, or nothing (no function set) when it is missing: then every
// download fails, silently, like any other network failure.
const Curl& curlLibrary()
{
    static const Curl curl = loadCurl();
    return curl;
}

struct Download {
    QByteArray body;
    std::size_t maxBodyBytes = 0;
    bool tooLarge = false;
};

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* download = static_cast<Download*>(user);
    const std::size_t bytes = size * count;
    if (download->body.size() + bytes > download->maxBodyBytes) {
        download->tooLarge = true;
        return 0;  // makes curl stop with a write error
    }
    download->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

int checkCancel(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* cancel = static_cast<const std::atomic<bool>*>(user);
    return cancel != nullptr && cancel->load() ? 1 : 0;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curlLibrary().easyCleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curlLibrary().slistFreeAll(list); }
};

}  // namespace

QByteArray HttpGet(const QByteArray& url, const HttpLimits& limits)
{
    if (url.isEmpty() || (limits.cancel != nullptr && limits.cancel->load()))
        return {};
    const Curl& lib = curlLibrary();
    if (lib.easyInit == nullptr)
        return {};
    std::unique_ptr<CURL, CurlDeleter> curl(lib.easyInit());
    if (!curl)
        return {};
    CURL* handle = curl.get();
    const auto setopt = lib.easySetopt;

    curl_slist* list = nullptr;
    for (const char* header : {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache"}) {
        curl_slist* grown = lib.slistAppend(list, header);
        if (grown == nullptr) {
            lib.slistFreeAll(list);
            return {};
        }
        list = grown;
    }
    const std::unique_ptr<curl_slist, HeaderListDeleter> headers(list);

    Download download;
    download.maxBodyBytes = limits.maxBodyBytes;
    const QByteArray address = url;  // keeps the bytes alive for curl

    setopt(handle, CURLOPT_URL, address.constData());
    setopt(handle, CURLOPT_HTTPGET, 1L);
    setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    setopt(handle, CURLOPT_USERAGENT, kHttpUserAgent);
    setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    setopt(handle, CURLOPT_MAXREDIRS, limits.maxRedirects);
    setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
    setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeout.count()));
    setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    setopt(handle, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: we run on pool threads
    setopt(handle, CURLOPT_WRITEFUNCTION, &appendBody);
    setopt(handle, CURLOPT_WRITEDATA, &download);
    setopt(handle, CURLOPT_NOPROGRESS, 0L);
    setopt(handle, CURLOPT_XFERINFOFUNCTION, &checkCancel);
    setopt(handle, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(limits.cancel));

    if (lib.easyPerform(handle) != CURLE_OK || download.tooLarge)
        return {};
    return download.body;
}

}  // namespace rq
