// The result window: the report line for line as the home owner reads it, and the ways out
// of the window.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "estimate/quick_estimate.h"
#include "estimate/result_window.h"
#include "forms/hyperlink_label.h"
#include "online/contact_window.h"
#include "online/endpoints.h"

namespace rq {
namespace {

Text defaultReport(std::string_view grade = kComfortGrade)
{
    const EstimateInputs inputs { "3", "2", "1", "1", "1", "100", Text(grade) };
    return RunQuickEstimate(inputs, {}).report;
}

template <typename T> T* control(ResultWindow& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(ResultWindow, ShowsTheComfortEstimateOfTheDefaultDwellingInFiftyOneLines)
{
    ResultWindow window(defaultReport());
    const QStringList lines = window.shownText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 51);
    // Line number (from 1) and text; the two lines of the grade's note are checked by their start.
    const std::vector<std::pair<int, const char*>> expected = {
        { 1, "此面积的房子做为舒适型装修价格如下：" },
        { 2, "" },
        { 3, "客餐厅铺地板舒适装修的价格为：28169.7元" },
        { 4, "客餐厅铺瓷砖半包装修的价格为：28736.7元" },
        { 5, "" },
        { 6, "客餐厅铺地板全包装修的价格为：48984.7元" },
        { 7, "客餐厅铺瓷砖全包装修的价格为：49383.7元" },
        { 8, "" },
        { 11, "*水电改造按实际发生量计算！" },
        { 12, "" },
        { 13, "**************************************" },
        { 14, "             计算详情" },
        { 15, "**************************************" },
        { 16, "厨房面积为：5平方米" },
        { 19, "卧室面积为：48.6平方米" },
        { 20, "客餐厅面积为：32.4平方米" },
        { 21, "" },
        { 22, "厨房瓷砖铺贴费用：511元" },
        { 30, "鞋柜:650" },
        { 35, "算材料搬运、垃圾清理：260.831元" },
        { 42, "五金：2100元" },
        { 43, " 衣柜移门：1200元" },
        { 44, "" },
        { 45, "下面是普地板或是地砖的，不可重复计算。" },
        { 48, "客餐厅铺砖全包的五金、厨房、地砖、卫生间：15572元" },
        { 49, "" },
        { 50, "" },
        { 51, "*如差别与心里的太大，请尝试用详细报价。如果您在汀湖，可以QQ客服在线咨询报价以及设计！" },
    };
    for (const auto& [number, text] : expected)
        EXPECT_EQ(lines[number - 1], QString::fromUtf8(text)) << "line " << number;
    EXPECT_TRUE(lines[8].startsWith(QStringLiteral("注：舒适型装修的半包装修包括：")));
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("舒适型装修的全包装修包括：")));
    EXPECT_FALSE(window.shownText().contains(QLatin1Char('\r')));
}

TEST(ResultWindow, WithoutAnyReportShowsOnlyTheClosingHint)
{
    ResultWindow window({});
    EXPECT_EQ(window.shownText(),
        QStringLiteral("\n\n*如差别与心里的太大，请尝试用详细报价。如果您在汀湖，可以QQ客服在线咨询报价以及设计！"));
}

TEST(ResultWindow, ReportIsReadOnlyWithAVerticalScrollBar)
{
    ResultWindow window(defaultReport());
    window.show();
    auto* box = control<QPlainTextEdit>(window, "编辑框1");
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0); // 51 lines do not fit in 240 pixels
    EXPECT_EQ(window.windowTitle(), QStringLiteral("快速预算显示结果"));
}

TEST(ResultWindow, PlainLinksOpenTheCompanyPages)
{
    ResultWindow window(defaultReport());
    const struct {
        const char* name;
        const char* caption;
        const char* target;
    } links[]
        = { { "超级链接框1", "我要做精确报价", "" }, { "超级链接框2", "家装装修设计效果图", endpoints::kCaseGallery },
              { "超级链接框3", "欢迎进入我的空间", endpoints::kDesignerSpace } };
    for (const auto& link : links) {
        auto* label = control<HyperlinkLabel>(window, link.name);
        EXPECT_EQ(label->text(), QString::fromUtf8(link.caption)) << link.name;
        EXPECT_EQ(label->target(), QString::fromLatin1(link.target)) << link.name;
    }
}

TEST(ResultWindow, CloseButtonClosesTheWindow)
{
    ResultWindow window(defaultReport());
    QTimer::singleShot(0, &window, [&] { control<QPushButton>(window, "按钮1")->click(); });
    window.exec();
    EXPECT_FALSE(window.isVisible());
}

TEST(ResultWindow, ExactQuoteStepsAsideForTheContactWindowThenCloses)
{
    ResultWindow window(defaultReport());
    bool hiddenWhileContactOpen = false;
    bool sawContact = false;
    QTimer::singleShot(
        0, &window, [&] { QTest::mousePress(control<HyperlinkLabel>(window, "超级链接框1"), Qt::LeftButton); });
    QTimer::singleShot(50, &window, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        sawContact = qobject_cast<ContactWindow*>(modal) != nullptr;
        hiddenWhileContactOpen = !window.isVisible();
        if (modal)
            modal->close();
    });
    window.exec();
    EXPECT_TRUE(sawContact);
    EXPECT_TRUE(hiddenWhileContactOpen);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace rq
