#include "online/http_get.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace rq {
namespace {

void initialiseCurlOnce()
{
    // curl_global_init is not thread-safe; jobs start on several pool threads at once.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
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
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

QByteArray HttpGet(const QByteArray& url, const HttpLimits& limits)
{
    if (url.isEmpty() || (limits.cancel != nullptr && limits.cancel->load()))
        return {};
    initialiseCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return {};
    CURL* handle = curl.get();

    curl_slist* list = nullptr;
    for (const char* header : {"Accept: */*", "Pragma: no-cache", "Cache-Control: no-cache"}) {
        curl_slist* grown = curl_slist_append(list, header);
        if (grown == nullptr) {
            curl_slist_free_all(list);
            return {};
        }
        list = grown;
    }
    const std::unique_ptr<curl_slist, HeaderListDeleter> headers(list);

    Download download;
    download.maxBodyBytes = limits.maxBodyBytes;
    const QByteArray address = url;  // keeps the bytes alive for curl

    curl_easy_setopt(handle, CURLOPT_URL, address.constData());
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, kHttpUserAgent);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: we run on pool threads
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &appendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &download);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &checkCancel);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(limits.cancel));

    if (curl_easy_perform(handle) != CURLE_OK || download.tooLarge)
        return {};
    return download.body;
}

}  // namespace rq
