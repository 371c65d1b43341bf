// A link the system cannot open in a browser is not a dead click: the user is told, with
// the address, and finds the address on the clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "forms/hyperlink_label.h"
#include "forms/picture_box.h"
#include "online/contact_window.h"
#include "online/endpoints.h"
#include "online/online_jobs.h"
#include "online/video_window.h"
#include "ui/message_box.h"

namespace rq {
namespace {

TEST(OpenLink, WithoutABrowserTheAddressIsToldAndCopied)
{
    // The offscreen platform starts no browser, as a machine without one.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "a real platform may start a browser";
    std::vector<QString> messages;
    setMessageSink([&](const QString& text, QMessageBox::Icon) { messages.push_back(text); });
    ContactWindow contact(ChatPictureJob(QByteArray("http://127.0.0.1:9/"), HttpLimits {}), nullptr);
    VideoWindow video(QStringLiteral("http://127.0.0.1:9"), QUrl(QStringLiteral("http://127.0.0.1:9/tips")), nullptr);
    const struct {
        std::function<void()> click;
        QString address;
    } links[] = {
        { [&] { QTest::mouseClick(contact.findChild<HyperlinkLabel*>(QStringLiteral("超级链接框3")), Qt::LeftButton); },
            QString::fromLatin1(endpoints::kCompanySite) },
        { [&] { QTest::mousePress(contact.findChild<PictureBox*>(QStringLiteral("图片框1")), Qt::LeftButton); },
            QString::fromLatin1(endpoints::kChatLink) },
        { [&] { video.findChild<QPushButton*>(QStringLiteral("按钮7"))->click(); },
            QStringLiteral("http://127.0.0.1:9/tips") },
    };
    for (const auto& link : links) {
        messages.clear();
        QGuiApplication::clipboard()->clear();
        link.click();
        ASSERT_EQ(messages.size(), 1u) << link.address.toStdString();
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("无法打开网页浏览器。"))) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].endsWith(link.address)) << messages[0].toStdString();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), link.address);
    }
    setMessageSink({});
}

} // namespace
} // namespace rq
