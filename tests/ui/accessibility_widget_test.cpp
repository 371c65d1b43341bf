// Every window and dialog as a screen reader meets it: each control a user can act on has a
// name, and the quote sheet's cells can be read one by one.
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "sheet/quote_sheet_window.h"
#include "tests/ui/every_window.h"
#include "ui/message_box.h"

namespace rq {
namespace {

bool isInteractive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Link:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return false;
    }
}

// The controls under `item` that a user can act on and that have no name, by object name.
void collectUnnamed(QAccessibleInterface* item, QStringList& unnamed)
{
    if (!item)
        return;
    if (isInteractive(item->role()) && item->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = item->object();
        unnamed.push_back(QStringLiteral("%1 (%2)").arg(object ? object->objectName() : QStringLiteral("?"),
            object ? QString::fromLatin1(object->metaObject()->className()) : QString()));
    }
    // A table's cells are its data, named by what they hold; a web page is the site's.
    if (item->role() == QAccessible::Table || (item->object() && item->object()->inherits("QWebEngineView")))
        return;
    for (int i = 0; i < item->childCount(); ++i)
        collectUnnamed(item->child(i), unnamed);
}

QStringList unnamedControls(QWidget* window)
{
    window->show();
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed;
}

TEST(Accessibility, EveryControlOfEveryWindowHasAName)
{
    testing::EveryWindow every;
    std::vector<testing::WindowToOpen> cases = every.windows();
    cases.push_back({ "question", [] {
                         return makeQuestionBox(nullptr, QStringLiteral("要保存吗？"),
                             { QStringLiteral("保存(&S)"), QStringLiteral("不保存(&N)"), QStringLiteral("取消(&C)") }, 0, 2);
                     } });
    for (const auto& c : cases) {
        const std::unique_ptr<QWidget> window = c.open();
        EXPECT_EQ(unnamedControls(window.get()).join(QStringLiteral("; ")).toStdString(), "") << c.window;
    }
}

// The question boxes' buttons answer to Alt and their key; a screen reader reads the name
// without the key's mark.
TEST(Accessibility, QuestionButtonsHaveAccessKeys)
{
    const auto box = makeQuestionBox(nullptr, QStringLiteral("要保存吗？"),
        { QStringLiteral("保存(&S)"), QStringLiteral("不保存(&N)"), QStringLiteral("取消(&C)") }, 0, 2);
    const QList<QAbstractButton*> buttons = box->buttons();
    ASSERT_EQ(buttons.size(), 3);
    for (QAbstractButton* button : buttons) {
        EXPECT_FALSE(button->shortcut().isEmpty()) << button->text().toStdString();
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        EXPECT_FALSE(name.contains(QLatin1Char('&'))) << name.toStdString();
    }
}

// A message of thousands of lines (every problem of a broken price list) keeps its buttons
// on the screen; the whole text is still there to read and copy.
TEST(Accessibility, LongMessagesFitTheScreen)
{
    QStringList lines;
    for (int i = 1; i <= 3000; ++i)
        lines << QStringLiteral("第%1行：单价“abc”不是数字").arg(i);
    const auto box = makeQuestionBox(nullptr, lines.join(QLatin1Char('\n')),
        { QStringLiteral("确定(&O)") }, 0, 0);
    box->show();
    EXPECT_LT(box->height(), box->screen()->availableGeometry().height());
    EXPECT_EQ(box->detailedText(), lines.join(QLatin1Char('\n')));
}

// The quote sheet's table hands its cells to a screen reader, with their texts.
TEST(Accessibility, QuoteSheetCellsCanBeRead)
{
    QuoteSheetWindow window(testing::OneRoomQuote(), nullptr, QuoteSheetWindow::ChatPicture::Skip);
    window.show();
    auto* view = window.findChild<QTableView*>(QStringLiteral("超级列表框1"));
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(table, nullptr);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->rowCount(), view->model()->rowCount());
    const QModelIndex item = view->model()->index(1, 1);
    QAccessibleInterface* cell = cells->cellAt(1, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), item.data().toString());
    EXPECT_FALSE(item.data().toString().isEmpty());
}

} // namespace
} // namespace rq
