// The project behind the main window: saved and opened through the "文件" menu, kept sheets,
// the quote details, the unsaved-changes question, and the copy that survives a crash.
// Questions, messages and file dialogs are answered by the test, never by a person.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QAction>
#include <QUndoStack>
#include <QTest>
#include <QTimer>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>

#include "app/autosave.h"
#include "app/main_window.h"
#include "app/project_session.h"
#include "files/capped_read.h"
#include "prices/price_book_shelf.h"
#include "prices/price_edits.h"
#include "project/project_file.h"
#include "project/recovery.h"
#include "sheet/quote_sheet_window.h"
#include "sheet/sheet_edits.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace {

struct Question {
    QString text;
    QStringList buttons;
};

class ProjectWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        rq::setMessageSink([this](const QString& text, QMessageBox::Icon) { messages.push_back(text); });
        rq::setQuestionSink([this](const QString& text, const QStringList& buttons) {
            questions.push_back({ text, buttons });
            if (answers.empty())
                return static_cast<int>(buttons.size()) - 1;
            const int answer = static_cast<int>(buttons.indexOf(answers.front()));
            answers.pop_front();
            return answer;
        });
        window = makeWindow();
    }
    void TearDown() override
    {
        window.reset();
        rq::setMessageSink({});
        rq::setQuestionSink({});
    }

    std::unique_ptr<rq::MainWindow> makeWindow()
    {
        auto made = std::make_unique<rq::MainWindow>();
        made->setChatPicturesLoaded(false);
        made->session().setFileChooser([this](rq::ProjectSession::Choice, const QString&) { return chosenFile; });
        return made;
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    template <typename T = QWidget> T* control(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void addRoom(const char* type, const char* size)
    {
        control<QComboBox>("组合框2")->setEditText(QString::fromUtf8(type));
        control<QLineEdit>("编辑框5")->setText(QString::fromUtf8(size));
        click("按钮4");
    }
    // Presses a package button and, inside the quote sheet window, runs `inside` before closing it.
    void inQuoteSheet(const char* button, const std::function<void(rq::QuoteSheetWindow&)>& inside)
    {
        bool opened = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* sheet = qobject_cast<rq::QuoteSheetWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            opened = true;
            inside(*sheet);
            sheet->close();
        });
        click(button);
        EXPECT_TRUE(opened) << button;
    }
    // "修改" on a row of the open quote sheet window.
    static void modifyRow(rq::QuoteSheetWindow& sheet, int row, const char* quantity)
    {
        sheet.findChild<QTableView*>(QStringLiteral("超级列表框1"))->selectRow(row);
        sheet.findChild<QLineEdit*>(QStringLiteral("编辑框3"))->setText(QString::fromUtf8(quantity));
        QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("按钮3")), Qt::LeftButton);
    }
    // A project of two rooms, tiles, both sheets with an edit, and the quote details.
    void makeSomeWork()
    {
        control<QLineEdit>("平方")->setText(QStringLiteral("88.5"));
        click("按钮2");
        addRoom("客厅", "4500*3600*2800");
        addRoom("卫生间", "2000*1800*2600");
        control<QRadioButton>("单选框2")->setChecked(true);
        inQuoteSheet("按钮5", [](rq::QuoteSheetWindow& sheet) { modifyRow(sheet, 2, "8.96"); });
        inQuoteSheet("按钮6", [this](rq::QuoteSheetWindow& sheet) {
            modifyRow(sheet, 1, "9.5");
            fillDetailsFrom(sheet);
        });
    }
    // "报价详情…" in the quote sheet window, filled in and confirmed.
    void fillDetailsFrom(rq::QuoteSheetWindow& sheet)
    {
        QTimer::singleShot(0, &sheet, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("customerEdit"))->setText(QStringLiteral("张先生"));
            dialog->findChild<QLineEdit*>(QStringLiteral("quoteNumberEdit"))->setText(QStringLiteral("QH-0001"));
            dialog->findChild<QLineEdit*>(QStringLiteral("validityEdit"))->setText(QStringLiteral("30 天"));
            dialog->findChild<QPlainTextEdit*>(QStringLiteral("notesEdit"))
                ->setPlainText(QStringLiteral("第一行\n第二行"));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QTest::mouseClick(sheet.findChild<QPushButton*>(QStringLiteral("detailsButton")), Qt::LeftButton);
    }
    rq::Project readProject(const QString& file)
    {
        rq::Outcome<rq::Project> read = rq::LoadProjectFile(file.toStdString());
        EXPECT_TRUE(read.value) << read.problem;
        return read.value.value_or(rq::Project {});
    }

    QTemporaryDir folder;
    QString chosenFile;
    std::vector<QString> messages;
    std::vector<Question> questions;
    std::deque<QString> answers;
    std::unique_ptr<rq::MainWindow> window;
};

TEST_F(ProjectWindowTest, SavedProjectOpensIdenticalAndTheTitleTellsItsState)
{
    makeSomeWork();
    const rq::Project work = window->currentProject();
    ASSERT_TRUE(work.halfPackage && work.fullPackage);
    EXPECT_EQ(work.halfPackage->quote.sheet.GetCell(2, rq::kQuantity), "8.96") << "the edit stays with the project";
    EXPECT_EQ(work.details.customer, "张先生");
    EXPECT_EQ(work.details.validity, "30 天");
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("未命名[*] - ")));
    EXPECT_TRUE(window->isWindowModified());

    chosenFile = path(QStringLiteral("家"));
    ASSERT_TRUE(window->session().saveAs());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("家.renoquote[*] - "))) << "the suffix is added";
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(readProject(path(QStringLiteral("家.renoquote"))), work);

    ASSERT_TRUE(window->session().newProject());
    EXPECT_EQ(window->currentProject(), rq::NewProject());
    ASSERT_TRUE(window->session().open(path(QStringLiteral("家.renoquote"))));
    EXPECT_EQ(window->currentProject(), work);
    EXPECT_FALSE(window->isWindowModified()) << "showing a project is no change";
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(messages.empty());

    // Pressing the package again opens the kept sheet, edits and all.
    // Printed and exported, it carries the project's quote details.
    inQuoteSheet("按钮5", [&](rq::QuoteSheetWindow& sheet) {
        EXPECT_EQ(sheet.sheet(), work.halfPackage->quote.sheet);
        EXPECT_EQ(sheet.document().details, rq::DetailFields(work.details, work.prices.name()));
        // And the rooms the sheet was computed from.
        EXPECT_EQ(sheet.document().rooms.rows.size(), work.halfPackage->builtFrom.rooms.size());
    });
    EXPECT_TRUE(questions.empty());
}

TEST_F(ProjectWindowTest, ChangedRoomsAskBeforeTheKeptSheetIsReplaced)
{
    makeSomeWork();
    const rq::KeptSheet kept = *window->currentProject().halfPackage;
    addRoom("书房", "3000*3000*2800");
    const rq::KeptSheet fresh = rq::BuildKeptSheet(window->currentProject(), rq::Package::Half);
    // The edit of makeSomeWork made by hand on the fresh sheet: the new room comes last.
    rq::QuoteSheet freshEdited = fresh.quote.sheet;
    const rq::ItemFields edited = rq::FieldsOfRow(kept.quote.sheet, 2);
    ASSERT_FALSE(rq::TryModifyRow(freshEdited, fresh.quote.caption, 2, edited, window->prices()).refusal);
    ASSERT_NE(freshEdited, fresh.quote.sheet);
    struct Case {
        const char* answer;
        bool opens;
        rq::QuoteSheet shown;
    };
    const Case cases[] = { { "取消", false, {} }, { "打开原来的报价单", true, kept.quote.sheet },
        { "重新计算并保留修改", true, freshEdited }, { "重新计算", true, fresh.quote.sheet } };
    for (const Case& c : cases) {
        answers = { QString::fromUtf8(c.answer) };
        questions.clear();
        rq::QuoteSheet shown;
        if (c.opens) {
            inQuoteSheet("按钮5", [&](rq::QuoteSheetWindow& sheet) { shown = sheet.sheet(); });
        } else {
            click("按钮5");
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
        ASSERT_EQ(questions.size(), 1u) << c.answer;
        EXPECT_TRUE(questions[0].text.contains(QStringLiteral("原报价单及其中的修改将被丢弃")));
        EXPECT_TRUE(questions[0].buttons.contains(QStringLiteral("重新计算并保留修改")));
        EXPECT_EQ(shown, c.shown) << c.answer;
        EXPECT_TRUE(messages.empty()) << "no edit was lost";
        if (QByteArray(c.answer) == "重新计算并保留修改") {
            EXPECT_EQ(window->currentProject().halfPackage->edits.size(), 1u);
            // One step in the history: undone, the kept sheet and its edits are back.
            window->session().history().undo();
            EXPECT_EQ(window->currentProject().halfPackage, kept);
        }
    }
    EXPECT_EQ(window->currentProject().halfPackage->builtFrom.rooms.size(), 3u);
}

// The unsaved mark follows the history: undoing back to the saved project clears it, and the
// quit question with it; redoing sets it again. The 编辑 menu names what it takes back.
TEST_F(ProjectWindowTest, UndoingBackToTheSavedStateClearsTheUnsavedMark)
{
    addRoom("客厅", "4500*3600*2800");
    chosenFile = path("undo.renoquote");
    ASSERT_TRUE(window->session().save());
    addRoom("卫生间", "2000*1800*2600");
    ASSERT_TRUE(window->isWindowModified());
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    for (QAction* action : window->menuBar()->findChildren<QAction*>()) {
        if (action->shortcut() == QKeySequence(QKeySequence::Undo))
            undo = action;
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
            redo = action;
    }
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_EQ(undo->text(), QStringLiteral("撤销 添加房间"));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    undo->trigger();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->rooms().rooms().size(), 1u);
    EXPECT_TRUE(window->session().maySetAside());
    EXPECT_TRUE(questions.empty()) << "nothing unsaved to ask about";
    redo->trigger();
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->rooms().rooms().size(), 2u);
    // A sheet edit is in the same history, and is taken back after its window closed.
    inQuoteSheet("按钮5", [](rq::QuoteSheetWindow& sheet) { modifyRow(sheet, 2, "8.96"); });
    const rq::Project edited = window->currentProject();
    undo->trigger();
    EXPECT_NE(window->currentProject().halfPackage, edited.halfPackage);
    redo->trigger();
    EXPECT_EQ(window->currentProject().halfPackage, edited.halfPackage);
}

TEST_F(ProjectWindowTest, ABookChosenSinceIsOfferedWhenTheSheetIsOpenedAgain)
{
    const rq::PriceBookShelf shelf(path(QStringLiteral("prices")).toStdString());
    window->setPriceBookShelf(shelf);
    makeSomeWork();
    const rq::KeptSheet kept = *window->currentProject().halfPackage;
    rq::PriceBook dearer = rq::BuiltInPriceBook();
    dearer.setName("涨价后");
    ASSERT_FALSE(rq::AdjustPrices(dearer, "", 1000, rq::PriceRounding::WholeYuan).problem);
    ASSERT_FALSE(shelf.Save(dearer));
    ASSERT_FALSE(shelf.Choose(dearer.name()));

    answers = { QStringLiteral("打开原来的报价单") };
    rq::QuoteSheet shown;
    inQuoteSheet("按钮5", [&](rq::QuoteSheetWindow& sheet) { shown = sheet.sheet(); });
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].text.contains(QStringLiteral("“涨价后”"))) << questions[0].text.toStdString();
    EXPECT_EQ(shown, kept.quote.sheet);
    EXPECT_EQ(window->prices().name(), rq::kBuiltInBookName);

    answers = { QStringLiteral("重新计算") };
    inQuoteSheet("按钮5", [&](rq::QuoteSheetWindow& sheet) { shown = sheet.sheet(); });
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(window->prices(), dearer);
    EXPECT_EQ(window->currentProject().prices, dearer) << "the project keeps the book it was priced with";
    EXPECT_EQ(shown, rq::BuildKeptSheet(window->currentProject(), rq::Package::Half).quote.sheet);
    EXPECT_NE(shown, kept.quote.sheet);
    // Undo takes the sheet and its prices back together.
    window->session().history().undo();
    EXPECT_EQ(window->prices().name(), rq::kBuiltInBookName);
    EXPECT_EQ(window->currentProject().halfPackage->quote.sheet, kept.quote.sheet);
}

TEST_F(ProjectWindowTest, UnsavedChangesAskSaveDiscardOrCancel)
{
    chosenFile = path(QStringLiteral("p.renoquote"));
    click("按钮2");
    addRoom("客厅", "4500*3600*2800");
    ASSERT_TRUE(window->isWindowModified());

    answers = { QStringLiteral("取消") };
    EXPECT_FALSE(window->session().newProject());
    EXPECT_EQ(window->rooms().rowCount(), 1) << "cancel keeps the work";
    window->close();
    EXPECT_TRUE(window->isVisible()) << "and the window";
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].buttons, (QStringList { "保存", "不保存", "取消" }));
    EXPECT_EQ(questions[0].text, QStringLiteral("项目“未命名”有尚未保存的修改。要保存吗？"));

    answers = { QStringLiteral("保存") };
    EXPECT_TRUE(window->session().newProject());
    EXPECT_EQ(readProject(chosenFile).rooms.size(), 1u) << "saved before the new project";
    EXPECT_EQ(window->rooms().rowCount(), 0);

    addRoom("客厅", "4500*3600*2800");
    answers = { QStringLiteral("不保存") };
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readProject(chosenFile).rooms.size(), 1u);
}

TEST_F(ProjectWindowTest, RefusedOrFailedFilesLeaveTheWorkAsItWas)
{
    click("按钮2");
    addRoom("客厅", "4500*3600*2800");
    const rq::Project work = window->currentProject();
    const QString bad = path(QStringLiteral("bad.renoquote"));
    std::ofstream(bad.toStdString()) << "{\"format\": \"renoquote-project\", \"version\": 7}";
    EXPECT_FALSE(window->session().open(bad));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("新版本"))) << messages[0].toStdString();
    EXPECT_EQ(window->currentProject(), work);
    EXPECT_TRUE(window->isWindowModified());

    chosenFile = path(QStringLiteral("没有的文件夹/p.renoquote"));
    EXPECT_FALSE(window->session().saveAs());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].contains(QStringLiteral("文件夹不存在")));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->session().filePath().isEmpty());
}

TEST_F(ProjectWindowTest, NameGivenItsSuffixAsksBeforeReplacingThatFile)
{
    // The file dialog asked about "家", which does not exist; the file written is 家.renoquote.
    const QString earlier = path(QStringLiteral("家.renoquote"));
    click("按钮2");
    addRoom("客厅", "4500*3600*2800");
    for (const char* answer : { "取消", "替换" }) {
        std::ofstream(earlier.toStdString()) << "earlier work";
        answers = { QString::fromUtf8(answer) };
        questions.clear();
        chosenFile = path(QStringLiteral("家"));
        const bool replaced = answer == std::string("替换");
        EXPECT_EQ(window->session().saveAs(), replaced) << answer;
        ASSERT_EQ(questions.size(), 1u) << answer;
        EXPECT_TRUE(questions[0].text.contains(QStringLiteral("“家.renoquote”已存在"))) << questions[0].text.toStdString();
        const auto bytes = rq::ReadWholeFile(earlier.toStdString(), rq::kMaxProjectFileBytes).value;
        EXPECT_EQ(bytes == "earlier work", !replaced) << answer;
    }
}

TEST_F(ProjectWindowTest, CtrlSInTheQuoteSheetSavesTheProjectWithItsEdits)
{
    chosenFile = path(QStringLiteral("p.renoquote"));
    click("按钮2");
    addRoom("客厅", "4500*3600*2800");
    inQuoteSheet("按钮5", [](rq::QuoteSheetWindow& sheet) {
        modifyRow(sheet, 2, "8.96");
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    });
    const rq::Project saved = readProject(chosenFile);
    ASSERT_TRUE(saved.halfPackage);
    EXPECT_EQ(saved.halfPackage->quote.sheet.GetCell(2, rq::kQuantity), "8.96");
}

TEST_F(ProjectWindowTest, RecentProjectsKeepTheLastFiveNewestFirst)
{
    for (int i = 1; i <= 7; ++i) {
        chosenFile = path(QStringLiteral("p%1.renoquote").arg(i));
        ASSERT_TRUE(window->session().saveAs());
    }
    ASSERT_TRUE(window->session().open(path(QStringLiteral("p4.renoquote"))));
    const QStringList expected = { path("p4.renoquote"), path("p7.renoquote"), path("p6.renoquote"),
        path("p5.renoquote"), path("p3.renoquote") };
    EXPECT_EQ(window->session().recentProjects(), expected);
    EXPECT_EQ(makeWindow()->session().recentProjects(), expected) << "kept for the next start";
}

// The command line and the window read and write the same files.
TEST_F(ProjectWindowTest, CliProjectsOpenInTheWindowAndTheReverse)
{
    const QString rooms = path(QStringLiteral("rooms.txt"));
    std::ofstream(rooms.toStdString()) << "客厅\t4500*3600*2800\t1500*1500\t(无)\t0\t4\n";
    const QString edits = path(QStringLiteral("edits.txt"));
    std::ofstream(edits.toStdString()) << "add\t包水管\t2\t98\n";
    const auto cli = [](const QStringList& args) {
        QProcess run;
        run.start(QStringLiteral(RENOQUOTE_CLI_PATH), args);
        EXPECT_TRUE(run.waitForFinished(-1));
        EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        return run.readAllStandardOutput();
    };
    const QString fromCli = path(QStringLiteral("cli.renoquote"));
    const QByteArray printed
        = cli({ "quote", "--package", "full", "--edits", edits, "--save-project", fromCli, rooms });

    ASSERT_TRUE(window->session().open(fromCli));
    rq::QuoteSheet shown;
    inQuoteSheet("按钮6", [&](rq::QuoteSheetWindow& sheet) { shown = sheet.sheet(); });
    EXPECT_EQ(shown, readProject(fromCli).fullPackage->quote.sheet);
    EXPECT_TRUE(questions.empty()) << "rooms and choices are those the sheet was built from";

    const QString fromWindow = path(QStringLiteral("window.renoquote"));
    chosenFile = fromWindow;
    ASSERT_TRUE(window->session().saveAs());
    EXPECT_EQ(cli({ "quote", "--project", fromWindow, "--package", "full" }), printed);
}

// Two windows on one project: the second is told when it opens it, a save over the other's
// work asks first, and coming back to a window offers the file as it is now.
TEST_F(ProjectWindowTest, TwoWindowsOnOneProjectDoNotOverwriteEachOther)
{
    click("按钮2");
    addRoom("卧室", "4000*3500*2800");
    chosenFile = path(QStringLiteral("家.renoquote"));
    ASSERT_TRUE(window->session().saveAs());

    std::unique_ptr<rq::MainWindow> second = makeWindow();
    answers = { QStringLiteral("仍然打开") };
    ASSERT_TRUE(second->session().open(chosenFile));
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].text.contains(QStringLiteral("另一个"))) << questions[0].text.toStdString();

    addRoom("书房", "3000*3000*2800"); // the first window's rooms, saved
    ASSERT_TRUE(window->session().save());
    const rq::Project firsts = readProject(chosenFile);

    // The second window, unchanged or not, must not put its stale copy over them.
    questions.clear();
    answers = { QStringLiteral("取消") };
    EXPECT_FALSE(second->session().save());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].buttons, (QStringList { QStringLiteral("覆盖"), QStringLiteral("另存为…"), QStringLiteral("取消") }));
    EXPECT_EQ(readProject(chosenFile), firsts);
    // Coming back to it: reopened, it shows the first window's rooms and saves without a word.
    answers = { QStringLiteral("重新打开") };
    second->session().offerReopenIfChanged();
    EXPECT_EQ(second->currentProject(), firsts);
    second->findChild<QRadioButton*>(QStringLiteral("单选框2"))->setChecked(true);
    questions.clear();
    EXPECT_TRUE(second->session().save());
    EXPECT_TRUE(questions.empty());
    // Now the first window is the stale one: coming back offers the file, and keeping the
    // window's content, its save still asks.
    answers = { QStringLiteral("保留窗口中的内容"), QStringLiteral("覆盖") };
    window->session().offerReopenIfChanged();
    EXPECT_TRUE(window->session().save());
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(readProject(chosenFile), firsts);

    // Read-only: the title says so, and 保存 offers another file instead.
    answers = { QStringLiteral("只读打开"), QStringLiteral("取消") };
    std::unique_ptr<rq::MainWindow> third = makeWindow();
    ASSERT_TRUE(third->session().open(chosenFile));
    EXPECT_TRUE(third->session().displayName().contains(QStringLiteral("只读")));
    EXPECT_FALSE(third->session().save());
    EXPECT_TRUE(questions.back().buttons.contains(QStringLiteral("另存为…")));

    // The lock goes with the window that held it.
    window.reset();
    questions.clear();
    ASSERT_TRUE(makeWindow()->session().open(chosenFile));
    EXPECT_TRUE(questions.empty());
}

// What a kill leaves behind: the copy a program that is gone wrote, offered at the next start.
TEST_F(ProjectWindowTest, WorkOfAKilledProgramIsOfferedBack)
{
    click("按钮2");
    addRoom("卧室", "4000*3500*2800");
    chosenFile = path(QStringLiteral("家.renoquote"));
    ASSERT_TRUE(window->session().saveAs());
    addRoom("书房", "3000*3000*2800");
    const rq::Project unsaved = window->currentProject();
    // The copy is written once the autosave timer fires, however late a busy machine runs it.
    while (!QFile::exists(window->session().autosave().file()))
        QTest::qWait(rq::Autosave::kDelayMs);

    // The copy as a program that was killed leaves it: under the number of a process that
    // is no longer running.
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted(-1));
    const long gonePid = static_cast<long>(gone.processId());
    ASSERT_TRUE(gone.waitForFinished(-1));
    const QString copy = window->session().autosave().file();
    const QString left = QFileInfo(copy).dir().filePath(QString::fromStdString(rq::RecoveryFileName(gonePid)));
    const QString source = QString(copy).replace(QStringLiteral(".renoquote"), QStringLiteral(".source"));
    ASSERT_TRUE(QFile::copy(copy, left));
    ASSERT_TRUE(QFile::copy(source, QString(left).replace(QStringLiteral(".renoquote"), QStringLiteral(".source"))));

    // Put off (as Esc does), the copy stays for the next start.
    answers = { QStringLiteral("以后再说") };
    makeWindow()->session().offerRecovery();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(QFile::exists(left));
    // Opening its project reminds of it; put off again, the saved project opens (beside
    // the first window, which still has it open).
    answers = { QStringLiteral("仍然打开"), QStringLiteral("以后再说") };
    std::unique_ptr<rq::MainWindow> opener = makeWindow();
    ASSERT_TRUE(opener->session().open(chosenFile));
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_TRUE(questions[2].text.contains(QStringLiteral("未保存"))) << questions[2].text.toStdString();
    EXPECT_NE(opener->currentProject(), unsaved);
    EXPECT_TRUE(QFile::exists(left));

    questions.clear();
    answers = { QStringLiteral("恢复") };
    std::unique_ptr<rq::MainWindow> next = makeWindow();
    next->session().offerRecovery();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].text.contains(QStringLiteral("家.renoquote"))) << questions[0].text.toStdString();
    EXPECT_EQ(next->currentProject(), unsaved);
    EXPECT_TRUE(next->isWindowModified()) << "restored work is not saved yet";
    EXPECT_EQ(next->session().filePath(), chosenFile) << "and saves back to its file";
    EXPECT_FALSE(QFile::exists(left));

    // A copy that holds just what the saved file holds is no unsaved work.
    ASSERT_TRUE(QFile::copy(chosenFile, left));
    std::ofstream(QString(left).replace(QStringLiteral(".renoquote"), QStringLiteral(".source")).toStdString())
        << chosenFile.toStdString();
    questions.clear();
    makeWindow()->session().offerRecovery();
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(QFile::exists(left));

    // A clean end removes the program's own copy.
    answers = { QStringLiteral("不保存") };
    window->close();
    EXPECT_FALSE(QFile::exists(copy));
}

// Two windows killed with unsaved work: both copies are offered, the second restored into
// a window of its own, and neither goes before its work is safe.
TEST_F(ProjectWindowTest, EveryKilledWindowsWorkIsOffered)
{
    click("按钮2");
    const QString copy = window->session().autosave().file();
    QStringList left;
    for (const char* room : { "卧室", "书房" }) {
        addRoom(room, "3000*3000*2800");
        ASSERT_TRUE(window->session().autosave().writeNow());
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        ASSERT_TRUE(gone.waitForStarted(-1));
        const long gonePid = static_cast<long>(gone.processId());
        ASSERT_TRUE(gone.waitForFinished(-1));
        left << QFileInfo(copy).dir().filePath(QString::fromStdString(rq::RecoveryFileName(gonePid)));
        ASSERT_TRUE(QFile::copy(copy, left.back()));
        QFile made(left.back()); // the second written a minute after the first
        ASSERT_TRUE(made.open(QIODevice::ReadWrite));
        made.setFileTime(QDateTime::currentDateTime().addSecs(left.size() * 60 - 180), QFileDevice::FileModificationTime);
        ASSERT_TRUE(QFile::copy(QString(copy).replace(QStringLiteral(".renoquote"), QStringLiteral(".source")),
            QString(left.back()).replace(QStringLiteral(".renoquote"), QStringLiteral(".source"))));
    }
    answers = { QStringLiteral("不保存") };
    window->close(); // a clean end: only the two killed programs' copies are left

    QStringList openedElsewhere;
    std::unique_ptr<rq::MainWindow> next = makeWindow();
    next->session().setCopyOpener([&](const QString& file) {
        openedElsewhere << file;
        return true;
    });
    questions.clear();
    answers = { QStringLiteral("恢复"), QStringLiteral("恢复") };
    next->session().offerRecovery();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_TRUE(questions[1].text.contains(QStringLiteral("新窗口"))) << questions[1].text.toStdString();
    EXPECT_EQ(openedElsewhere, QStringList { left[0] });
    EXPECT_EQ(next->currentProject().rooms.size(), 2u) << "the newest copy comes into this window";
    // The other copy waits for its own window, which takes it without a question.
    EXPECT_TRUE(QFile::exists(openedElsewhere[0]));
    std::unique_ptr<rq::MainWindow> another = makeWindow();
    questions.clear();
    ASSERT_TRUE(another->session().restoreCopyFile(openedElsewhere[0]));
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(QFile::exists(openedElsewhere[0]));
    EXPECT_TRUE(another->isWindowModified());
    for (const QString& file : left)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
}

} // namespace
