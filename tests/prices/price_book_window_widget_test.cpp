// The 价格表 window as a user works it: a price typed in the table is kept on the shelf at
// once, a bad one is refused with a message and the old one stays, 调价 through its dialog,
// an import taken whole or not at all, and the search box.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QAbstractItemModelTester>
#include <fstream>
#include <gtest/gtest.h>

#include "prices/price_adjust_dialog.h"
#include "prices/price_book_csv.h"
#include "prices/price_book_model.h"
#include "prices/price_book_window.h"
#include "prices/price_edits.h"
#include "qtcore/qt_text.h"
#include "ui/message_box.h"

namespace {

using rq::PriceBook;

class PriceBookWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        rq::setMessageSink([this](const QString& text, QMessageBox::Icon) { messages.push_back(text); });
        rq::setQuestionSink([](const QString&, const QStringList&) { return 0; });
        PriceBook mine = rq::BuiltInPriceBook();
        mine.setName("我的价格表");
        ASSERT_FALSE(shelf.Save(mine));
        ASSERT_FALSE(shelf.Choose(mine.name()));
        window = std::make_unique<rq::PriceBookWindow>(shelf);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        rq::setMessageSink({});
        rq::setQuestionSink({});
    }

    std::int64_t priceOf(const PriceBook& book, const char* section, const char* item, int level = 0) const
    {
        return book.at(*book.IndexOf(section, item, level)).hundredths;
    }
    PriceBook kept(const char* name) const { return *shelf.Load(name).value; }
    // Types `text` into the 单价 cell of the item, as a user does: F2, the text, Enter.
    void typePrice(const char* item, const QString& text)
    {
        QTableView* table = window->table();
        const QModelIndexList found = table->model()->match(
            table->model()->index(0, rq::PriceBookModel::Item), Qt::DisplayRole, QString::fromUtf8(item), 1,
            Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item;
        const QModelIndex cell = found[0].siblingAtColumn(rq::PriceBookModel::Price);
        table->setCurrentIndex(cell);
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = table->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << "no editor opened";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate commits on a queued call
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // and drops its editor
    }

    QTemporaryDir folder;
    rq::PriceBookShelf shelf { folder.filePath(QStringLiteral("prices")).toStdString() };
    std::unique_ptr<rq::PriceBookWindow> window;
    QStringList messages;
};

TEST_F(PriceBookWindowTest, ItsModelKeepsToTheRulesOfTableModels)
{
    rq::PriceBookModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setBook(rq::BuiltInPriceBook());
    EXPECT_FALSE(model.setData(model.index(0, rq::PriceBookModel::Item), QStringLiteral("x")));
}

TEST_F(PriceBookWindowTest, ATypedPriceIsKeptAtOnceAndABadOneIsRefusedKeepingTheOld)
{
    ASSERT_EQ(window->bookBox()->currentText(), QStringLiteral("我的价格表"));
    typePrice("顶面批腻子", QStringLiteral("14.5"));
    EXPECT_EQ(priceOf(window->book(), "墙顶面", "顶面批腻子"), 1450);
    EXPECT_EQ(priceOf(kept("我的价格表"), "墙顶面", "顶面批腻子"), 1450) << "kept on the shelf";
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    typePrice("顶面批腻子", QStringLiteral("14.555"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("顶面批腻子"))) << messages[0].toStdString();
    EXPECT_EQ(priceOf(window->book(), "墙顶面", "顶面批腻子"), 1450);
    EXPECT_EQ(priceOf(kept("我的价格表"), "墙顶面", "顶面批腻子"), 1450);

    // The company's own book is only read: nothing to type into, nothing to adjust.
    window->bookBox()->setCurrentText(QString::fromUtf8(rq::kBuiltInBookName.data()));
    EXPECT_FALSE(window->table()->model()->index(0, rq::PriceBookModel::Price).flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(window->adjustButton()->isEnabled());

    window->searchEdit()->setText(QStringLiteral("门套"));
    EXPECT_EQ(window->table()->model()->rowCount(), 4); // 单包 and 双包, two levels each
}

TEST_F(PriceBookWindowTest, AdjustingOneSectionThroughItsDialogRoundsAsChosenAndLeavesTheRest)
{
    bool asked = false;
    QTimer::singleShot(0, window.get(), [&] {
        auto* dialog = qobject_cast<rq::PriceAdjustDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        asked = true;
        dialog->scopeBox()->setCurrentText(QStringLiteral("门"));
        EXPECT_EQ(dialog->scopeBox()->findText(QStringLiteral("费用")), -1) << "fee rates are no prices";
        dialog->percentBox()->setValue(-7.5);
        dialog->tenthButton()->setChecked(true);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QTest::mouseClick(window->adjustButton(), Qt::LeftButton);
    ASSERT_TRUE(asked);
    const PriceBook& builtIn = rq::BuiltInPriceBook();
    const PriceBook now = kept("我的价格表");
    for (std::size_t i = 0; i < builtIn.items().size(); ++i) {
        const std::int64_t expected = builtIn.at(i).section == "门"
            ? rq::AdjustedHundredths(builtIn.at(i).hundredths, -750, rq::PriceRounding::Tenth)
            : builtIn.at(i).hundredths;
        EXPECT_EQ(now.at(i).hundredths, expected) << builtIn.at(i).name;
    }
    EXPECT_EQ(priceOf(now, "门", "原木门"), 173900); // 1880 × 0.925 = 1739

    QTest::mouseClick(window->restoreButton(), Qt::LeftButton);
    EXPECT_TRUE(kept("我的价格表").SameFigures(builtIn));
}

TEST_F(PriceBookWindowTest, AnImportIsTakenWholeUnderTheNameGivenOrNotAtAll)
{
    PriceBook beijing = rq::BuiltInPriceBook();
    beijing.SetHundredths(*beijing.IndexOf("地面与墙面", "地砖铺贴", 0), 4050);
    std::string csv = rq::WritePriceBookCsv(beijing);
    const QString good = folder.filePath(QStringLiteral("北京 2026 年 3 月.csv"));
    std::ofstream(good.toStdString(), std::ios::binary) << csv;
    const QString bad = folder.filePath(QStringLiteral("坏的.csv"));
    std::ofstream(bad.toStdString(), std::ios::binary) << csv.replace(csv.find(",40.5"), 5, ",-1") << "门,飞天门,扇,9\r\n";

    QString file = bad;
    QStringList namesAsked;
    window->setFileChooser([&](bool forSaving) { return forSaving ? QString() : file; });
    window->setNameAsker([&](const QString& suggested) -> std::optional<QString> {
        namesAsked << suggested;
        return suggested;
    });
    QTest::mouseClick(window->importButton(), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("第 18 行"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("第 122 行：应当有 5 格"))) << messages[0].toStdString();
    EXPECT_TRUE(namesAsked.isEmpty());
    EXPECT_EQ(shelf.Names().size(), 2u) << "nothing half-imported";

    file = good;
    QTest::mouseClick(window->importButton(), Qt::LeftButton);
    EXPECT_EQ(namesAsked, QStringList { QStringLiteral("北京 2026 年 3 月") });
    EXPECT_EQ(window->bookBox()->currentText(), QStringLiteral("北京 2026 年 3 月"));
    EXPECT_EQ(priceOf(window->book(), "地面与墙面", "地砖铺贴"), 4050);
    EXPECT_TRUE(kept("北京 2026 年 3 月").SameFigures(beijing));
}

} // namespace
