// Printing, exporting and copying from the quote sheet window and the result window, as a
// user does it: the buttons and shortcuts are there, the files say what the window says, a
// long export shows a progress dialog that cancels cleanly, and copied rows paste as cells.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/csv_writer.h"
#include "printing/quote_printer.h"
#include "estimate/quick_estimate.h"
#include "estimate/result_window.h"
#include "quote/engine.h"
#include "sheet/quote_sheet_window.h"
#include "ui/document_actions.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

namespace fs = std::filesystem;

std::vector<RoomRecord> Rooms(int count)
{
    const RoomRecord kinds[] = {
        {{"客厅", "4500*3600*2800", "1500*1500", "(无)", "0", "4"}},
        {{"卧室", "4000*3500*2800", "1500*1500", "实木门", "1", "4"}},
    };
    std::vector<RoomRecord> rooms;
    for (int i = 0; i < count; ++i)
        rooms.push_back(kinds[i % 2]);
    return rooms;
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class DocumentActionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("renoquote_window_documents_" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        setMessageSink([this](const QString& text, QMessageBox::Icon) { m_messages << text; });
    }
    void TearDown() override
    {
        setMessageSink({});
        fs::remove_all(m_folder);
    }

    std::unique_ptr<QuoteSheetWindow> openSheet(int rooms)
    {
        auto window = std::make_unique<QuoteSheetWindow>(
            BuildDetailedQuote(Rooms(rooms), "舒适型装修", FloorChoice::Boards, kFullPackage), nullptr,
            QuoteSheetWindow::ChatPicture::Skip);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    QString path(const char* name) const { return QString::fromStdString((m_folder / name).string()); }

    // Exports the sheet as PDF while watching for the progress dialog, whose cancel button
    // is pressed when `cancel` is set. Whether the dialog showed.
    bool exportWatchingProgress(QuoteSheetWindow& window, const char* name, bool cancel)
    {
        bool shown = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(widget);
                if (!progress || !progress->isVisible())
                    continue;
                shown = true;
                if (auto* button = progress->findChild<QPushButton*>(); button && cancel)
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        watch.start(20);
        const bool written = window.documentActions().exportTo(path(name), DocumentFormat::Pdf);
        EXPECT_EQ(written, !cancel) << name;
        return shown;
    }

    fs::path m_folder;
    QStringList m_messages;
};

TEST_F(DocumentActionsTest, BothWindowsOfferPrintAndExportButtonsAndCtrlP)
{
    const auto sheet = openSheet(2);
    ResultWindow result(Text("报价"));
    for (QWidget* window : {static_cast<QWidget*>(sheet.get()), static_cast<QWidget*>(&result)}) {
        auto* print = window->findChild<QPushButton*>(QStringLiteral("printButton"));
        auto* exportButton = window->findChild<QPushButton*>(QStringLiteral("exportButton"));
        ASSERT_TRUE(print && exportButton);
        EXPECT_EQ(print->text(), QStringLiteral("打印…"));
        EXPECT_EQ(exportButton->text(), QStringLiteral("导出…"));
        // Inside the window, clear of every control the form places.
        for (QPushButton* button : {print, exportButton}) {
            EXPECT_TRUE(window->rect().contains(button->geometry())) << button->text().toStdString();
            for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (control == print || control == exportButton || !control->isVisible())
                    continue;
                EXPECT_FALSE(control->geometry().intersects(button->geometry())) << control->objectName().toStdString();
            }
        }
        bool ctrlP = false;
        for (const QAction* action : window->actions())
            ctrlP = ctrlP || action->shortcut() == QKeySequence(QKeySequence::Print);
        EXPECT_TRUE(ctrlP);
    }
}

TEST_F(DocumentActionsTest, ExportedFilesSayWhatTheWindowsShow)
{
    const auto sheet = openSheet(2);
    ASSERT_TRUE(sheet->documentActions().exportTo(path("sheet.csv"), DocumentFormat::Csv));
    EXPECT_EQ(ReadBytes(m_folder / "sheet.csv"), CsvText(sheet->document()));
    ASSERT_TRUE(sheet->documentActions().exportTo(path("sheet.xlsx"), DocumentFormat::Xlsx));
    EXPECT_EQ(ReadBytes(m_folder / "sheet.xlsx").substr(0, 2), "PK");

    ResultWindow result(RunQuickEstimate({"3", "2", "1", "1", "1", "100", "舒适型装修"}, "").report);
    result.setDetailsSource([] { return QuoteDetails { "张三", "", "", "2027年1月5日", "", "", "" }; });
    EXPECT_EQ(result.document().details, (std::vector<DocumentField> { { "客户：", "张三" } }));
    EXPECT_EQ(result.document().date, "2027年1月5日");
    ASSERT_TRUE(result.documentActions().exportTo(path("estimate.pdf"), DocumentFormat::Pdf));
    EXPECT_EQ(ReadBytes(m_folder / "estimate.pdf").substr(0, 5), "%PDF-");
    // Every line the window shows is a row of the document.
    const QuoteDocument document = result.document();
    EXPECT_EQ(static_cast<qsizetype>(document.rows.size()), result.shownText().split(QLatin1Char('\n')).size());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('\n')).toStdString();

    EXPECT_FALSE(sheet->documentActions().exportTo(path("missing/sheet.csv"), DocumentFormat::Csv));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages.front().contains(QStringLiteral("文件夹不存在"))) << m_messages.front().toStdString();
}

TEST_F(DocumentActionsTest, PrinterPagesCarryTheFootAndTheHeads)
{
    const auto sheet = openSheet(2);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("printed.pdf"));
    SetUpQuotePage(printer);
    ASSERT_TRUE(sheet->documentActions().paintOn(printer));
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/pdftotext"), {path("printed.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(-1));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const QString& expected : {QStringLiteral("全包装修详细报价"), QStringLiteral("项目名称"),
                                    QStringLiteral("全包总价格"), QStringLiteral("第 1 页 共 1 页")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
}

TEST_F(DocumentActionsTest, LongExportShowsProgressAndCancelKeepsTheEarlierFile)
{
    const auto small = openSheet(2);
    // Whether a dialog flashes up for two rooms depends on how busy the machine is, so
    // only the written file is asserted.
    exportWatchingProgress(*small, "small.pdf", false);
    EXPECT_TRUE(fs::exists(m_folder / "small.pdf"));

    // Seconds of work even on an idle machine, so that the cancel comes before the end
    // however the threads are scheduled (the dialog shows after half a second).
    const auto sheet = openSheet(10000);
    std::ofstream(m_folder / "big.pdf") << "earlier";
    EXPECT_TRUE(exportWatchingProgress(*sheet, "big.pdf", true));
    EXPECT_TRUE(ReadBytes(m_folder / "big.pdf") == "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 2) << "a temporary file was left";
    EXPECT_TRUE(m_messages.isEmpty()) << "a cancel is no failure";
}

TEST_F(DocumentActionsTest, NameGivenItsExtensionAsksBeforeReplacingThatFile)
{
    // "王宅3.5" has an extension of its own to the file dialog, which therefore asked about
    // nothing; the file written is 王宅3.5.pdf.
    const auto sheet = openSheet(2);
    QStringList questions;
    setQuestionSink([&](const QString& text, const QStringList&) {
        questions << text;
        return 1;  // 取消
    });
    std::ofstream(m_folder / "王宅3.5.pdf") << "earlier";
    QTimer::singleShot(0, sheet.get(), [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        // Wide enough that every column of the detailed view shows whole.
        const auto* files = dialog->findChild<QTreeView*>();
        ASSERT_NE(files, nullptr);
        EXPECT_LE(files->header()->length(), files->viewport()->width());
        EXPECT_GE(files->header()->sectionSize(0), 300);
        dialog->selectFile(path("王宅3.5"));
        static_cast<QDialog*>(dialog)->accept();  // as the 保存 button does
    });
    sheet->documentActions().exportWithDialog();
    setQuestionSink({});
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.front().contains(QStringLiteral("“王宅3.5.pdf”已存在"))) << questions.front().toStdString();
    EXPECT_EQ(ReadBytes(m_folder / "王宅3.5.pdf"), "earlier");
}

TEST_F(DocumentActionsTest, CtrlCCopiesTheHeadsAndTheSelectedRowsAsTextAndTable)
{
    const auto sheet = openSheet(2);
    auto* view = sheet->findChild<QTableView*>(QStringLiteral("超级列表框1"));
    ASSERT_NE(view, nullptr);
    view->setFocus();
    const auto copiedLines = [] {
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        return copied ? copied->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
    };
    const auto cellsOf = [&](int row) {
        QStringList cells;
        for (int column = 0; column < kSheetColumnCount; ++column)
            cells << toQString(sheet->sheet().GetCell(row, column));
        return cells.join(QLatin1Char('\t'));
    };
    const QString heads = QStringLiteral("序号\t项目名称\t单位\t数量\t单价\t总计");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(1, 1)).center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      view->visualRect(view->model()->index(2, 1)).center());
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copiedLines(), (QStringList{heads, cellsOf(1), cellsOf(2)}));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->html().contains(
        QStringLiteral("<td>") + toQString(sheet->sheet().GetCell(2, kItemName))));
    // The edits still act on one row: the one clicked last.
    EXPECT_EQ(sheet->selectedRow(), 2);

    // The whole sheet pastes as a table with its heads.
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QStringList all = copiedLines();
    ASSERT_EQ(all.size(), sheet->sheet().RowCount() + 1);
    EXPECT_EQ(all.front(), heads);
    EXPECT_EQ(all.back(), cellsOf(sheet->sheet().RowCount() - 1));
}

}  // namespace
}  // namespace rq
