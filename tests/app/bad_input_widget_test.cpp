// Whatever a user types or pastes into any field of any window - ten thousand characters,
// control characters, right-to-left text, emoji - the program keeps running and shows back
// exactly what was typed wherever it stores it.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "estimate/result_window.h"
#include "forms/spin_edit_box.h"
#include "quote/engine.h"
#include "sheet/quote_sheet_window.h"
#include "ui/message_box.h"

namespace rq {
namespace {

const QStringList& nastyTexts()
{
    static const QStringList texts = {
        QString(10000, QLatin1Char('8')),
        QString(10000, QChar(0x5899)),                                // 墙 ten thousand times
        QStringLiteral("\x01\x02\x07\x1b[31m\x7f"),                  // control characters
        QString::fromUtf8("\xE2\x80\xAE" "مطبخ עברית"),              // right-to-left, with an override
        QString::fromUtf8("🏠🛁👍🏽"),                                // emoji outside the BMP
        QString::fromUtf8("\xE2\x80\x8B\xEF\xBB\xBF"),               // invisible zero-width characters
    };
    return texts;
}

template <typename T>
T* control(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Every place where the user can type: line edits and the edit field of editable combos.
QList<QLineEdit*> typingFields(QWidget* window) { return window->findChildren<QLineEdit*>(); }

// Closes whatever modal window a button opened, once it is up.
void closeModalSoon(QObject* context)
{
    QTimer::singleShot(0, context, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}

class BadInputTest : public testing::Test {
protected:
    void SetUp() override
    {
        setMessageSink([this](const QString& text, QMessageBox::Icon) { messages << text; });
    }
    void TearDown() override
    {
        setMessageSink({});
        setQuestionSink({});
    }
    QStringList messages;
};

TEST_F(BadInputTest, EveryMainWindowFieldTakesAnyText)
{
    MainWindow window;
    window.setChatPicturesLoaded(false);
    const auto fields = typingFields(&window);
    ASSERT_GE(fields.size(), 12);
    for (const QString& text : nastyTexts()) {
        for (QLineEdit* field : fields) {
            field->setText(text);
            QTest::keyClicks(field, QStringLiteral("x"));  // and keep typing after it
        }
        // The quick estimate gives a figure or a refusal, whatever the boxes hold.
        closeModalSoon(&window);
        control<QPushButton>(&window, "按钮1")->click();
        EXPECT_TRUE(control<QPushButton>(&window, "按钮1")->isEnabled());
    }
}

TEST_F(BadInputTest, RoomFieldsComeBackInTheListAsTyped)
{
    MainWindow window;
    window.setChatPicturesLoaded(false);
    // A text that is no room type is asked about: kept as typed.
    setQuestionSink([](const QString&, const QStringList& buttons) {
        return static_cast<int>(buttons.indexOf(QStringLiteral("按原样")));
    });
    control<QPushButton>(&window, "按钮2")->click();  // show the room entry
    for (const QString& text : nastyTexts()) {
        const QString size = text + QStringLiteral("*2800*2920");
        const QString windowSize = text + QStringLiteral("*1500");
        control<QComboBox>(&window, "组合框2")->setEditText(text);
        control<QLineEdit>(&window, "编辑框5")->setText(size);
        control<QComboBox>(&window, "组合框3")->setEditText(windowSize);
        control<QLineEdit>(&window, "编辑框1")->setText(text);  // door leaves: any text but "-" stays
        control<QComboBox>(&window, "组合框4")->setEditText(text);
        control<QComboBox>(&window, "组合框5")->setEditText(text);
        const int before = static_cast<int>(window.rooms().rooms().size());
        control<QPushButton>(&window, "按钮4")->click();
        if (text == nastyTexts().front()) {
            // Ten thousand digits of millimetres: no room is that long, and the add check says so.
            EXPECT_EQ(static_cast<int>(window.rooms().rooms().size()), before);
            EXPECT_TRUE(!messages.isEmpty() && messages.last().startsWith(QString::fromUtf8("您输入的房子长度太大")));
            continue;
        }
        ASSERT_EQ(static_cast<int>(window.rooms().rooms().size()), before + 1) << messages.join(QLatin1Char('\n')).toStdString();
        auto* list = control<QTableView>(&window, "超级列表框1");
        const QStringList expected = {text, size, windowSize, text, text, text};
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(list->model()->index(before, column).data().toString(), expected[column]) << column;
    }
    // And a quote of those rooms opens and closes without trouble.
    closeModalSoon(&window);
    control<QPushButton>(&window, "按钮6")->click();
}

TEST_F(BadInputTest, QuoteSheetFieldsComeBackInTheRowAsTyped)
{
    std::vector<RoomRecord> rooms = {{{"客厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"}}};
    QuoteSheetWindow window(BuildDetailedQuote(rooms, kComfortGrade, FloorChoice::Boards, kFullPackage), nullptr,
                            QuoteSheetWindow::ChatPicture::Skip);
    window.show();
    auto* view = control<QTableView>(&window, "超级列表框1");
    for (const QString& text : nastyTexts()) {
        view->selectRow(1);
        control<QLineEdit>(&window, "编辑框1")->setText(text);
        control<QLineEdit>(&window, "编辑框2")->setText(text);
        control<QLineEdit>(&window, "编辑框3")->setText(text);
        control<QLineEdit>(&window, "编辑框4")->setText(text);
        control<QPushButton>(&window, "按钮3")->click();  // 修改
        if (text == nastyTexts().front()) {
            // Ten thousand eights times ten thousand eights is no finite total: refused, the
            // row stays as it was.
            EXPECT_TRUE(!messages.isEmpty() && messages.last().startsWith(QString::fromUtf8("数量太大")));
            EXPECT_NE(view->model()->index(1, 1).data().toString(), text);
            continue;
        }
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(view->model()->index(1, column).data().toString(), text) << column;
        EXPECT_EQ(view->model()->index(1, 5).data().toString(), QStringLiteral("0"));
        const int last = view->model()->rowCount() - 1;
        EXPECT_EQ(view->model()->index(last, 1).data().toString(), QStringLiteral("全包总价格"));
    }
}

TEST_F(BadInputTest, AddedItemsShowTheTypedTexts)
{
    std::vector<RoomRecord> rooms = {{{"卧室", "3200*2800*2920", "800*1500", "实木门", "1", "4"}}};
    QuoteSheetWindow window(BuildDetailedQuote(rooms, kComfortGrade, FloorChoice::Boards, kHalfPackage), nullptr,
                            QuoteSheetWindow::ChatPicture::Skip);
    window.show();
    auto* view = control<QTableView>(&window, "超级列表框1");
    for (const QString& text : nastyTexts()) {
        bool added = false;
        QTimer::singleShot(0, &window, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || dialog == &window)
                return;
            for (const char* name : {"组合框1", "组合框2", "组合框3"})
                control<QComboBox>(dialog, name)->setEditText(text);
            control<QPushButton>(dialog, "按钮1")->click();
            added = true;
            // Ten thousand eights times ten thousand eights is no finite total: refused, and
            // the dialog stays open until the user gives up.
            if (dialog->isVisible())
                dialog->close();
        });
        control<QPushButton>(&window, "按钮2")->click();  // 添加项
        ASSERT_TRUE(added);
        if (text == nastyTexts().front()) {
            EXPECT_TRUE(!messages.isEmpty() && messages.last().startsWith(QString::fromUtf8("数量太大")));
            continue;
        }
        bool found = false;
        for (int row = 0; row < view->model()->rowCount() && !found; ++row)
            found = view->model()->index(row, 1).data().toString() == text
                && view->model()->index(row, 3).data().toString() == text
                && view->model()->index(row, 4).data().toString() == text;
        EXPECT_TRUE(found);
    }
}

TEST_F(BadInputTest, ResultWindowShowsAnyReport)
{
    for (const QString& text : nastyTexts()) {
        ResultWindow window(text.toStdString());
        window.show();
        QApplication::processEvents();
        QString shown;
        if (auto* edit = window.findChild<QPlainTextEdit*>())
            shown = edit->toPlainText();
        else if (auto* rich = window.findChild<QTextEdit*>())
            shown = rich->toPlainText();
        EXPECT_TRUE(shown.startsWith(text.left(100)));
    }
}

TEST_F(BadInputTest, SpinnersStepFromAnyText)
{
    SpinEditBox box;
    box.setRange(0, 10);
    for (const QString& text : nastyTexts()) {
        box.setText(text);
        box.stepBy(1);
        box.stepBy(-3);
        const double value = box.text().toDouble();
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 10);
    }
}

}  // namespace
}  // namespace rq
