// The add-item dialog: its starting texts, the usual price of a picked item, and what one
// press of "确定添加" does to the sheet.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "quote/engine.h"
#include "sheet/add_item_dialog.h"
#include "sheet/item_notes.h"
#include "sheet/quote_sheet_model.h"
#include "tests/widget_typing.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

DetailedQuote oneRoomQuote(std::string_view package)
{
    const std::vector<RoomRecord> rooms
        = { RoomRecord { { "卧室", "3600*3000*2800", "1200*1500", "实木门", "1", "4" } } };
    return BuildDetailedQuote(rooms, "舒适型装修", FloorChoice::Boards, package);
}

class AddItemDialogTest : public testing::Test {
protected:
    explicit AddItemDialogTest(std::string_view package = kHalfPackage)
        : m_quote(oneRoomQuote(package))
        , m_model(m_quote.sheet)
    {
    }

    std::unique_ptr<AddItemDialog> openDialog()
    {
        auto dialog = std::make_unique<AddItemDialog>(m_model, m_quote.caption);
        dialog->show();
        return dialog;
    }
    static QComboBox* combo(AddItemDialog& dialog, const char* name)
    {
        auto* found = dialog.findChild<QComboBox*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QPushButton* button(AddItemDialog& dialog, const char* name)
    {
        return dialog.findChild<QPushButton*>(QString::fromUtf8(name));
    }
    // A choice from the drop-down list, as the user makes it: open the list, move to the
    // entry, press Return.
    static void pick(QComboBox* box, const char* item)
    {
        const int index = box->findText(QString::fromUtf8(item));
        ASSERT_GE(index, 0) << item;
        box->showPopup();
        box->view()->setCurrentIndex(box->model()->index(index, 0));
        QTest::keyClick(box->view(), Qt::Key_Return);
        EXPECT_EQ(box->currentIndex(), index) << item;
    }
    void add(const char* name, const char* quantity, const char* unitPrice)
    {
        auto dialog = openDialog();
        combo(*dialog, "组合框1")->setCurrentText(QString::fromUtf8(name));
        combo(*dialog, "组合框2")->setCurrentText(QString::fromUtf8(quantity));
        combo(*dialog, "组合框3")->setCurrentText(QString::fromUtf8(unitPrice));
        button(*dialog, "按钮1")->click();
    }
    QuoteRow row(int index) const { return m_model.sheet().row(index); }
    int rowNamed(std::string_view name) const
    {
        for (int i = 0; i < m_model.sheet().RowCount(); ++i)
            if (m_model.sheet().GetCell(i, kItemName) == name)
                return i;
        return -1;
    }

    DetailedQuote m_quote;
    QuoteSheetModel m_model;
};

TEST_F(AddItemDialogTest, StartsWithTheCatalogueTextsAndLists)
{
    auto dialog = openDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("添加项目"));
    const struct {
        const char* name;
        std::span<const std::string_view> items;
        std::string_view initial;
    } boxes[] = { { "组合框1", AddItemNames(), kAddItemInitialName },
        { "组合框2", AddItemQuantities(), kAddItemInitialQuantity },
        { "组合框3", AddItemUnitPrices(), kAddItemInitialUnitPrice } };
    for (const auto& box : boxes) {
        QComboBox* shown = combo(*dialog, box.name);
        EXPECT_TRUE(shown->isEditable()) << box.name;
        EXPECT_EQ(fromQString(shown->currentText()), box.initial) << box.name;
        ASSERT_EQ(shown->count(), static_cast<int>(box.items.size())) << box.name;
        for (int i = 0; i < shown->count(); ++i)
            EXPECT_EQ(fromQString(shown->itemText(i)), box.items[static_cast<std::size_t>(i)]) << box.name << " " << i;
    }
}

TEST_F(AddItemDialogTest, ANewDialogForgetsThePreviousChoice)
{
    {
        auto dialog = openDialog();
        pick(combo(*dialog, "组合框1"), "工艺鞋柜");
        combo(*dialog, "组合框2")->setCurrentText(QStringLiteral("7"));
        button(*dialog, "按钮2")->click();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    auto dialog = openDialog();
    EXPECT_EQ(combo(*dialog, "组合框1")->currentText(), QStringLiteral("包水管"));
    EXPECT_EQ(combo(*dialog, "组合框2")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(combo(*dialog, "组合框3")->currentText(), QStringLiteral("98"));
    EXPECT_EQ(m_model.sheet(), m_quote.sheet); // 取消 left the sheet alone
}

struct PriceCase {
    std::vector<const char*> picks;
    const char* unitPrice;
};

class DefaultPriceOnPick : public AddItemDialogTest, public testing::WithParamInterface<PriceCase> { };

TEST_P(DefaultPriceOnPick, FillsTheUsualPriceOfThePickedItem)
{
    auto dialog = openDialog();
    for (const char* item : GetParam().picks)
        pick(combo(*dialog, "组合框1"), item);
    EXPECT_EQ(combo(*dialog, "组合框3")->currentText(), QString::fromUtf8(GetParam().unitPrice));
    EXPECT_EQ(combo(*dialog, "组合框2")->currentText(), QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(Picks, DefaultPriceOnPick,
    testing::Values(PriceCase { { "清水漆" }, "44.5" }, PriceCase { { "铲墙面" }, "8" },
        PriceCase { { "工艺鞋柜", "双包门套" }, "550" }, PriceCase { { "墙地砖铺贴" }, "98" },
        PriceCase { { "单包门套" }, "98" }, PriceCase { { "电视背景墙", "防水工程" }, "45" }));

TEST_F(AddItemDialogTest, TypingAListedNameLeavesThePrice)
{
    auto dialog = openDialog();
    QComboBox* name = combo(*dialog, "组合框1");
    name->lineEdit()->clear();
    // Chinese arrives through the input method, as one committed string.
    QInputMethodEvent typing;
    typing.setCommitString(QStringLiteral("清水漆"));
    QApplication::sendEvent(name->lineEdit(), &typing);
    EXPECT_EQ(name->currentText(), QStringLiteral("清水漆"));
    EXPECT_EQ(combo(*dialog, "组合框3")->currentText(), QStringLiteral("98"));
}

// Typing into the item box and leaving it, in any way, never touches the price: only a
// choice from the list brings the usual price.
TEST_F(AddItemDialogTest, LeavingTheItemBoxKeepsThePrice)
{
    enum class Leave { ToQuantity, Return, AddButton };
    const struct {
        const char* typedPrice; // nullptr: the price box is not touched
        const char* typedName; // nullptr: the item box keeps "包水管"
        Leave leave;
    } cases[] = { { nullptr, nullptr, Leave::ToQuantity }, { nullptr, nullptr, Leave::AddButton },
        { "300", "防水", Leave::ToQuantity }, { nullptr, "防水工程", Leave::Return },
        { "300", "清水漆", Leave::AddButton } };
    for (const auto& c : cases) {
        auto dialog = openDialog();
        QApplication::setActiveWindow(dialog.get());
        QComboBox* name = combo(*dialog, "组合框1");
        QComboBox* price = combo(*dialog, "组合框3");
        const QString expectedPrice = QString::fromUtf8(c.typedPrice ? c.typedPrice : "98");
        if (c.typedPrice) {
            price->setFocus();
            price->lineEdit()->selectAll();
            typeKeys(price, expectedPrice);
        }
        name->setFocus();
        if (c.typedName) {
            name->lineEdit()->selectAll();
            typeKeys(name, QString::fromUtf8(c.typedName));
        }
        switch (c.leave) {
        case Leave::ToQuantity:
            combo(*dialog, "组合框2")->setFocus();
            break;
        case Leave::Return:  // presses 确定添加, as in any of the three boxes
            QTest::keyClick(name, Qt::Key_Return);
            EXPECT_EQ(toQString(row(rowNamed("其它的") - 2)[kItemName]), name->currentText());
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            break;
        case Leave::AddButton:
            QTest::mouseClick(button(*dialog, "按钮1"), Qt::LeftButton);
            EXPECT_EQ(toQString(row(rowNamed("其它的") - 2)[kUnitPrice]), expectedPrice); // the added row
            break;
        }
        EXPECT_EQ(price->currentText(), expectedPrice) << (c.typedName ? c.typedName : "-");
        // What was typed is what stays: no completion to a longer item name.
        EXPECT_EQ(name->currentText(), QString::fromUtf8(c.typedName ? c.typedName : "包水管"));
    }
}

TEST_F(AddItemDialogTest, ArrowKeysOnTheItemBoxStepThroughTheListWithItsPrices)
{
    auto dialog = openDialog();
    QComboBox* name = combo(*dialog, "组合框1");
    name->setCurrentIndex(name->findText(QStringLiteral("包水管")));
    QTest::keyClick(name, Qt::Key_Down);
    EXPECT_EQ(name->currentText(), QStringLiteral("封门头"));
    EXPECT_EQ(combo(*dialog, "组合框3")->currentText(), QStringLiteral("150"));
}

TEST_F(AddItemDialogTest, PickedVarnishAtTenIsPricedAt445)
{
    auto dialog = openDialog();
    pick(combo(*dialog, "组合框1"), "清水漆");
    pick(combo(*dialog, "组合框2"), "10");
    button(*dialog, "按钮1")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    const int added = rowNamed("清水漆");
    ASSERT_GE(added, 0);
    EXPECT_EQ(row(added), (QuoteRow { "-", "清水漆", "增", "10", "44.5", "445" }));
}

TEST_F(AddItemDialogTest, FirstAndSecondItemsShareOneBlockAboveTheFees)
{
    const int otherBefore = rowNamed("其它的");
    add("墙体拆除", "2", "150");
    add("粉缺口", "3", "80");
    const int other = rowNamed("其它的");
    EXPECT_EQ(other, otherBefore + 4); // opening blank, two items, closing blank
    EXPECT_EQ(row(other - 4), QuoteRow {});
    EXPECT_EQ(row(other - 3), (QuoteRow { "-", "墙体拆除", "增", "2", "150", "300" }));
    EXPECT_EQ(row(other - 2), (QuoteRow { "-", "粉缺口", "增", "3", "80", "240" }));
    EXPECT_EQ(row(other - 1), QuoteRow {});
    EXPECT_EQ(m_model.sheet().GetCell(m_model.sheet().RowCount() - 1, kItemName), "工程总造价");
}

TEST_F(AddItemDialogTest, SecondPressAddsNothingMore)
{
    auto dialog = openDialog();
    const int rowsBefore = m_model.rowCount();
    button(*dialog, "按钮1")->click();
    button(*dialog, "按钮1")->click();
    QTest::mouseClick(button(*dialog, "按钮1"), Qt::LeftButton);
    EXPECT_EQ(m_model.rowCount(), rowsBefore + 3);
}

class AddItemToFullPackage : public AddItemDialogTest {
protected:
    AddItemToFullPackage()
        : AddItemDialogTest(kFullPackage)
    {
    }
};

TEST_F(AddItemToFullPackage, KeepsTheMainMaterialsAndEndsWithTheFullTotal)
{
    const int projectBefore = rowNamed("工程总造价");
    const std::vector<QuoteRow> before = m_model.sheet().CopyRows();
    const std::vector<QuoteRow> additions(before.begin() + projectBefore + 1, before.end() - 2);
    const int fullBefore = std::stoi(Text(m_model.sheet().GetCell(m_model.rowCount() - 1, kTotal)));
    add("封门头", "1", "150");
    const int project = rowNamed("工程总造价");
    const std::vector<QuoteRow> after = m_model.sheet().CopyRows();
    const std::vector<QuoteRow> kept(after.begin() + project + 1, after.end() - 2);
    EXPECT_EQ(kept, additions);
    const int last = m_model.rowCount() - 1;
    EXPECT_EQ(row(last - 1), QuoteRow {});
    EXPECT_EQ(row(last)[kItemName], "全包总价格");
    // 150 more on the items, and the fees charged on it: 2% + 1% + 8% of 150 = 16.5.
    const int full = std::stoi(row(last)[kTotal]);
    EXPECT_GE(full, fullBefore + 150 + 15);
    EXPECT_LE(full, fullBefore + 150 + 18);
}

// An item whose total cannot be real is refused in the message box: the sheet keeps its
// rows and the dialog stays open with what was typed.
TEST_F(AddItemDialogTest, AnItemThatCannotBePricedIsRefusedAndTheDialogStays)
{
    QStringList messages;
    setMessageSink([&](const QString& text, QMessageBox::Icon) { messages << text; });
    const QuoteSheet before = m_model.sheet();
    const struct {
        const char* quantity;
        const char* unitPrice;
        const char* message;
    } cases[] = {{"1e308", "1e308", "数量和单价太大"}, {"1e10", "98", "金额超出范围：「包水管」"}};
    for (const auto& c : cases) {
        messages.clear();
        auto dialog = openDialog();
        combo(*dialog, "组合框2")->setEditText(QString::fromUtf8(c.quantity));
        combo(*dialog, "组合框3")->setEditText(QString::fromUtf8(c.unitPrice));
        button(*dialog, "按钮1")->click();
        ASSERT_EQ(messages.size(), 1) << c.quantity;
        EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(c.message))) << messages[0].toStdString();
        EXPECT_EQ(m_model.sheet(), before);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(button(*dialog, "按钮1")->isEnabled());
    }
    setMessageSink({});
}

} // namespace
} // namespace rq
