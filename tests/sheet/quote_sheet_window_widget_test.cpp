// The quote sheet window as a user meets it: the sheet on screen, a click on a row, and
// "修改", "删除此项" and "添加项" changing what the table shows.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <vector>

#include "forms/hyperlink_label.h"
#include "online/contact_window.h"
#include "online/endpoints.h"
#include "online/online_links.h"
#include "quote/engine.h"
#include "sheet/add_item_dialog.h"
#include "sheet/quote_sheet_window.h"
#include "sheet/sheet_edits.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

// The two rooms of the company's sample half-package quote: a living room without a door
// and a kitchen with one sliding door, economy grade, tiled.
std::vector<RoomRecord> sampleRooms()
{
    return { RoomRecord { { "客厅", "4500*3600*2800", "1500*1500", "(无)", "0", "4" } },
        RoomRecord { { "厨房", "2400*1800*2800", "800*1500", "推拉门", "1", "4" } } };
}

DetailedQuote sampleQuote(std::string_view package = kHalfPackage)
{
    return BuildDetailedQuote(sampleRooms(), "经济型装修", FloorChoice::Tiles, package);
}

// A sheet with the items whose remarks the tests look at.
DetailedQuote remarkQuote()
{
    QuoteSheet sheet;
    sheet.AppendHeaderRow("卧室");
    sheet.AppendItemRow("实木门", "扇", "1", "1480", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("艺术吊顶", "M2", "12", "135", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("电视背景墙", "项", "1", "600", true, TotalForm::WholeYuan);
    sheet.AppendItemRow("墙面批腻子", "M2", "30", "12", true, TotalForm::WholeYuan);
    return { Text(kHalfPackageCaption), std::move(sheet) };
}

class QuoteSheetWindowTest : public testing::Test {
protected:
    void open(DetailedQuote quote)
    {
        m_window = std::make_unique<QuoteSheetWindow>(std::move(quote), nullptr, QuoteSheetWindow::ChatPicture::Skip);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    template <typename T> T* control(const char* name) const
    {
        T* found = m_window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableView* view() const { return control<QTableView>("超级列表框1"); }
    QString cell(int row, int column) const { return view()->model()->index(row, column).data().toString(); }
    int rows() const { return view()->model()->rowCount(); }
    int lastRow() const { return rows() - 1; }
    int rowNamed(const char* name) const
    {
        for (int row = 0; row < rows(); ++row)
            if (cell(row, kItemName) == QString::fromUtf8(name))
                return row;
        ADD_FAILURE() << "no row " << name;
        return -1;
    }
    QString remark() const { return control<QLabel>("标签1")->text(); }
    QStringList fields() const
    {
        return { control<QLineEdit>("编辑框1")->text(), control<QLineEdit>("编辑框2")->text(),
            control<QLineEdit>("编辑框3")->text(), control<QLineEdit>("编辑框4")->text() };
    }

    void clickRow(int row)
    {
        view()->scrollTo(view()->model()->index(row, 1));
        QTest::mouseClick(
            view()->viewport(), Qt::LeftButton, {}, view()->visualRect(view()->model()->index(row, 1)).center());
    }
    void typeFields(const QString& quantity, const QString& unitPrice)
    {
        control<QLineEdit>("编辑框3")->setText(quantity);
        control<QLineEdit>("编辑框4")->setText(unitPrice);
    }
    void press(const char* button) { control<QPushButton>(button)->click(); }

    std::unique_ptr<QuoteSheetWindow> m_window;
};

TEST_F(QuoteSheetWindowTest, ShowsTheSampleQuoteRowForRow)
{
    open(sampleQuote());
    const std::vector<QStringList> expected = {
        { "", "客厅", "", "", "", "" },
        { "1", "顶面批腻子", "M2", "16.2", "13", "210.6" },
        { "2", "墙面批腻子", "M2", "44.235", "12", "530.82" },
        { "3", "墙顶面乳胶漆", "M2", "60.435", "10", "604.35" },
        { "4", "地砖铺贴", "M2", "16.2", "35", "567" },
        { "5", "电视背景墙", "项", "1", "600", "600" },
        { "6", "鞋柜制作", "M", "1", "580", "580" },
        { "", "", "", "", "", "" },
        { "", "厨房", "", "", "", "" },
        { "1", "推拉门", "扇", "1", "480", "480" },
        { "2", "双包门套", "项", "5", "115", "575" },
        { "3", "地砖铺贴", "M2", "4.32", "35", "151" },
        { "4", "墙砖铺贴", "M2", "4.32", "35", "151" },
        { "5", "包水管", "根", "1", "170", "170" },
        { "", "", "", "", "", "" },
        { "", "其它的", "", "", "", "" },
        { "", "材料搬运费", "户", "1", "2%", "92.36" },
        { "", "垃圾清理费用", "户", "1", "1%", "46.18" },
        { "", "工程管理费", "项", "1", "8%", "369.44" },
        { "", "", "", "", "", "" },
        { "", "工程总造价", "", "", "", "5125" },
    };
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("半包装修详细报价"));
    ASSERT_EQ(rows(), static_cast<int>(expected.size()));
    for (int row = 0; row < rows(); ++row)
        for (int column = 0; column < kSheetColumnCount; ++column)
            EXPECT_EQ(cell(row, column), expected[row][column]) << "row " << row << " column " << column;
    const QStringList headings = { "序号", "项目名称", "单位", "数量", "单价", "总计" };
    for (int column = 0; column < kSheetColumnCount; ++column)
        EXPECT_EQ(view()->model()->headerData(column, Qt::Horizontal).toString(), headings[column]);
}

TEST_F(QuoteSheetWindowTest, InformationLabelNamesTheCompanySite)
{
    open(sampleQuote());
    // Written as the main and contact windows write it: the host name, no scheme.
    EXPECT_TRUE(remark().contains(QStringLiteral("网址：") + companySiteAddress())) << remark().toStdString();
    EXPECT_FALSE(remark().contains(QStringLiteral("http")));
    EXPECT_TRUE(remark().contains(QStringLiteral("*注：单击表项出现详情")));
}

struct RemarkCase {
    const char* first; // clicked first
    const char* second; // then this one
    const char* remark; // what the remark label shows afterwards; nullptr: the hint it opened with
};

class RemarkOnClick : public QuoteSheetWindowTest, public testing::WithParamInterface<RemarkCase> { };

TEST_P(RemarkOnClick, ShowsTheRemarkOfTheClickedItem)
{
    const RemarkCase& c = GetParam();
    open(remarkQuote());
    const QString hint = remark();
    clickRow(rowNamed(c.first));
    clickRow(rowNamed(c.second));
    EXPECT_EQ(remark(), c.remark ? QString::fromUtf8(c.remark) : hint);
    const int row = rowNamed(c.second);
    EXPECT_EQ(fields(), QStringList({ cell(row, 1), cell(row, 2), cell(row, 3), cell(row, 4) }));
}

INSTANTIATE_TEST_SUITE_P(Items, RemarkOnClick,
    testing::Values(RemarkCase { "墙面批腻子", "实木门", "成品门" },
        RemarkCase { "实木门", "艺术吊顶", "1、木龙骨结构、石膏板饰面  或 壁纸等" },
        // 电视背景墙 has no remark: the hint comes back rather than the door's remark.
        RemarkCase { "艺术吊顶", "电视背景墙", nullptr },
        RemarkCase { "实木门", "电视背景墙", nullptr }));

TEST_F(QuoteSheetWindowTest, OpensWithNothingInTheFieldsEvenWhenTheSheetHasTheFocus)
{
    open(remarkQuote());
    view()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(fields(), QStringList({ "", "", "", "" }));
    EXPECT_EQ(m_window->selectedRow(), -1);
}

TEST_F(QuoteSheetWindowTest, RightClickOnAnotherRowShowsTheRowItSelects)
{
    open(remarkQuote());
    clickRow(rowNamed("实木门"));
    const int other = rowNamed("艺术吊顶");
    QTest::mouseClick(
        view()->viewport(), Qt::RightButton, {}, view()->visualRect(view()->model()->index(other, 1)).center());
    EXPECT_EQ(m_window->selectedRow(), other);
    EXPECT_EQ(fields().first(), QStringLiteral("艺术吊顶"));
}

TEST_F(QuoteSheetWindowTest, KeyboardMoveToAnotherRowShowsIt)
{
    open(remarkQuote());
    clickRow(rowNamed("实木门"));
    QTest::keyClick(view(), Qt::Key_Down);
    EXPECT_EQ(fields().first(), QStringLiteral("艺术吊顶"));
    EXPECT_EQ(remark(), QStringLiteral("1、木龙骨结构、石膏板饰面  或 壁纸等"));
}

TEST_F(QuoteSheetWindowTest, PressBelowTheLastRowWithoutSelectionEmptiesTheFields)
{
    open(remarkQuote());
    const QString hint = remark();
    clickRow(rowNamed("实木门"));
    view()->clearSelection();
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, QPoint(20, view()->viewport()->height() - 5));
    EXPECT_EQ(fields(), QStringList({ "", "", "", "" }));
    EXPECT_EQ(remark(), hint);
}

TEST_F(QuoteSheetWindowTest, PressBelowTheLastRowKeepsTheSelectedRowShown)
{
    open(remarkQuote());
    clickRow(rowNamed("艺术吊顶"));
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, QPoint(20, view()->viewport()->height() - 5));
    EXPECT_EQ(fields().first(), QStringLiteral("艺术吊顶"));
}

TEST_F(QuoteSheetWindowTest, ModifyItemRowKeepsFractionInRowAndWholeYuanInTotal)
{
    open(sampleQuote());
    const int row = rowNamed("地砖铺贴");
    clickRow(row);
    typeFields("8.96", "58");
    press("按钮3");
    EXPECT_EQ(cell(row, kQuantity), QStringLiteral("8.96"));
    EXPECT_EQ(cell(row, kTotal), QStringLiteral("519.68"));
    // 210.6 + 530.82 + 604.35 + 519.68 + ... each sum cut to whole yuan, the fees priced
    // again on the new items.
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5071"));
    EXPECT_EQ(m_window->selectedRow(), row);
    EXPECT_TRUE(view()->hasFocus());
}

TEST_F(QuoteSheetWindowTest, ModifyManagementFeeChargesItsShareOfTheItems)
{
    open(sampleQuote());
    const int row = rowNamed("工程管理费");
    clickRow(row);
    typeFields("1", "10%");
    press("按钮3");
    EXPECT_EQ(cell(row, kTotal), QStringLiteral("461.8")); // 10% of the items' 4618
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5217"));
}

TEST_F(QuoteSheetWindowTest, ModifyInFullPackageKeepsBothTotalsInStep)
{
    open(sampleQuote(kFullPackage));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("全包装修详细报价"));
    const QString fullBefore = cell(lastRow(), kTotal);
    const QString projectBefore = cell(rowNamed("工程总造价"), kTotal);
    const int row = rowNamed("电视背景墙");
    clickRow(row);
    typeFields("2", "600");
    press("按钮3");
    EXPECT_EQ(cell(row, kTotal), QStringLiteral("1200"));
    EXPECT_EQ(cell(lastRow(), kItemName), QStringLiteral("全包总价格"));
    EXPECT_EQ(cell(lastRow() - 1, kItemName), QString());
    EXPECT_EQ(cell(lastRow() - 1, kTotal), QString());
    // 600 more of items, and the fees' 11 % of them.
    EXPECT_EQ(cell(lastRow(), kTotal).toInt(), fullBefore.toInt() + 666);
    EXPECT_EQ(cell(rowNamed("工程总造价"), kTotal).toInt(), projectBefore.toInt() + 666);
    EXPECT_EQ(m_window->selectedRow(), row);
}

TEST_F(QuoteSheetWindowTest, ModifyFullPackageTotalRowItselfIsRebuilt)
{
    open(sampleQuote(kFullPackage));
    const int rowsBefore = rows();
    const QString totalBefore = cell(lastRow(), kTotal);
    clickRow(lastRow());
    typeFields("1", "1");
    press("按钮3");
    EXPECT_EQ(rows(), rowsBefore);
    EXPECT_EQ(cell(lastRow(), kItemName), QStringLiteral("全包总价格"));
    EXPECT_EQ(cell(lastRow(), kTotal), totalBefore);
}

TEST_F(QuoteSheetWindowTest, ModifyWithoutSelectionChangesNoRow)
{
    open(sampleQuote());
    const QuoteSheet before = m_window->sheet();
    typeFields("3", "3");
    press("按钮3");
    EXPECT_EQ(m_window->sheet(), before);
}

// A total that is not a finite number, or one past the whole-yuan range, is refused in the
// message box: no row changes, and the fields keep what was typed, to be corrected.
TEST_F(QuoteSheetWindowTest, ModifyThatCannotBePricedIsRefusedAndChangesNothing)
{
    QStringList messages;
    setMessageSink([&](const QString& text, QMessageBox::Icon) { messages << text; });
    open(sampleQuote(kFullPackage));
    const QuoteSheet before = m_window->sheet();
    const int row = rowNamed("地砖铺贴");
    const struct {
        QString quantity;
        QString unitPrice;
        const char* message;
    } cases[] = {
        {QString(10000, QLatin1Char('9')), QStringLiteral("35"), "数量太大"},
        {QStringLiteral("1e308"), QStringLiteral("1e308"), "数量和单价太大"},
        {QStringLiteral("1"), QStringLiteral("1e309"), "单价太大"},
        {QStringLiteral("3e9"), QStringLiteral("1"), "金额超出范围：「地砖铺贴」"},
    };
    for (const auto& c : cases) {
        messages.clear();
        clickRow(row);
        typeFields(c.quantity, c.unitPrice);
        press("按钮3");
        ASSERT_EQ(messages.size(), 1) << c.message;
        EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(c.message))) << messages[0].toStdString();
        EXPECT_EQ(m_window->sheet(), before) << c.message;
        EXPECT_EQ(fields()[2], c.quantity);
    }
    setMessageSink({});
}

TEST_F(QuoteSheetWindowTest, DeletingProjectTotalMovesTheSumToTheBlankRowAbove)
{
    open(sampleQuote());
    const int rowsBefore = rows();
    clickRow(lastRow());
    press("按钮1");
    EXPECT_EQ(rows(), rowsBefore - 1);
    EXPECT_EQ(cell(lastRow(), kItemName), QString());
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5125"));
    EXPECT_EQ(m_window->selectedRow(), -1);
    EXPECT_TRUE(view()->hasFocus());
}

TEST_F(QuoteSheetWindowTest, DeletingAnItemLowersTheTotalAndEmptiesTheFields)
{
    open(sampleQuote());
    const int row = rowNamed("包水管");
    clickRow(row);
    press("按钮1");
    EXPECT_EQ(rowNamed("其它的"), row + 1); // the kitchen's closing blank row moved up
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("4935")); // items 4448, the fees on them
    EXPECT_EQ(fields(), QStringList({ "", "", "", "" }));
    // Nothing is selected now: a second press deletes nothing.
    const QuoteSheet after = m_window->sheet();
    press("按钮1");
    EXPECT_EQ(m_window->sheet(), after);
}

// 删除此项, then Ctrl+Z: the row is back where it was with every total, and selected; Ctrl+Y
// and Ctrl+Shift+Z delete it again. Ctrl+Z in a field takes back the typing, not an edit.
TEST_F(QuoteSheetWindowTest, CtrlZBringsADeletedRowBackInPlaceWithItsTotals)
{
    open(sampleQuote());
    const QuoteSheet original = m_window->sheet();
    const int row = rowNamed("包水管");
    clickRow(row);
    press("按钮1");
    const QuoteSheet deleted = m_window->sheet();
    ASSERT_NE(deleted, original);
    QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_window->sheet(), original);
    EXPECT_EQ(cell(row, kItemName), QStringLiteral("包水管"));
    EXPECT_EQ(cell(rowNamed("工程管理费"), kTotal), QStringLiteral("369.44"));
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5125"));
    EXPECT_EQ(m_window->selectedRow(), row);
    EXPECT_EQ(m_window->history()->undoText(), QString());
    QTest::keyClick(view(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(m_window->sheet(), deleted);
    QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_window->sheet(), deleted);
    EXPECT_EQ(m_window->history()->undoText(), QStringLiteral("删除此项"));

    auto* name = control<QLineEdit>("编辑框1");
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("abc"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_window->sheet(), deleted) << "the field's own undo";
}

TEST_F(QuoteSheetWindowTest, DeletingEveryRowLeavesAnEmptySheet)
{
    open(sampleQuote());
    for (int guard = 0; rows() > 0 && guard < 100; ++guard) {
        clickRow(0);
        press("按钮1");
    }
    EXPECT_EQ(rows(), 0);
    press("按钮1");
    press("按钮3");
    EXPECT_EQ(rows(), 0);
}

TEST_F(QuoteSheetWindowTest, AddItemButtonOpensTheDialogAndTheItemLandsAboveTheFees)
{
    open(sampleQuote());
    bool sawDialog = false;
    QTimer::singleShot(0, m_window.get(), [&] {
        auto* dialog = qobject_cast<AddItemDialog*>(QApplication::activeModalWidget());
        sawDialog = dialog != nullptr;
        if (!dialog)
            return;
        dialog->findChild<QComboBox*>(QStringLiteral("组合框2"))->setCurrentText(QStringLiteral("2"));
        dialog->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
    });
    press("按钮2");
    ASSERT_TRUE(sawDialog);
    // The kitchen's last item and closing blank row, then the new block: a blank row, the
    // added row, a blank row, and the rebuilt fees from 其它的 on.
    const int block = rowNamed("其它的") - 3;
    EXPECT_EQ(cell(block - 2, kItemName), QStringLiteral("包水管"));
    EXPECT_EQ(cell(block - 1, kItemName), QString());
    EXPECT_EQ(cell(block, kItemName), QString());
    EXPECT_EQ(QStringList({ cell(block + 1, 0), cell(block + 1, 1), cell(block + 1, 2), cell(block + 1, 3),
                  cell(block + 1, 4), cell(block + 1, 5) }),
        QStringList({ "-", "包水管", "增", "2", "98", "196" }));
    EXPECT_EQ(cell(block + 2, kItemName), QString());
    // The fees are charged on 4618 + 196 = 4814 now.
    EXPECT_EQ(cell(rowNamed("材料搬运费"), kTotal), QStringLiteral("96.28"));
    EXPECT_EQ(cell(rowNamed("工程管理费"), kTotal), QStringLiteral("385.12"));
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5343"));
}

// 在此房间添加项… on a row of the living room: the item ends the living room, not the sheet,
// and the fees count it. On the fee rows the entry is greyed.
TEST_F(QuoteSheetWindowTest, ContextMenuAddsAnItemAtTheEndOfThatRoom)
{
    open(sampleQuote());
    const auto menuEntry = [this](int row, bool trigger) {
        bool enabled = false;
        QTimer::singleShot(0, m_window.get(), [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions())
                if (action->text() == QStringLiteral("在此房间添加项…"))
                    enabled = action->isEnabled();
            for (QAction* action : menu->actions())
                if (trigger && action->text() == QStringLiteral("在此房间添加项…"))
                    action->trigger();
            menu->close();
        });
        QTimer::singleShot(0, m_window.get(), [&] {
            if (auto* dialog = qobject_cast<AddItemDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QComboBox*>(QStringLiteral("组合框1"))->setCurrentText(QStringLiteral("层板"));
                dialog->findChild<QComboBox*>(QStringLiteral("组合框2"))->setCurrentText(QStringLiteral("2"));
                dialog->findChild<QComboBox*>(QStringLiteral("组合框3"))->setCurrentText(QStringLiteral("100"));
                dialog->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
            }
        });
        const QPoint at = view()->visualRect(view()->model()->index(row, 1)).center();
        Q_EMIT view()->customContextMenuRequested(at);
        return enabled;
    };
    EXPECT_FALSE(menuEntry(rowNamed("工程管理费"), false));
    const int tiles = rowNamed("地砖铺贴");
    const int roomEnd = rowNamed("鞋柜制作") + 1;
    ASSERT_TRUE(menuEntry(tiles, true));
    EXPECT_EQ(QStringList({ cell(roomEnd, 0), cell(roomEnd, 1), cell(roomEnd, 2), cell(roomEnd, 3), cell(roomEnd, 4),
                  cell(roomEnd, 5) }),
        QStringList({ "-", "层板", "增", "2", "100", "200" }));
    EXPECT_EQ(cell(roomEnd + 1, kItemName), QString()); // the living room's closing blank row
    EXPECT_EQ(cell(rowNamed("工程管理费"), kTotal), QStringLiteral("385.44")); // 8 % of 4818
    EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5347"));
}

// What the user did to the foot before "确定添加" is rebuilt away: the sheet comes out as
// if only the item had been added, every total counting each row once.
TEST_F(QuoteSheetWindowTest, EditsOfTheFootThenAnAddedItemCountEveryRowOnce)
{
    const struct {
        const char* what;
        std::string_view package;
        const char* row; // clicked by name; empty: the last row
        const char* button;
    } cases[] = {
        { "其它的 modified unchanged", kHalfPackage, "其它的", "按钮3" },
        { "其它的 deleted", kHalfPackage, "其它的", "按钮1" },
        { "工程总造价 deleted", kHalfPackage, "", "按钮1" },
        { "全包总价格 deleted", kFullPackage, "", "按钮1" },
    };
    for (const auto& c : cases) {
        open(sampleQuote(c.package));
        clickRow(*c.row ? rowNamed(c.row) : lastRow());
        press(c.button);
        QTimer::singleShot(0, m_window.get(), [] {
            if (auto* dialog = qobject_cast<AddItemDialog*>(QApplication::activeModalWidget()))
                dialog->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
        });
        press("按钮2");
        DetailedQuote expected = sampleQuote(c.package);
        AddItem(expected.sheet, expected.caption, { "包水管", "1", "98" });
        EXPECT_EQ(m_window->sheet(), expected.sheet) << c.what;
        if (c.package == kHalfPackage) {
            EXPECT_EQ(cell(lastRow(), kTotal), QStringLiteral("5234")) << c.what; // 4716 and its fees
        }
    }
}

TEST_F(QuoteSheetWindowTest, TabGoesOnFromTheEditButtonsAlongTheRowUnderThem)
{
    open(sampleQuote());
    control<QPushButton>("按钮2")->setFocus();
    for (const char* next : { "detailsButton", "printButton", "exportButton" }) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(next)) << next;
    }
}

TEST_F(QuoteSheetWindowTest, DesignerHelpLinkOpensTheContactWindowModallyOnRelease)
{
    open(sampleQuote());
    auto* link = control<HyperlinkLabel>("超级链接框1");
    QTest::mousePress(link, Qt::LeftButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    bool sawContact = false;
    QTimer::singleShot(0, m_window.get(), [&] {
        QWidget* modal = QApplication::activeModalWidget();
        sawContact = qobject_cast<ContactWindow*>(modal) != nullptr;
        if (modal)
            modal->close();
    });
    QTest::mouseRelease(link, Qt::LeftButton);
    EXPECT_TRUE(sawContact);
}

} // namespace
} // namespace rq
