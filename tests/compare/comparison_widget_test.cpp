// The comparison window as the user meets it: opened from the menu, it shows what the core
// computed for the main window's rooms; a double-click opens that option's sheet with the
// grade box following; an empty list shows the quote's own message; a large list is
// compared on a worker while the window keeps answering.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

#include "app/main_window.h"
#include "compare/comparison_window.h"
#include "quote/engine.h"
#include "sheet/quote_sheet_window.h"
#include "ui/application_look.h"
#include "ui/document_actions.h"
#include "ui/message_box.h"

namespace {

class ComparisonWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        rq::applyApplicationLook();
        rq::setMessageSink([](const QString& text, QMessageBox::Icon) { ADD_FAILURE() << text.toStdString(); });
        window = std::make_unique<rq::MainWindow>();
        window->setChatPicturesLoaded(false);
    }
    void TearDown() override
    {
        window.reset();
        rq::setMessageSink({});
    }
    void click(const char* name)
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromUtf8(name)), Qt::LeftButton);
    }
    rq::ComparisonWindow* openFromMenu()
    {
        for (QAction* menu : window->menuBar()->actions()) {
            if (!menu->menu())
                continue;
            for (QAction* action : menu->menu()->actions()) {
                if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_D)) {
                    EXPECT_EQ(menu->text(), QStringLiteral("报价(&Q)"));
                    action->trigger();
                }
            }
        }
        return window->comparisonWindow();
    }
    std::unique_ptr<rq::MainWindow> window;
};

TEST_F(ComparisonWindowTest, DoubleClickOpensThatOptionsSheetAndTheGradeBoxFollows)
{
    click("按钮2");  // 详细报价>>
    click("按钮4");  // 添加 the room the entry fields start with
    click("按钮4");
    rq::ComparisonWindow* comparison = openFromMenu();
    ASSERT_NE(comparison, nullptr);
    ASSERT_TRUE(comparison->comparison());
    EXPECT_TRUE(comparison->optionsTable()->isVisible());

    const int fine = static_cast<int>(rq::Grade::Fine);
    constexpr int kFullTotalColumn = 2;
    const QString shown = comparison->optionsTable()->item(fine, kFullTotalColumn)->text();
    QString caption;
    QString sheetTotal;
    QTimer::singleShot(0, window.get(), [&] {
        auto* sheet = qobject_cast<rq::QuoteSheetWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        caption = sheet->windowTitle();
        sheetTotal = QString::fromStdString(rq::Text(sheet->sheet().GetCell(sheet->sheet().RowCount() - 1, rq::kTotal)));
        sheet->close();
    });
    QTableWidget* table = comparison->optionsTable();
    const QRect cell = table->visualItemRect(table->item(fine, kFullTotalColumn));
    // As a mouse does it: a press that selects the cell, then the second press of the pair.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(caption, QStringLiteral("全包装修详细报价"));
    EXPECT_EQ(sheetTotal, shown);
    EXPECT_EQ(window->findChild<QComboBox*>(QStringLiteral("组合框1"))->currentText(), QStringLiteral("精  装  修"));
    // The option opened is the one now chosen: it is marked, the others differ from it.
    EXPECT_EQ(table->item(fine, kFullTotalColumn + 1)->text(), QStringLiteral("当前方案"));
    EXPECT_TRUE(table->item(0, 1)->text().contains(QStringLiteral("元")));

    // Exported as the user does it: the PDF holds the table and the chart's legend.
    const QString pdf = QDir::temp().filePath(QStringLiteral("renoquote_comparison_%1.pdf").arg(getpid()));
    auto* documents = comparison->findChild<rq::DocumentActions*>();
    ASSERT_NE(documents, nullptr);
    ASSERT_TRUE(documents->exportTo(pdf, rq::DocumentFormat::Pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30'000));
    const QString written = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& expected : {QStringLiteral("方案对比"), shown, QStringLiteral("快速估算全包")})
        EXPECT_TRUE(written.contains(expected)) << expected.toStdString() << "\n" << written.toStdString();
    QFile::remove(pdf);
}

TEST_F(ComparisonWindowTest, EmptyListShowsTheQuotesMessageAndNoTable)
{
    rq::ComparisonWindow* comparison = openFromMenu();
    ASSERT_NE(comparison, nullptr);
    EXPECT_EQ(comparison->statusLabel()->text(), QStringLiteral("至少要添加1房间！"));
    EXPECT_FALSE(comparison->optionsTable()->isVisible());
    EXPECT_FALSE(comparison->findChild<QPushButton*>(QStringLiteral("printButton"))->isEnabled());
}

TEST_F(ComparisonWindowTest, LargeListIsComparedOnAWorkerAndANewerListWins)
{
    rq::ComparisonWindow comparison;
    rq::ComparisonWindow::Inputs inputs;
    const rq::RoomRecord room{{"客厅", "4500*3600*2800", "1500*1500", "实木门", "1", "4"}};
    inputs.rooms.assign(rq::ComparisonWindow::kWorkerRooms, room);
    QSignalSpy shown(&comparison, &rq::ComparisonWindow::comparisonShown);
    comparison.setInputs(inputs);
    EXPECT_TRUE(comparison.busy());  // setInputs returned before the ten quotes were made
    // A newer list while the first is computed: only the newer one is shown.
    inputs.rooms.push_back(room);
    comparison.setInputs(inputs);
    ASSERT_TRUE(shown.wait(60'000));
    QTest::qWait(50);
    EXPECT_EQ(shown.count(), 1);
    ASSERT_TRUE(comparison.comparison());
    const rq::QuoteSheet sheet
        = rq::BuildDetailedQuote(inputs.rooms, rq::kComfortGrade, rq::FloorChoice::Boards, rq::kHalfPackage).sheet;
    EXPECT_EQ(rq::IntegerToText(static_cast<std::int32_t>(
                  *comparison.comparison()->option(static_cast<int>(rq::Grade::Comfort), rq::Package::Half).total)),
              sheet.GetCell(sheet.RowCount() - 1, rq::kTotal));
}

}  // namespace
