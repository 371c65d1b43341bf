// "估算报价" on the main window: one run at a time, the result window or a refusal, and the
// report that outlives the run.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "estimate/result_window.h"
#include "ui/message_box.h"

namespace rq {
namespace {

class EstimateRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetEstimateReport({});
        setMessageSink([this](const QString& text, QMessageBox::Icon) {
            messages << text;
            buttonEnabledDuringMessage = button()->isEnabled();
        });
        window = std::make_unique<MainWindow>();
        window->setChatPicturesLoaded(false);
    }
    void TearDown() override
    {
        window.reset();
        setMessageSink({});
        ReleaseEstimateReport();
    }

    QPushButton* button() const { return window->findChild<QPushButton*>(QStringLiteral("按钮1")); }
    void type(const char* box, const char* text)
    {
        auto* edit = window->findChild<QLineEdit*>(QString::fromUtf8(box));
        ASSERT_NE(edit, nullptr) << box;
        edit->setText(QString::fromUtf8(text));
    }
    void chooseGrade(const char* grade)
    {
        window->findChild<QComboBox*>(QStringLiteral("组合框1"))->setCurrentText(QString::fromUtf8(grade));
    }

    // Presses "估算报价" and, when a result window comes up, notes what it shows and how the
    // button looks meanwhile, tries the button again, then closes the window.
    void runEstimate()
    {
        shown.clear();
        resultWindows = 0;
        QTimer::singleShot(0, window.get(), [this] {
            auto* result = qobject_cast<ResultWindow*>(QApplication::activeModalWidget());
            if (!result)
                return;
            shown = result->shownText();
            buttonEnabledDuringResult = button()->isEnabled();
            button()->click(); // a second press while the first run is showing its result
            for (QWidget* top : QApplication::topLevelWidgets())
                resultWindows += qobject_cast<ResultWindow*>(top) != nullptr && top->isVisible() ? 1 : 0;
            result->close();
        });
        button()->click();
    }

    std::unique_ptr<MainWindow> window;
    QStringList messages;
    QString shown;
    int resultWindows = 0;
    bool buttonEnabledDuringResult = true;
    bool buttonEnabledDuringMessage = true;
};

TEST_F(EstimateRunTest, DefaultDwellingOpensOneResultWindowAndFreesTheButtonAfter)
{
    QSignalSpy counter(window.get(), &MainWindow::counterRefreshRequested);
    runEstimate();
    EXPECT_EQ(shown.split(QLatin1Char('\n')).size(), 51);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("此面积的房子做为舒适型装修价格如下：")));
    EXPECT_FALSE(buttonEnabledDuringResult);
    EXPECT_EQ(resultWindows, 1);
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_EQ(counter.count(), 1);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EstimateRunTest, RefusalIsShownAsAMessageAndOpensNoResult)
{
    type("室", "0");
    type("厅", "0");
    runEstimate();
    EXPECT_EQ(messages, QStringList { QStringLiteral("室和厅的数量不能都为0！") });
    EXPECT_FALSE(buttonEnabledDuringMessage);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_TRUE(EstimateReport().empty());
}

TEST_F(EstimateRunTest, UnknownGradeShowsThePreviousReportAgain)
{
    chooseGrade("豪华型装修");
    runEstimate();
    const QString luxury = shown;
    ASSERT_TRUE(luxury.startsWith(QStringLiteral("此面积的房子做为豪华型装修价格如下：")));

    chooseGrade("别墅装修");
    runEstimate();
    EXPECT_EQ(shown, luxury);

    chooseGrade("出租房装修");
    type("平方", "80");
    runEstimate();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("此面积的房子做为出租房装修价格如下：")));
    EXPECT_FALSE(shown.contains(QStringLiteral("豪华")));
}

TEST_F(EstimateRunTest, UnknownGradeBeforeAnyReportShowsOnlyTheHint)
{
    chooseGrade("别墅装修");
    runEstimate();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("\n\n*如差别与心里的太大")));
}

} // namespace
} // namespace rq
