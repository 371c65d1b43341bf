// The tools, contact and tutorial windows as catalogued, and where their links and pictures
// lead. Opened addresses are caught with a URL handler instead of starting a browser.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"
#include "online/browser_view.h"
#include "online/contact_window.h"
#include "online/endpoints.h"
#include "online/online_links.h"
#include "online/tools_window.h"
#include "online/video_window.h"
#include "online/webengine_setup.h"
#include "tests/online/local_http_server.h"

namespace {
// The browser views need this before the application object exists, as in the program.
const bool kWebEnginePrepared = [] {
    rq::prepareWebEngineEnvironment();
    return true;
}();
}  // namespace

// Stands in for the system's browser: remembers every address the program asks it to open.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    OpenedUrls()
    {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OpenedUrls() override
    {
        for (const char* scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    std::vector<QString> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls.push_back(url.toString()); }
};

namespace rq {
namespace {

using namespace std::chrono_literals;
using test::LocalHttpServer;

// Time-outs only as a guard: a download that should succeed must not be cut short on a
// machine busy with other work; a hang is CTest's to catch.
HttpLimits testLimits()
{
    HttpLimits limits;
    limits.connectTimeout = 60s;
    limits.totalTimeout = 120s;
    return limits;
}

void press(QWidget* control, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF inside(2, 2);
    QMouseEvent down(QEvent::MouseButtonPress, inside, control->mapToGlobal(inside), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, inside, control->mapToGlobal(inside), button, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(control, &up);
}

// Keeps the user-interface thread turning until the condition holds; one that never does
// is a hang for CTest's time-out.
template <typename Condition>
bool waitUntil(Condition condition)
{
    while (!condition()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

struct ControlEntry {
    const char* name;
    QRect geometry;
    const char* text;  // nullptr: no caption to check
};

void expectControls(const QWidget& window, const std::vector<ControlEntry>& entries)
{
    for (const ControlEntry& entry : entries) {
        const QString name = QString::fromUtf8(entry.name);
        auto* control = window.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << entry.name;
        EXPECT_EQ(control->geometry(), entry.geometry) << entry.name;
        if (entry.text == nullptr)
            continue;
        const QString expected = QString::fromUtf8(entry.text);
        if (auto* label = qobject_cast<QLabel*>(control))
            EXPECT_EQ(label->text(), expected) << entry.name;
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            EXPECT_EQ(button->text(), expected) << entry.name;
        else
            ADD_FAILURE() << entry.name << " has no caption";
    }
}

TEST(OnlineWindowsTest, WindowsAreBuiltAsCatalogued)
{
    ToolsWindow tools(QUrl(QStringLiteral("http://127.0.0.1:9/")), nullptr);
    EXPECT_EQ(tools.size(), QSize(951, 499));
    EXPECT_EQ(tools.windowTitle(), QStringLiteral("家装小工具（计算器）"));
    expectControls(tools, {{"超文本浏览框1", QRect(-217, -211, 1384, 1208), nullptr}});

    ContactWindow contact(ChatPictureJob(QByteArray::fromStdString(LocalHttpServer::refusedUrl()), testLimits()),
                          nullptr);
    // Wider than catalogued, so that the title shows whole; the controls keep their places.
    EXPECT_EQ(contact.height(), 197);
    EXPECT_GT(contact.width(), 215);
    EXPECT_GE(contact.width(), ContactWindow::TitleBarWidth(contact));
    EXPECT_EQ(contact.windowTitle(), QStringLiteral("我要做精确报价以及设计"));
    expectControls(contact,
        {
            { "标签1", QRect(8, 16, 192, 32), "精确报价请联系我们：（限汀湖）" },
            { "图片框1", QRect(16, 64, 75, 22), nullptr },
            { "标签3", QRect(120, 64, 80, 24), "预约设计师：\n0123-4567890" },
            { "标签2", QRect(8, 104, 40, 16), "网址：" },
            { "超级链接框3", QRect(40, 101, 136, 24), "www.qinghe-space.example" },
            { "超级链接框1", QRect(8, 136, 64, 20), "优惠活动" },
            { "超级链接框2", QRect(104, 136, 64, 20), "案例欣赏" },
        });

    VideoWindow video(QStringLiteral("http://127.0.0.1:9"), QUrl(), nullptr);
    EXPECT_EQ(video.size(), QSize(551, 493));
    EXPECT_EQ(video.windowTitle(), QStringLiteral("装修省钱，动画教程！让你装修不中招！"));
    expectControls(video, {
                              {"超文本浏览框1", QRect(1, 1, 543, 423), nullptr},
                              {"标签1", QRect(8, 432, 120, 24), "正在载入，请稍后。。。"},
                              {"按钮1", QRect(136, 432, 30, 30), "1"},
                              {"按钮2", QRect(187, 432, 30, 30), "2"},
                              {"按钮3", QRect(238, 432, 30, 30), "3"},
                              {"按钮4", QRect(289, 432, 30, 30), "4"},
                              {"按钮5", QRect(340, 432, 30, 30), "5"},
                              {"按钮6", QRect(392, 432, 30, 30), "6"},
                              {"按钮7", QRect(439, 432, 80, 32), "更多>>"},
                          });
}

TEST(OnlineWindowsTest, ContactLinksOpenTheCompanysPages)
{
    const struct {
        const char* name;
        const char* target;
    } links[] = {
        {"超级链接框3", endpoints::kCompanySite},
        {"超级链接框1", endpoints::kPromotions},
        {"超级链接框2", endpoints::kCaseGallery},
    };
    ContactWindow contact(ChatPictureJob(QByteArray::fromStdString(LocalHttpServer::refusedUrl()), testLimits()),
                          nullptr);
    for (const auto& link : links) {
        OpenedUrls opened;
        auto* label = contact.findChild<HyperlinkLabel*>(QString::fromUtf8(link.name));
        ASSERT_NE(label, nullptr) << link.name;
        press(label);
        EXPECT_EQ(opened.urls, std::vector<QString>{QString::fromLatin1(link.target)}) << link.name;
    }
    OpenedUrls opened;
    press(contact.findChild<PictureBox*>(QStringLiteral("图片框1")));
    EXPECT_EQ(opened.urls, std::vector<QString>{QString::fromLatin1(endpoints::kChatLink)});
}

TEST(OnlineWindowsTest, ContactWindowLoadsItsChatPicture)
{
    LocalHttpServer server;
    QImage image(75, 22, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    server.route("/status", test::okReply(png.toStdString(), "image/png"));
    ContactWindow contact(ChatPictureJob(QByteArray::fromStdString(server.url("/status")), testLimits()), nullptr);
    auto* picture = contact.findChild<PictureBox*>(QStringLiteral("图片框1"));
    EXPECT_TRUE(waitUntil([picture] { return !picture->pixmap().isNull(); }));
    EXPECT_EQ(server.paths(), std::vector<std::string>{"/status"});
}

TEST(OnlineWindowsTest, MainWindowLabelsAndPictureOpenTheirPages)
{
    QWidget window;
    auto* banner = new QLabel(QStringLiteral("banner"), &window);
    banner->setObjectName(QStringLiteral("标签1"));
    auto* brand = new QLabel(QStringLiteral("brand"), &window);
    brand->setObjectName(QStringLiteral("标签17"));
    auto* chat = new PictureBox(&window);
    chat->setObjectName(QStringLiteral("图片框1"));
    const std::string refused = LocalHttpServer::refusedUrl();
    OnlineSources sources;
    sources.counter = CounterJob("", QByteArray::fromStdString(refused), testLimits());
    sources.chatPicture = ChatPictureJob(QByteArray::fromStdString(refused), testLimits());
    startMainWindowOnline(&window, sources);

    const struct {
        QWidget* control;
        Qt::MouseButton button;
        std::vector<QString> opened;
    } cases[] = {
        {banner, Qt::LeftButton, {QString::fromLatin1(endpoints::kCompanySite)}},
        {brand, Qt::LeftButton, {QString::fromLatin1(endpoints::kCompanySite)}},
        {chat, Qt::LeftButton, {QString::fromLatin1(endpoints::kChatLink)}},
        {banner, Qt::RightButton, {}},
        {chat, Qt::RightButton, {}},
    };
    for (const auto& c : cases) {
        OpenedUrls opened;
        press(c.control, c.button);
        EXPECT_EQ(opened.urls, c.opened) << c.control->objectName().toStdString() << " button " << c.button;
    }
}

TEST(VideoWindowTest, ButtonsChooseTheTutorialAndMoreOpensTheTips)
{
    const QString host = QStringLiteral("http://127.0.0.1:9");
    const QUrl tips(QStringLiteral("http://127.0.0.1:9/msg.php?id=278"));
    VideoWindow video(host, tips, nullptr);
    auto* view = video.findChild<BrowserView*>(QStringLiteral("超文本浏览框1"));
    // A fresh window already shows the first tutorial.
    EXPECT_EQ(view->url(), QUrl(host + QStringLiteral("/flash/LB075.swf")));

    const struct {
        const char* button;
        const char* path;
    } tutorials[] = {
        {"按钮4", "/flash/LB084.swf"}, {"按钮2", "/flash/LB083.swf"}, {"按钮3", "/flash/LB082.swf"},
        {"按钮5", "/flash/LB086.swf"}, {"按钮6", "/flash/LB090.swf"}, {"按钮1", "/flash/LB075.swf"},
    };
    for (const auto& tutorial : tutorials) {
        video.findChild<QPushButton*>(QString::fromUtf8(tutorial.button))->click();
        EXPECT_EQ(view->url(), QUrl(host + QString::fromLatin1(tutorial.path))) << tutorial.button;
    }

    for (const int outside : {0, 7, -1})
        EXPECT_TRUE(video.tutorialAddress(outside).isEmpty()) << outside;

    OpenedUrls opened;
    video.findChild<QPushButton*>(QStringLiteral("按钮7"))->click();
    EXPECT_EQ(opened.urls, std::vector<QString>{tips.toString()});
    EXPECT_EQ(view->url(), QUrl(host + QStringLiteral("/flash/LB075.swf"))) << "the window itself does not change";
}

TEST(VideoWindowTest, StatusLabelFollowsTheViewsLastEvent)
{
    VideoWindow video(QStringLiteral("http://127.0.0.1:9"), QUrl(), nullptr);
    auto* view = video.findChild<BrowserView*>(QStringLiteral("超文本浏览框1"));
    auto* status = video.findChild<QLabel*>(QStringLiteral("标签1"));
    const struct {
        bool started;
        bool ok;
        const char* text;
    } steps[] = {
        { false, true, "载入完毕！" },
        { true, true, "正在载入，请稍后。。。" },
        { false, false, "载入失败！" },
        { true, true, "正在载入，请稍后。。。" },
    };
    for (const auto& step : steps) {
        if (step.started)
            Q_EMIT view->loadStarted();
        else
            Q_EMIT view->loadFinished(step.ok);
        EXPECT_EQ(status->text(), QString::fromUtf8(step.text));
    }
}

// Navigates for real: a page served on 127.0.0.1, through the browser component the build
// has (Qt WebEngine, or the address-only view without it).
TEST(VideoWindowTest, LoadingAPageShowsLoadingThenLoaded)
{
    LocalHttpServer server;
    for (const char* path : {"/flash/LB075.swf", "/flash/LB084.swf"})
        server.route(path, test::okReply(std::string("<html><body>tutorial ") + path + "</body></html>", "text/html"));
    VideoWindow video(QString::fromStdString(server.origin()), QUrl(), nullptr);
    auto* view = video.findChild<BrowserView*>(QStringLiteral("超文本浏览框1"));
    auto* status = video.findChild<QLabel*>(QStringLiteral("标签1"));
    std::vector<QString> seen;  // the label's text right after each navigation event
    QObject::connect(view, &BrowserView::loadStarted, &video, [&] { seen.push_back(status->text()); });
    std::vector<bool> results;
    QObject::connect(view, &BrowserView::loadFinished, &video, [&](bool ok) {
        seen.push_back(status->text());
        results.push_back(ok);
    });
    video.show();

    const QString loading = QStringLiteral("正在载入，请稍后。。。");
    const QString loaded = QStringLiteral("载入完毕！");
    ASSERT_TRUE(waitUntil([&] { return status->text() == loaded; }));
    EXPECT_EQ(seen, (std::vector<QString>{loading, loaded}));

    seen.clear();
    video.findChild<QPushButton*>(QStringLiteral("按钮4"))->click();
    ASSERT_TRUE(waitUntil([&] { return seen.size() >= 2; }));
    EXPECT_EQ(seen, (std::vector<QString>{loading, loaded}));
    EXPECT_EQ(results, (std::vector<bool>{true, true})) << "both pages are served";
#ifdef RENOQUOTE_HAVE_WEBENGINE
    const auto paths = server.paths();
    EXPECT_NE(std::find(paths.begin(), paths.end(), "/flash/LB084.swf"), paths.end());
#endif
}

#ifndef RENOQUOTE_HAVE_WEBENGINE
TEST(BrowserViewTest, WithoutABrowserComponentTheAddressOpensInTheSystemBrowser)
{
    BrowserView view;
    const QUrl page(QStringLiteral("http://127.0.0.1:9/flash/LB084.swf"));
    view.setUrl(page);
    auto* address = view.findChild<QLabel*>(QStringLiteral("address"));
    EXPECT_TRUE(waitUntil([&] { return address->text() == page.toString(); }));
    OpenedUrls opened;
    Q_EMIT view.findChild<QLabel*>(QStringLiteral("openInBrowser"))->linkActivated(QStringLiteral("open"));
    EXPECT_EQ(opened.urls, std::vector<QString>{page.toString()});
}
#endif

// The page shown for a page that could not be loaded: in Chinese, with the address as the
// user knows it and a link that tries it again, centred in the part of the view the window
// shows (the tools window shows only the middle of its view).
TEST(BrowserViewTest, FailurePageTellsTheAddressAndOffersToTryAgain)
{
    const struct {
        const char* url;
        QRect seen;
        const char* shown; // the address as the page writes it
        const char* target;
    } cases[] = {
        { "http://127.0.0.1:9/flash/LB075.swf", QRect(0, 0, 543, 423), "http://127.0.0.1:9/flash/LB075.swf",
            "http://127.0.0.1:9/flash/LB075.swf" },
        // Markup in the address stays text; the link carries the address encoded.
        { "http://127.0.0.1:9/装修?a=1&b=<2>", QRect(217, 211, 951, 499), "http://127.0.0.1:9/装修?a=1&amp;b=%3C2%3E",
            "http://127.0.0.1:9/%E8%A3%85%E4%BF%AE?a=1&amp;b=%3C2%3E" },
    };
    for (const auto& c : cases) {
        const QString page = loadFailurePage(QUrl(QString::fromUtf8(c.url)), c.seen);
        EXPECT_TRUE(page.contains(QStringLiteral("网页载入失败"))) << c.url;
        EXPECT_TRUE(page.contains(QString::fromUtf8(c.shown))) << page.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("<2>"))) << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"%1\">重试</a>").arg(QString::fromUtf8(c.target))))
            << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("left:%1px;top:%2px;width:%3px;height:%4px")
                                      .arg(c.seen.x())
                                      .arg(c.seen.y())
                                      .arg(c.seen.width())
                                      .arg(c.seen.height())))
            << page.toStdString();
    }
}

#ifdef RENOQUOTE_HAVE_WEBENGINE
// Navigates for real to an address where nothing answers: the label says the film failed,
// and stays so while the view shows its own failure page.
TEST(VideoWindowTest, AnAddressThatCannotBeLoadedIsToldAsFailed)
{
    VideoWindow video(QStringLiteral("http://127.0.0.1:9"), QUrl(), nullptr);
    auto* view = video.findChild<BrowserView*>(QStringLiteral("超文本浏览框1"));
    auto* status = video.findChild<QLabel*>(QStringLiteral("标签1"));
    std::vector<bool> results;
    QObject::connect(view, &BrowserView::loadFinished, &video, [&](bool ok) { results.push_back(ok); });
    video.show();
    ASSERT_TRUE(waitUntil([&] { return !results.empty(); }));
    EXPECT_EQ(status->text(), QStringLiteral("载入失败！"));
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(results, std::vector<bool> { false }) << "the failure page is no navigation of its own";
    EXPECT_EQ(status->text(), QStringLiteral("载入失败！"));
}
#endif

TEST(ToolsWindowTest, ShowsTheCalculatorPage)
{
    LocalHttpServer server;
    server.route("/calculator.html", test::okReply("<html><body>calculators</body></html>", "text/html"));
    ToolsWindow tools(QUrl(QString::fromStdString(server.url("/calculator.html"))), nullptr);
    auto* view = tools.findChild<BrowserView*>(QStringLiteral("超文本浏览框1"));
    EXPECT_EQ(view->url().toString().toStdString(), server.url("/calculator.html"));
    bool finished = false;
    QObject::connect(view, &BrowserView::loadFinished, &tools, [&finished] { finished = true; });
    tools.show();
    EXPECT_TRUE(waitUntil([&finished] { return finished; }));
#ifdef RENOQUOTE_HAVE_WEBENGINE
    EXPECT_EQ(server.paths().front(), "/calculator.html");
#endif
    // Esc closes it, though the page has the focus.
    QApplication::setActiveWindow(&tools);
    view->setFocus();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view, Qt::Key_Escape);
    EXPECT_FALSE(tools.isVisible());
}

}  // namespace
}  // namespace rq

#include "online_windows_widget_test.moc"
