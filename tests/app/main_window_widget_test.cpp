// The main window as the user meets it: start state, the detail toggle, room entry and the
// package buttons. Messages are caught instead of shown; no browser is ever started.
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenuBar>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QShortcut>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/room_list_model.h"
#include "forms/hyperlink_label.h"
#include "forms/spin_edit_box.h"
#include "online/online_links.h"
#include "sheet/quote_sheet_window.h"
#include "tests/widget_typing.h"
#include "ui/application_look.h"
#include "ui/message_box.h"

namespace {

struct Message {
    QString text;
    QMessageBox::Icon icon;
};

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        rq::applyApplicationLook();
        rq::setMessageSink([this](const QString& text, QMessageBox::Icon icon) { messages.push_back({text, icon}); });
        // A question no test expects would wait for a person: it fails and is cancelled.
        rq::setQuestionSink([](const QString& text, const QStringList& buttons) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return static_cast<int>(buttons.size()) - 1;
        });
        window = std::make_unique<rq::MainWindow>();
        window->setChatPicturesLoaded(false);
    }
    void TearDown() override
    {
        window.reset();
        rq::setMessageSink({});
        rq::setQuestionSink({});
    }

    template <typename T = QWidget>
    T* control(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name)
    {
        QWidget* w = control(name);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            return combo->currentText();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            return button->text();
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        return {};
    }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void setEdit(const char* name, const char* value) { control<QLineEdit>(name)->setText(QString::fromUtf8(value)); }
    void typeInCombo(const char* name, const char* value)
    {
        control<QComboBox>(name)->setEditText(QString::fromUtf8(value));
    }
    void chooseFromList(const char* name, const char* item)
    {
        auto* combo = control<QComboBox>(name);
        const int index = combo->findText(QString::fromUtf8(item));
        ASSERT_GE(index, 0) << item;
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
    // The catalogued area has the catalogue's size and sits right under the menu bar; the
    // window is that and the menu bar, nothing more.
    void expectCatalogueHeight(int height)
    {
        QWidget* area = window->catalogueArea();
        EXPECT_EQ(area->size(), QSize(624, height));
        EXPECT_EQ(area->mapTo(window.get(), QPoint(0, 0)), QPoint(0, window->menuBar()->height()));
        EXPECT_GT(window->menuBar()->height(), 10);
        EXPECT_EQ(window->size(), QSize(624, height + window->menuBar()->height()));
    }
    QTableView* list() { return control<QTableView>("超级列表框1"); }
    QStringList row(int r)
    {
        QStringList cells;
        for (int c = 0; c < list()->model()->columnCount(); ++c)
            cells << list()->model()->index(r, c).data().toString();
        return cells;
    }
    void pressOnRow(int r)
    {
        const QRect cell = list()->visualRect(list()->model()->index(r, 1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::vector<Message> messages;
    std::unique_ptr<rq::MainWindow> window;
};

const QStringList kInitialRow = {"客厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"};

TEST_F(MainWindowTest, StartsShortVisibleWithFocusOnTheEstimateAndItsInitialTexts)
{
    expectCatalogueHeight(180);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->focusWidget(), control("按钮1"));
    for (const char* name : {"外形框1", "编辑框5", "超级列表框1", "按钮5", "编辑框1"})
        EXPECT_FALSE(control(name)->isVisible()) << name << " belongs to the detailed area";
    EXPECT_FALSE(control<rq::SpinEditBox>("编辑框1")->spinner()->isVisible());
    EXPECT_TRUE(control<rq::SpinEditBox>("平方")->spinner()->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("汀湖装饰公司装修报价评估工具----青禾空间装饰 青禾改变生活"));
    const std::pair<const char*, const char*> initial[] = {
        {"室", "3"}, {"厅", "2"}, {"厨", "1"}, {"卫", "1"}, {"阳", "1"}, {"平方", "100"},
        {"组合框1", "舒适型装修"}, {"组合框2", "客厅"}, {"编辑框5", "3200*2800*2920"}, {"组合框3", "800*1500"},
        {"组合框4", "实木门"}, {"编辑框1", "1"}, {"组合框5", "4"}, {"按钮2", "详细报价>>"},
        {"标签17", "青禾空间装饰 青禾改变生活"}, {"标签1", " 输入几室几厅 实际面积 装修类型即可预算装修报价"},
    };
    for (const auto& [name, expected] : initial)
        EXPECT_EQ(text(name), QString::fromUtf8(expected)) << name;
    EXPECT_EQ(list()->model()->rowCount(), 0);
    EXPECT_TRUE(control<QRadioButton>("单选框1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("单选框2")->isChecked());
}

TEST_F(MainWindowTest, ListsAndSpinnersAreAsTheFormSays)
{
    for (const char* name : {"组合框1", "组合框2", "组合框3", "组合框4", "组合框5"})
        EXPECT_TRUE(control<QComboBox>(name)->isEditable()) << name;
    auto* doors = control<QComboBox>("组合框4");
    EXPECT_EQ(doors->count(), 10);
    EXPECT_EQ(doors->itemText(doors->count() - 1), QStringLiteral("(无)"));
    EXPECT_EQ(control<QComboBox>("组合框3")->itemText(0), QStringLiteral("0*0"));
    EXPECT_EQ(control<QComboBox>("组合框1")->itemText(3), QStringLiteral("精  装  修"));

    struct SpinCase {
        const char* name;
        double minimum, maximum;
        rq::SpinEditBox::CharacterFilter filter;
    };
    const SpinCase spins[] = {
        {"室", 0, 10, rq::SpinEditBox::WholeNumber}, {"阳", 0, 10, rq::SpinEditBox::WholeNumber},
        {"平方", 30, 5000, rq::SpinEditBox::Decimal}, {"编辑框1", 0, 10, rq::SpinEditBox::None},
    };
    for (const auto& s : spins) {
        auto* box = control<rq::SpinEditBox>(s.name);
        EXPECT_EQ(box->minimum(), s.minimum) << s.name;
        EXPECT_EQ(box->maximum(), s.maximum) << s.name;
        EXPECT_EQ(box->filter(), s.filter) << s.name;
    }
    const QStringList headings = {"房屋类型", "房间长宽高", "窗户长高", "门的类型", "门的扇数", "墙面数"};
    const int widths[] = { 120, 120, 120, 120, 72 }; // the last column takes what is left
    for (int c = 0; c < headings.size(); ++c) {
        EXPECT_EQ(list()->model()->headerData(c, Qt::Horizontal).toString(), headings[c]);
        if (c < static_cast<int>(std::size(widths))) {
            EXPECT_EQ(list()->columnWidth(c), widths[c]);
        }
    }
}

TEST_F(MainWindowTest, NoticeNamesTheSiteTheLinkOnItOpens)
{
    const QString site = control<rq::HyperlinkLabel>("超级链接框3")->text();
    EXPECT_EQ(site, rq::companySiteAddress()) << "as the contact and quote sheet windows write it";
    EXPECT_EQ(control<QLabel>("标签14")->text(),
              QStringLiteral("带“*”号的必填。\n因为没有牵涉到设计，所以本软件做出的报价仅供参考。本报价由汀南青禾空间装饰提供。"
                             "如果您需要做出具体的设计、以及报价，请登陆官方网址  ")
                  + site + QStringLiteral("  或点击上面的在线客服。"));
    EXPECT_TRUE(control<rq::HyperlinkLabel>("超级链接框3")->target().contains(site));
    EXPECT_FALSE(control<rq::HyperlinkLabel>("超级链接框4")->target().isEmpty());
    EXPECT_FALSE(control<rq::HyperlinkLabel>("超级链接框5")->target().isEmpty());
    // These two open windows of the program, not pages.
    EXPECT_TRUE(control<rq::HyperlinkLabel>("超级链接框1")->target().isEmpty());
    EXPECT_TRUE(control<rq::HyperlinkLabel>("超级链接框2")->target().isEmpty());
}

// Width and height the text needs in its box; a caption cut off is a fault of the window.
TEST_F(MainWindowTest, EveryCaptionFitsItsBox)
{
    click("按钮2");
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        const int flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = metrics.boundingRect(room, flags, label->text());
        EXPECT_LE(needed.width(), room.width()) << label->objectName().toStdString();
        EXPECT_LE(metrics.height(), room.height()) << label->objectName().toStdString();
        if (label->wordWrap()) {
            EXPECT_LE(needed.height(), room.height()) << label->objectName().toStdString();
        }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty())
            continue;
        const QFontMetrics metrics(button->font());
        // Radio buttons need room for their indicator; push buttons for their frame.
        const int extra = qobject_cast<QRadioButton*>(button) ? 20 : 6;
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + extra, button->width())
            << button->objectName().toStdString();
        EXPECT_LE(metrics.height(), button->height()) << button->objectName().toStdString();
    }
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        // The edit part of a combo box is what is left beside the arrow button.
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = true;
        const QRect edit = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        for (int item = 0; item < combo->count(); ++item) {
            // The named room types after the catalogued ones are read in the opened list.
            const bool named = combo->objectName() == QStringLiteral("组合框2") && item >= 7;
            EXPECT_LE(QFontMetrics(combo->font()).horizontalAdvance(combo->itemText(item)),
                      named ? combo->view()->minimumWidth() : edit.width())
                << combo->objectName().toStdString() << " " << combo->itemText(item).toStdString();
        }
    }
    auto* group = control<QGroupBox>("分组框1");
    EXPECT_LE(QFontMetrics(group->font()).horizontalAdvance(group->title()) + 16, group->width());
}

TEST_F(MainWindowTest, DetailToggleGrowsAndShrinksAndGreysOutTheQuickEstimate)
{
    const char* quick[] = {"按钮1", "室", "厅", "厨", "卫", "阳", "平方"};
    struct Step {
        int height;
        bool quickEnabled;
        const char* caption;
    };
    const Step steps[] = {{469, false, "估算报价<<"}, {185, true, "详细报价>>"}, {469, false, "估算报价<<"}};
    setEdit("编辑框5", "4000*3000*2800");
    for (const auto& step : steps) {
        click("按钮2");
        expectCatalogueHeight(step.height);
        for (const char* name : quick)
            EXPECT_EQ(control(name)->isEnabled(), step.quickEnabled) << name;
        EXPECT_TRUE(control("组合框1")->isEnabled()) << "the grade serves the detailed quote too";
        EXPECT_EQ(text("按钮2"), QString::fromUtf8(step.caption));
        EXPECT_EQ(text("编辑框5"), QStringLiteral("4000*3000*2800"));
        for (const char* name : {"外形框1", "组合框2", "超级列表框1", "分组框1", "按钮6"})
            EXPECT_EQ(control(name)->isVisible(), !step.quickEnabled) << name;
        EXPECT_EQ(control<rq::SpinEditBox>("编辑框1")->spinner()->isVisible(), !step.quickEnabled);
    }
    EXPECT_FALSE(control<rq::SpinEditBox>("室")->spinner()->isEnabled());
}

TEST_F(MainWindowTest, AddingTheInitialTextsTwiceGivesTwoIdenticalRows)
{
    click("按钮2");
    click("按钮4");
    click("按钮4");
    ASSERT_EQ(list()->model()->rowCount(), 2);
    EXPECT_EQ(row(0), kInitialRow);
    EXPECT_EQ(row(1), kInitialRow);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(text("编辑框5"), QStringLiteral("3200*2800*2920")) << "fields keep their texts";
}

struct AddCheckCase {
    const char* size;
    const char* window;
    const char* message;  // nullptr: added
};

TEST_F(MainWindowTest, AddCheckToldInTheMessageBoxSizeBeforeWindow)
{
    click("按钮2");
    const AddCheckCase cases[] = {
        {"3200*2800", "800*1500", "您输入的房子内容格式不正确\r\n正确格式为   长*宽*高"},
        {"3200*2800*2920", "800", "您输入的窗子内容格式不正确\r\n正确格式为   长*高"},
        {"3200*2800", "800", "您输入的房子内容格式不正确\r\n正确格式为   长*宽*高"},
        {"", "0*0", "您输入的房子内容格式不正确\r\n正确格式为   长*宽*高"},
        {"3200*2800*2920*", "自定义*1500", nullptr},
    };
    int rows = 0;
    for (const auto& c : cases) {
        messages.clear();
        setEdit("编辑框5", c.size);
        typeInCombo("组合框3", c.window);
        click("按钮4");
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u) << c.size << " / " << c.window;
            EXPECT_EQ(messages[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(messages[0].icon, QMessageBox::Information);
        } else {
            EXPECT_TRUE(messages.empty());
            ++rows;
        }
        EXPECT_EQ(list()->model()->rowCount(), rows);
        EXPECT_EQ(text("编辑框5"), QString::fromUtf8(c.size)) << "the user corrects the text, not retypes it";
    }
}

// The boxes keep what the user typed: no completion to a list item when the box is left,
// so the add check sees the window text as typed.
TEST_F(MainWindowTest, EditableBoxesKeepTheTextAsTyped)
{
    click("按钮2");
    QApplication::setActiveWindow(window.get());
    const struct {
        const char* box;
        const char* typed;
        bool add; // leave the box by pressing "添加" rather than by going to the room size
    } cases[] = { { "组合框3", "1200", false }, { "组合框2", "卫", false }, { "组合框4", "实木", false },
        { "组合框3", "800", true } };
    for (const auto& c : cases) {
        auto* box = control<QComboBox>(c.box);
        box->setFocus();
        box->lineEdit()->selectAll();
        rq::typeKeys(box, QString::fromUtf8(c.typed));
        if (c.add)
            click("按钮4");
        else
            control("编辑框5")->setFocus();
        EXPECT_EQ(box->currentText(), QString::fromUtf8(c.typed)) << c.box;
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("您输入的窗子内容格式不正确\r\n正确格式为   长*高"));
    EXPECT_EQ(list()->model()->rowCount(), 0);
}

// Moving the selection with the keys shows the newly selected room, so "修改" writes the
// fields the user sees over the row the user sees selected, never another row's texts.
TEST_F(MainWindowTest, FieldsFollowTheSelectionSoModifyRewritesWhatIsShown)
{
    click("按钮2");
    const QStringList bedroom = { "卧室", "4000*3000*2800", "800*1500", "实木门", "1", "4" };
    click("按钮4");
    typeInCombo("组合框2", "卧室");
    setEdit("编辑框5", "4000*3000*2800");
    click("按钮4");
    pressOnRow(0);
    const struct {
        Qt::Key key;
        const QStringList& shown;
    } moves[] = { { Qt::Key_Down, bedroom }, { Qt::Key_Up, kInitialRow }, { Qt::Key_Down, bedroom } };
    for (const auto& move : moves) {
        QTest::keyClick(list(), move.key);
        EXPECT_EQ(text("组合框2"), move.shown[0]);
        EXPECT_EQ(text("编辑框5"), move.shown[1]);
    }
    click("按钮8");
    EXPECT_EQ(row(0), kInitialRow);
    EXPECT_EQ(row(1), bedroom);
}

TEST_F(MainWindowTest, RoomWithoutDoorIsAddedWithNoLeaves)
{
    click("按钮2");
    setEdit("编辑框1", "3");
    typeInCombo("组合框4", "(无)");
    click("按钮4");
    ASSERT_EQ(list()->model()->rowCount(), 1);
    EXPECT_EQ(row(0)[3], QStringLiteral("(无)"));
    EXPECT_EQ(row(0)[4], QStringLiteral("0"));
    EXPECT_EQ(text("编辑框1"), QStringLiteral("0"));
    EXPECT_EQ(text("组合框4"), QStringLiteral("(无)"));
}

// Sizes typed in metres: the answer decides what is added (or changed), and the fields
// show what was stored.
TEST_F(MainWindowTest, SizesInMetresAreAskedAboutBeforeAddOrModify)
{
    click("按钮2");
    int answer = 0;
    QStringList asked;
    rq::setQuestionSink([&](const QString& text, const QStringList& buttons) {
        asked.push_back(text);
        EXPECT_EQ(buttons, QStringList({"改为毫米", "按原样", "取消"}));
        return answer;
    });
    const struct {
        int answer;
        int rows;
        const char* stored;
    } cases[] = {{2, 0, nullptr}, {1, 1, "4.5*3.6*2.8"}, {0, 2, "4500*3600*2800"}};
    for (const auto& c : cases) {
        answer = c.answer;
        setEdit("编辑框5", "4.5*3.6*2.8");
        click("按钮4");
        ASSERT_EQ(list()->model()->rowCount(), c.rows) << c.answer;
        if (c.stored) {
            EXPECT_EQ(row(c.rows - 1)[1], QString::fromUtf8(c.stored));
            EXPECT_EQ(text("编辑框5"), QString::fromUtf8(c.stored));
        }
    }
    EXPECT_TRUE(asked.back().contains(QStringLiteral("改为 4500*3600*2800？"))) << asked.back().toStdString();
    pressOnRow(0);
    setEdit("编辑框5", "4*3*2.6");
    click("按钮8");
    EXPECT_EQ(row(0)[1], QStringLiteral("4000*3000*2600")) << "修改 asks as 添加 does";
    EXPECT_EQ(asked.size(), 4u);
}

// 主卧 is no type the company prices: 添加 asks which one (卧室 offered first), keeps the
// choice with the name, or the bare name, or nothing.
TEST_F(MainWindowTest, RoomNamedOtherwiseIsAskedWhichTypeItIsPricedAs)
{
    click("按钮2");
    int answer = 0;
    std::vector<QStringList> offered;
    rq::setQuestionSink([&](const QString&, const QStringList& buttons) {
        offered.push_back(buttons);
        return answer;
    });
    const struct {
        int answer;
        int rows;
        const char* stored;
    } cases[] = {{8, 0, nullptr}, {7, 1, "主卧"}, {3, 2, "卧室（主卧）"}};
    for (const auto& c : cases) {
        answer = c.answer;
        typeInCombo("组合框2", "主卧");
        click("按钮4");
        ASSERT_EQ(list()->model()->rowCount(), c.rows) << c.answer;
        if (c.stored) {
            EXPECT_EQ(row(c.rows - 1)[0], QString::fromUtf8(c.stored));
        }
    }
    EXPECT_EQ(offered.front(), QStringList({"客厅", "餐厅", "厨房", "卧室", "卫生间", "书房", "阳台", "按原样", "取消"}));
    typeInCombo("组合框2", "卫生间（客卫）");
    click("按钮4");
    EXPECT_EQ(offered.size(), 3u) << "a named room of a priced type is not asked about";
    EXPECT_GE(control<QComboBox>("组合框2")->findText(QStringLiteral("卧室（主卧）")), 0);
}

TEST_F(MainWindowTest, ChosenDoorTypeSetsTheLeavesAndStays)
{
    click("按钮2");
    const std::pair<const char*, const char*> choices[] = {
        {"(无)", "0"}, {"移门", "1"}, {"(无)", "0"}, {"折叠门", "1"}, {"实木门", "1"},
    };
    for (const auto& [door, leaves] : choices) {
        chooseFromList("组合框4", door);
        EXPECT_EQ(text("编辑框1"), QString::fromUtf8(leaves)) << door;
        EXPECT_EQ(text("组合框4"), QString::fromUtf8(door));
    }
}

TEST_F(MainWindowTest, LeavesSwitchTheDoorOnlyBetweenNoneAndSomeAndAMinusBecomesNoDoor)
{
    click("按钮2");
    struct LeafCase {
        const char* start;
        const char* entered;
        bool typed;  // typed key by key, else pasted as a whole
        const char* leaves;
        const char* door;
    };
    const LeafCase cases[] = {
        {"推拉门", "0", true, "0", "(无)"},   {"推拉门", "2", true, "2", "推拉门"}, {"移门", "-1", false, "0", "(无)"},
        {"移门", "-", true, "0", "(无)"},     {"塑钢门", "12", true, "12", "塑钢门"}, {"(无)", "2", true, "2", "实木门"},
        {"移门", "", false, "", "移门"},
    };
    for (const auto& c : cases) {
        chooseFromList("组合框4", c.start);
        auto* leaves = control<QLineEdit>("编辑框1");
        if (c.typed) {
            leaves->clear();
            QTest::keyClicks(leaves, QString::fromUtf8(c.entered));
        } else {
            leaves->setText(QString::fromUtf8(c.entered));
        }
        EXPECT_EQ(text("编辑框1"), QString::fromUtf8(c.leaves)) << c.entered;
        EXPECT_EQ(text("组合框4"), QString::fromUtf8(c.door)) << c.entered;
    }
}

TEST_F(MainWindowTest, ModifyAndDeleteNeedASelectedRow)
{
    click("按钮2");
    click("按钮4");
    typeInCombo("组合框2", "卧室");
    click("按钮4");
    typeInCombo("组合框2", "书房");
    setEdit("编辑框5", "3200*2800");

    click("按钮8");
    click("按钮7");
    EXPECT_EQ(list()->model()->rowCount(), 2) << "nothing selected: nothing changes";
    EXPECT_EQ(row(0)[0], QStringLiteral("客厅"));
    EXPECT_EQ(row(1)[0], QStringLiteral("卧室"));

    list()->selectRow(0);
    EXPECT_EQ(window->rooms().selectedRow(), 0);
    typeInCombo("组合框2", "书房"); // over the selected room's texts the selection brought up
    setEdit("编辑框5", "3200*2800");
    click("按钮8");
    EXPECT_EQ(row(0)[0], QStringLiteral("书房"));
    EXPECT_EQ(row(0)[1], QStringLiteral("3200*2800")) << "modify stores the size unchecked";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->focusWidget(), list());

    list()->selectRow(1);
    EXPECT_EQ(window->rooms().selectedRow(), 1);
    click("按钮7");
    ASSERT_EQ(list()->model()->rowCount(), 1);
    EXPECT_EQ(row(0)[0], QStringLiteral("书房"));
    click("按钮7");
    EXPECT_EQ(list()->model()->rowCount(), 1) << "the deleted row's neighbour is not selected";
}

TEST_F(MainWindowTest, PressingARowShowsThatRoomAsStored)
{
    click("按钮2");
    click("按钮4");
    typeInCombo("组合框2", "卧室");
    setEdit("编辑框5", "4000*3000*2800");
    chooseFromList("组合框3", "1200*1500");
    chooseFromList("组合框4", "移门");
    setEdit("编辑框1", "2");
    chooseFromList("组合框4", "移门");
    control<QLineEdit>("编辑框1")->setText(QStringLiteral("2"));
    typeInCombo("组合框4", "移门");
    chooseFromList("组合框5", "3");
    click("按钮4");
    ASSERT_EQ(row(1), (QStringList{"卧室", "4000*3000*2800", "1200*1500", "移门", "2", "3"}));

    pressOnRow(0);
    EXPECT_EQ(text("组合框2"), QStringLiteral("客厅"));
    EXPECT_EQ(text("编辑框5"), QStringLiteral("3200*2800*2920"));
    EXPECT_EQ(text("组合框4"), QStringLiteral("实木门"));
    pressOnRow(1);
    const std::pair<const char*, const char*> shown[] = {
        {"组合框2", "卧室"}, {"编辑框5", "4000*3000*2800"}, {"组合框3", "1200*1500"},
        {"组合框4", "移门"}, {"编辑框1", "2"},             {"组合框5", "3"},
    };
    for (const auto& [name, expected] : shown)
        EXPECT_EQ(text(name), QString::fromUtf8(expected)) << name;

    // A press below the rows selects nothing and leaves the fields as they are.
    setEdit("编辑框5", "1*2*3");
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, list()->viewport()->height() - 5));
    EXPECT_EQ(text("编辑框5"), QStringLiteral("1*2*3"));
}

TEST_F(MainWindowTest, PackageWithoutRoomsOpensNothing)
{
    click("按钮2");
    QSignalSpy refresh(window.get(), &rq::MainWindow::counterRefreshRequested);
    for (const char* button : {"按钮5", "按钮6"}) {
        messages.clear();
        click(button);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QStringLiteral("至少要添加1房间！"));
        EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    }
    EXPECT_EQ(refresh.count(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, PackageOpensTheQuoteSheetModallyThenAsksForTheCounter)
{
    click("按钮2");
    click("按钮4");
    QSignalSpy refresh(window.get(), &rq::MainWindow::counterRefreshRequested);
    const std::pair<const char*, const char*> packages[] = {
        {"按钮5", "半包装修详细报价"}, {"按钮6", "全包装修详细报价"}, {"按钮5", "半包装修详细报价"}};
    for (const auto& [button, caption] : packages) {
        QString seenTitle;
        bool seenModal = false;
        int sheetRows = 0;
        int refreshesWhileOpen = -1;
        QTimer::singleShot(0, window.get(), [&] {
            QWidget* sheet = QApplication::activeModalWidget();
            ASSERT_NE(sheet, nullptr);
            seenTitle = sheet->windowTitle();
            seenModal = sheet->isModal();
            if (auto* quote = qobject_cast<rq::QuoteSheetWindow*>(sheet))
                sheetRows = quote->sheet().RowCount();
            refreshesWhileOpen = static_cast<int>(refresh.count());
            sheet->close();
        });
        const int before = static_cast<int>(refresh.count());
        click(button);
        EXPECT_EQ(seenTitle, QString::fromUtf8(caption));
        EXPECT_TRUE(seenModal);
        EXPECT_GT(sheetRows, 3) << "the room's section, fees and total reach the window";
        EXPECT_EQ(refreshesWhileOpen, before) << "the counter waits for the sheet to close";
        EXPECT_EQ(refresh.count(), before + 1);
    }
    EXPECT_EQ(list()->model()->rowCount(), 1) << "the rooms stay for the next quote";
}

// A room typed a thousand times too large would put wrapped-round yuan on the sheet: the
// package start names the room and opens nothing, so the room can be corrected.
TEST_F(MainWindowTest, PackageWhoseAmountsLeaveTheRangeNamesTheRoomAndOpensNothing)
{
    click("按钮2");
    click("按钮4");
    setEdit("编辑框5", "4500000*3600000*2800");
    click("按钮4");
    ASSERT_EQ(list()->model()->rowCount(), 2);
    QSignalSpy refresh(window.get(), &rq::MainWindow::counterRefreshRequested);
    QPointer<QWidget> opened;
    QTimer::singleShot(0, window.get(), [&] {
        opened = QApplication::activeModalWidget();
        if (opened)
            opened->close();
    });
    messages.clear();
    click("按钮6");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QString::fromUtf8("金额超出范围：第2个房间「客厅」"))) << messages[0].text.toStdString();
    EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
    QApplication::processEvents();
    EXPECT_EQ(opened, nullptr) << "no quote sheet window";
    EXPECT_EQ(refresh.count(), 0);
    EXPECT_EQ(list()->model()->rowCount(), 2) << "the rooms stay, to be corrected";
}

TEST_F(MainWindowTest, ToolsContactAndVideoOpenBesideTheMainWindowOnceEach)
{
    using Side = rq::MainWindow::SideWindow;
    std::vector<QPointer<QWidget>> made;
    std::vector<Side> kinds;
    window->setSideWindowMaker([&](Side kind) {
        auto* side = new QDialog;
        made.emplace_back(side);
        kinds.push_back(kind);
        return side;
    });
    struct OpenCase {
        const char* control;
        Side kind;
    };
    const OpenCase cases[] = {{"按钮3", Side::Tools}, {"超级链接框1", Side::Contact}, {"超级链接框2", Side::Video}};
    for (const auto& c : cases) {
        for (int press = 0; press < 2; ++press) {
            if (auto* button = qobject_cast<QPushButton*>(control(c.control)))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                QTest::mousePress(control(c.control), Qt::LeftButton, {}, QPoint(3, 3));  // opens on the press
        }
        ASSERT_FALSE(made.empty());
        EXPECT_EQ(kinds.back(), c.kind) << c.control;
        QWidget* side = made.back();
        EXPECT_TRUE(side->isVisible()) << c.control;
        EXPECT_FALSE(side->isModal()) << c.control;
        EXPECT_EQ(side->parentWidget(), nullptr) << c.control;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_EQ(made.size(), 3u) << "a second press brings the open window forward";

    made[1]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(made[1].isNull()) << "a closed window is destroyed";
    QTest::mousePress(control("超级链接框1"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(made.size(), 4u) << "and the next press makes a new one";

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& side : made)
        EXPECT_TRUE(side.isNull()) << "closing the main window ends the others too";
}

// Keys for what the mouse does: Return in a room's fields adds the room, Return on a link
// follows it, and every button names its own key in its tooltip.
TEST_F(MainWindowTest, KeysDoWhatTheMouseDoes)
{
    window->setSideWindowMaker([](rq::MainWindow::SideWindow) { return new QDialog; });
    click("按钮2");
    int rows = 0;
    for (const char* name : {"组合框2", "编辑框5", "组合框3", "组合框4", "编辑框1", "组合框5"}) {
        QWidget* field = control(name);
        if (auto* box = qobject_cast<QComboBox*>(field))
            field = box->lineEdit();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(list()->model()->rowCount(), ++rows) << name;
    }
    QSet<QString> keys;
    for (const char* name : {"按钮1", "按钮2", "按钮3", "按钮4", "按钮5", "按钮6", "按钮7", "按钮8"}) {
        auto* button = control<QPushButton>(name);
        auto* shortcut = button->findChild<QShortcut*>();
        ASSERT_NE(shortcut, nullptr) << name;
        const QString key = shortcut->key().toString(QKeySequence::NativeText);
        EXPECT_FALSE(key.isEmpty()) << name;
        EXPECT_TRUE(button->toolTip().contains(key)) << name;
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 8) << "one key for each button";
    for (const char* name : {"超级链接框1", "超级链接框3"}) {
        auto* link = control<rq::HyperlinkLabel>(name);
        EXPECT_TRUE(link->focusPolicy() & Qt::TabFocus) << name;
        QSignalSpy released(link, &rq::HyperlinkLabel::released);
        link->setTarget({});  // nothing to open outside the test
        QTest::keyClick(link, Qt::Key_Return);
        EXPECT_EQ(released.count(), 1) << name;
    }
}

TEST(RoomListModel, PassesTheModelTesterThroughEdits)
{
    rq::RoomList rooms;
    rq::RoomListModel model(rooms);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    rq::RoomRecord entry{{"客厅", "3200*2800*2920", "800*1500", "实木门", "1", "4"}};
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(model.addRoom(entry));
    rq::RoomRecord refused = entry;
    refused.cells[rq::kRoomSize] = "1*2";
    EXPECT_TRUE(model.addRoom(refused));
    EXPECT_EQ(model.rowCount(), 3);
    rooms.selectRow(1);
    rq::RoomRecord bedroom{{"卧室", "1*2*3", "0*0", "(无)", "0", "2"}};
    EXPECT_TRUE(model.modifySelectedRoom(bedroom));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, 0));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(1, 5));
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("卧室"));
    EXPECT_TRUE(model.deleteSelectedRoom());
    EXPECT_FALSE(model.deleteSelectedRoom());
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("客厅"));
}

}  // namespace
