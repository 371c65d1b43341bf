// The counter and chat-picture jobs against a real server on 127.0.0.1: what reaches the
// main window's title and brand line, what a failure leaves alone, and that a closed window
// or a dead server neither crashes nor blocks the window.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFuture>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <chrono>
#include <memory>
#include <string>

#include "forms/picture_box.h"
#include "online/online_jobs.h"
#include "online/online_links.h"
#include "tests/online/local_http_server.h"

namespace rq {
namespace {

using namespace std::chrono_literals;
using test::LocalHttpServer;
using test::Reply;

const QString kDefinedTitle = QStringLiteral("汀湖装饰公司装修报价评估工具----青禾空间装饰 青禾改变生活");
const QString kDefinedBrand = QStringLiteral("青禾空间装饰 青禾改变生活");

// Time-outs only as a guard: a download that should succeed must not be cut short on a
// machine busy with other work; a hang is CTest's to catch.
HttpLimits testLimits()
{
    HttpLimits limits;
    limits.connectTimeout = 60s;
    limits.totalTimeout = 120s;
    return limits;
}

// Keeps the user-interface thread turning until the condition holds; one that never does
// is a hang for CTest's time-out.
template <typename Condition>
void waitUntil(Condition condition)
{
    while (!condition()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

// Waits for the download, then lets the user-interface thread carry out the writes the
// job queued.
bool finish(const QFuture<void>& job)
{
    waitUntil([&job] { return job.isFinished(); });
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return job.isFinished();
}

// A stand-in for the main window with the controls the online extras use.
struct MainWindowStandIn {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLabel* banner = nullptr;
    QLabel* brandLine = nullptr;
    PictureBox* chat = nullptr;

    MainWindowStandIn()
    {
        window->setWindowTitle(kDefinedTitle);
        banner = new QLabel(QStringLiteral(" 输入几室几厅 实际面积 装修类型即可预算装修报价"), window.get());
        banner->setObjectName(QStringLiteral("标签1"));
        brandLine = new QLabel(kDefinedBrand, window.get());
        brandLine->setObjectName(QStringLiteral("标签17"));
        chat = new PictureBox(window.get());
        chat->setObjectName(QStringLiteral("图片框1"));
    }
};

QByteArray pngBytes()
{
    QImage image(80, 24, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

struct CounterCase {
    const char* name;
    Reply reply;
    QString title;  // empty: the defined texts stay
    QString brand;
};

TEST(CounterJobTest, CountFileDecidesTitleAndBrandLine)
{
    const CounterCase cases[] = {
        {"plain count", test::okReply("1234"),
         QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助1234位业主预算过报价"),
         QStringLiteral("已帮助1234位业主预算过报价")},
        {"line break kept", test::okReply("88\r\n"),
         QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助88\r\n位业主预算过报价"),
         QStringLiteral("已帮助88\r\n位业主预算过报价")},
        {"zero byte ends the count", test::okReply(std::string("12\0" "9", 4)),
         QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助12位业主预算过报价"),
         QStringLiteral("已帮助12位业主预算过报价")},
        {"GBK count", test::okReply("\xd2\xbb\xc7\xa7"),  // 一千
         QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助一千位业主预算过报价"),
         QStringLiteral("已帮助一千位业主预算过报价")},
        {"status not examined", test::statusReply("404 Not Found", "5"),
         QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助5位业主预算过报价"),
         QStringLiteral("已帮助5位业主预算过报价")},
        {"empty file", test::okReply(""), {}, {}},
        {"zero byte first", test::okReply(std::string("\0" "77", 3)), {}, {}},
        {"body over the cap", test::okReply(std::string(2 * 1024 * 1024, '9')), {}, {}},
    };
    for (const CounterCase& c : cases) {
        LocalHttpServer server;
        server.route("/counter/love.txt", c.reply);
        MainWindowStandIn main;
        CounterJob job("", QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());
        ASSERT_TRUE(finish(job.fetch(main.window.get(), main.brandLine))) << c.name;
        EXPECT_EQ(main.window->windowTitle(), c.title.isEmpty() ? kDefinedTitle : c.title) << c.name;
        EXPECT_EQ(main.brandLine->text(), c.brand.isEmpty() ? kDefinedBrand : c.brand) << c.name;
        EXPECT_EQ(server.paths(), std::vector<std::string>{"/counter/love.txt"}) << c.name;
    }
}

TEST(CounterJobTest, RefusedConnectionChangesNothing)
{
    MainWindowStandIn main;
    CounterJob job("", QByteArray::fromStdString(LocalHttpServer::refusedUrl()), testLimits());
    ASSERT_TRUE(finish(job.fetch(main.window.get(), main.brandLine)));
    EXPECT_EQ(main.window->windowTitle(), kDefinedTitle);
    EXPECT_EQ(main.brandLine->text(), kDefinedBrand);
}

TEST(CounterJobTest, FailedFetchKeepsTheCountOfTheLastOne)
{
    LocalHttpServer server;
    server.route("/counter/love.txt", test::okReply("1234"));
    MainWindowStandIn main;
    CounterJob job("", QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());
    ASSERT_TRUE(finish(job.fetch(main.window.get(), main.brandLine)));
    server.route("/counter/love.txt", test::okReply(""));
    ASSERT_TRUE(finish(job.fetch(main.window.get(), main.brandLine)));
    EXPECT_EQ(main.brandLine->text(), QStringLiteral("已帮助1234位业主预算过报价"));
}

TEST(CounterJobTest, RefreshVisitsTheCounterPageBeforeFetchingTheCount)
{
    LocalHttpServer server;
    server.route("/counter/", test::okReply("<html>counted</html>", "text/html"));
    server.route("/counter/love.txt", test::okReply("1235"));
    MainWindowStandIn main;
    OnlineSources sources;
    sources.counter = CounterJob(QByteArray::fromStdString(server.url("/counter/")),
                                 QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());
    startCounterRefresh(main.window.get(), sources);
    waitUntil([&main] { return main.brandLine->text() != kDefinedBrand; });
    EXPECT_EQ(server.paths(), (std::vector<std::string>{"/counter/", "/counter/love.txt"}));
    EXPECT_EQ(main.brandLine->text(), QStringLiteral("已帮助1235位业主预算过报价"));
}

TEST(CounterJobTest, RefreshFetchesEvenWhenTheCounterPageFails)
{
    LocalHttpServer server;
    server.route("/counter/love.txt", test::okReply("9"));  // the page itself is a 404 without body
    MainWindowStandIn main;
    CounterJob job(QByteArray::fromStdString(server.url("/counter/")),
                   QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());
    ASSERT_TRUE(finish(job.refresh(main.window.get(), main.brandLine)));
    EXPECT_EQ(main.brandLine->text(), QStringLiteral("已帮助9位业主预算过报价"));
}

TEST(CounterJobTest, DeadServerNeitherBlocksTheWindowNorOutlivesTheTimeOut)
{
    LocalHttpServer server;
    server.route("/counter/love.txt", Reply{"", true});
    MainWindowStandIn main;
    HttpLimits limits;
    limits.totalTimeout = 2s;
    CounterJob job("", QByteArray::fromStdString(server.url("/counter/love.txt")), limits);

    // The server never answers: a job that waited for it would come back finished.
    const QFuture<void> running = job.fetch(main.window.get(), main.brandLine);
    EXPECT_FALSE(running.isFinished()) << "starting the job must not wait for the server";
    // The window keeps working meanwhile.
    main.brandLine->setText(QStringLiteral("still responsive"));
    EXPECT_EQ(main.brandLine->text(), QStringLiteral("still responsive"));

    // Only the time-out can end it; without one this waits for CTest's time-out.
    ASSERT_TRUE(finish(running));
    EXPECT_EQ(main.window->windowTitle(), kDefinedTitle);
}

TEST(CounterJobTest, WindowClosedBeforeTheAnswerDropsTheResult)
{
    LocalHttpServer server;
    Reply slow = test::okReply("1234");
    slow.delay = 300ms;
    server.route("/counter/love.txt", slow);
    CounterJob job("", QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());

    // The whole window goes.
    auto main = std::make_unique<MainWindowStandIn>();
    const QFuture<void> first = job.fetch(main->window.get(), main->brandLine);
    main.reset();
    EXPECT_TRUE(finish(first));

    // Only the window goes; a label that outlives it still gets its text.
    auto window = std::make_unique<QWidget>();
    QLabel survivor(kDefinedBrand);
    const QFuture<void> second = job.fetch(window.get(), &survivor);
    window.reset();
    ASSERT_TRUE(finish(second));
    EXPECT_EQ(survivor.text(), QStringLiteral("已帮助1234位业主预算过报价"));
}

struct PictureCase {
    const char* name;
    Reply reply;
    bool shown;
};

TEST(ChatPictureJobTest, ImageBytesAreShownAndAnythingElseLeavesTheBoxEmpty)
{
    const std::string png = pngBytes().toStdString();
    const PictureCase cases[] = {
        {"status image", test::okReply(png, "image/png"), true},
        {"image under an error status", test::statusReply("404 Not Found", png), true},
        {"not an image", test::okReply("<html>offline</html>", "text/html"), false},
        {"empty answer", test::okReply(""), false},
        {"image cut short", Reply{"HTTP/1.0 200 OK\r\nContent-Length: 99999\r\n\r\n" + png}, false},
    };
    for (const PictureCase& c : cases) {
        LocalHttpServer server;
        server.route("/status", c.reply);
        PictureBox box;
        ASSERT_TRUE(finish(ChatPictureJob(QByteArray::fromStdString(server.url("/status")), testLimits()).load(&box)))
            << c.name;
        EXPECT_EQ(!box.pixmap().isNull(), c.shown) << c.name;
    }
}

TEST(ChatPictureJobTest, BoxClosedBeforeTheAnswerIsLeftAlone)
{
    LocalHttpServer server;
    Reply slow = test::okReply(pngBytes().toStdString(), "image/png");
    slow.delay = 300ms;
    server.route("/status", slow);
    auto box = std::make_unique<PictureBox>();
    const QFuture<void> running =
        ChatPictureJob(QByteArray::fromStdString(server.url("/status")), testLimits()).load(box.get());
    box.reset();
    EXPECT_TRUE(finish(running));
}

TEST(MainWindowOnlineTest, CreationLoadsPictureAndCountTogether)
{
    LocalHttpServer server;
    server.route("/counter/love.txt", test::okReply("1234"));
    server.route("/status", test::okReply(pngBytes().toStdString(), "image/png"));
    MainWindowStandIn main;
    OnlineSources sources;
    sources.counter = CounterJob("", QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());
    sources.chatPicture = ChatPictureJob(QByteArray::fromStdString(server.url("/status")), testLimits());
    startMainWindowOnline(main.window.get(), sources);
    waitUntil([&main] { return !main.chat->pixmap().isNull() && main.brandLine->text() != kDefinedBrand; });
    EXPECT_FALSE(main.chat->pixmap().isNull());
    EXPECT_EQ(main.window->windowTitle(), QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助1234位业主预算过报价"));
}

// The program starts the downloads only once its window has painted, so that the first
// look at it never waits for the network library to load.
TEST(MainWindowOnlineTest, ProgramStartDownloadsOnlyAfterTheFirstPaint)
{
    LocalHttpServer server;
    server.route("/counter/love.txt", test::okReply("1234"));
    MainWindowStandIn main;
    OnlineSources sources;
    sources.counter = CounterJob("", QByteArray::fromStdString(server.url("/counter/love.txt")), testLimits());
    sources.chatPicture = ChatPictureJob(QByteArray::fromStdString(server.url("/status")), testLimits());
    startMainWindowOnlineAfterFirstPaint(main.window.get(), sources);
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_TRUE(server.requests().empty());
    main.window->show();
    waitUntil([&main] { return main.brandLine->text() != kDefinedBrand; });
    EXPECT_EQ(main.window->windowTitle(), QStringLiteral("汀湖装饰公司装修报价评估工具-------已帮助1234位业主预算过报价"));
}

}  // namespace
}  // namespace rq
