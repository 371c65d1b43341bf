// The HTTP client against a real server on 127.0.0.1: the request form, the body whatever
// the status, and the limits that keep a bad server from hanging or flooding a job.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "online/http_get.h"
#include "tests/online/local_http_server.h"

namespace rq {
namespace {

using namespace std::chrono_literals;
using test::LocalHttpServer;
using test::Reply;

QByteArray get(const std::string& url, const HttpLimits& limits = {})
{
    return HttpGet(QByteArray::fromStdString(url), limits);
}

// Time-outs only as a guard: a download that should succeed must not be cut short on a
// machine busy with other work; a hang is CTest's to catch.
HttpLimits testLimits()
{
    HttpLimits limits;
    limits.connectTimeout = 60s;
    limits.totalTimeout = 120s;
    return limits;
}

TEST(HttpGetTest, RequestCarriesExactlyTheProgramsRequestForm)
{
    LocalHttpServer server;
    server.route("/counter/love.txt", test::okReply("7"));
    ASSERT_EQ(get(server.url("/counter/love.txt")), QByteArray("7"));

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests.front();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /counter/love.txt HTTP/1.0");
    for (const char* header : {"\r\nAccept: */*\r\n",
                               "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n",
                               "\r\nPragma: no-cache\r\n", "\r\nCache-Control: no-cache\r\n"}) {
        EXPECT_NE(request.find(header), std::string::npos) << "missing " << header << " in\n" << request;
    }
    // One Accept header only: a client default beside ours would change what the server sends.
    EXPECT_EQ(request.find("Accept:"), request.rfind("Accept:"));
    EXPECT_EQ(request.find("If-Modified-Since"), std::string::npos);
}

struct BodyCase {
    const char* name;
    Reply reply;
    std::string expected;
};

TEST(HttpGetTest, BodyIsReturnedWhateverTheStatusAndNothingOnFailure)
{
    const std::string oneMiB(1024 * 1024, 'a');
    const std::string fiveMiB(5 * 1024 * 1024, 'b');
    const BodyCase cases[] = {
        {"plain answer", test::okReply("1234"), "1234"},
        {"not found with a body", test::statusReply("404 Not Found", "gone"), "gone"},
        {"server error with a body", test::statusReply("500 Internal Server Error", "88"), "88"},
        {"empty body", test::okReply(""), ""},
        {"body with zero bytes", test::okReply(std::string("12\0" "9", 4)), std::string("12\0" "9", 4)},
        {"exactly at the cap", test::okReply(oneMiB), oneMiB},
        {"one byte over the cap", test::okReply(oneMiB + "x"), ""},
        {"five MiB announced", test::okReply(fiveMiB), ""},
        {"five MiB without a length", Reply{"HTTP/1.0 200 OK\r\n\r\n" + fiveMiB}, ""},
        {"body cut short", Reply{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly ten.."}, ""},
        {"not HTTP at all", Reply{"hello\r\n"}, ""},
    };
    for (const BodyCase& c : cases) {
        LocalHttpServer server;
        server.route("/love.txt", c.reply);
        const QByteArray body = get(server.url("/love.txt"), testLimits());
        // Sizes first and no dump of the bodies: a failure here may involve megabytes.
        EXPECT_EQ(static_cast<std::size_t>(body.size()), c.expected.size()) << c.name;
        EXPECT_TRUE(body.toStdString() == c.expected) << c.name;
    }
}

TEST(HttpGetTest, RedirectsAreFollowedAtMostFiveTimes)
{
    struct Case {
        int hops;
        std::string expected;
    };
    for (const Case& c : {Case{1, "end"}, Case{5, "end"}, Case{6, ""}}) {
        LocalHttpServer server;
        for (int hop = 0; hop < c.hops; ++hop)
            server.route("/hop" + std::to_string(hop), test::redirectReply(server.url("/hop" + std::to_string(hop + 1))));
        server.route("/hop" + std::to_string(c.hops), test::okReply("end"));
        EXPECT_EQ(get(server.url("/hop0"), testLimits()).toStdString(), c.expected) << c.hops << " hops";
    }
}

TEST(HttpGetTest, RedirectToALocalFileIsRefused)
{
    LocalHttpServer server;
    server.route("/love.txt", test::redirectReply("file:///etc/hostname"));
    EXPECT_TRUE(get(server.url("/love.txt"), testLimits()).isEmpty());
}

TEST(HttpGetTest, UnusableAddressesGiveNothing)
{
    for (const std::string& url : {LocalHttpServer::refusedUrl(), std::string(), std::string("file:///etc/hostname"),
                                  std::string("not a url")}) {
        EXPECT_TRUE(get(url, testLimits()).isEmpty()) << url;
    }
}

// The server never answers, so only the time-out can end the download: without it the
// test would hang until CTest's own time-out.
TEST(HttpGetTest, ServerThatNeverAnswersEndsAtTheTotalTimeOut)
{
    LocalHttpServer server;
    server.route("/love.txt", Reply{"", true});
    HttpLimits limits;
    limits.totalTimeout = 400ms;
    EXPECT_TRUE(get(server.url("/love.txt"), limits).isEmpty());
}

TEST(HttpGetTest, CancelStopsAWaitingDownloadAtOnce)
{
    LocalHttpServer server;
    server.route("/love.txt", Reply{"", true});
    std::atomic<bool> cancel{false};
    HttpLimits limits;
    limits.cancel = &cancel;
    // Longer than CTest waits for a test: only the flag can end this download in time.
    limits.connectTimeout = 24h;
    limits.totalTimeout = 24h;
    std::thread stopper([&cancel] {
        std::this_thread::sleep_for(200ms);
        cancel = true;
    });
    EXPECT_TRUE(get(server.url("/love.txt"), limits).isEmpty());
    stopper.join();
}

}  // namespace
}  // namespace rq
