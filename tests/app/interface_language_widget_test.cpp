// The English interface: every text of the window chrome comes from the English catalogue,
// and the program picks the language from the session or from --lang.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "document/quote_document.h"
#include "prices/price_book_shelf.h"
#include "prices/price_book_window.h"
#include "quote/engine.h"
#include "sheet/quote_sheet_window.h"
#include "sheet/sheet_edits.h"
#include "qtcore/qt_text.h"
#include "tests/cli/cli_runner.h"
#include "tests/ui/every_window.h"
#include "ui/document_language.h"
#include "ui/interface_language.h"

namespace rq {
namespace {

bool hasChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

void checkText(const QString& where, const QString& text, QStringList& chinese)
{
    if (hasChinese(text))
        chinese << where + QStringLiteral(": ") + text.left(40);
}

void checkMenu(const QString& where, const QList<QAction*>& actions, QStringList& chinese)
{
    for (QAction* action : actions) {
        checkText(where + QStringLiteral(" menu"), action->text(), chinese);
        checkText(where + QStringLiteral(" menu tip"), action->toolTip(), chinese);
        if (action->menu())
            checkMenu(where, action->menu()->actions(), chinese);
    }
}

// The chrome's texts under `window` still in Chinese. What the user typed or chose (the
// rooms, grades and items of the combo boxes, the edit boxes) and the quote itself (table
// cells, the estimate report) are the quote's content and stay Chinese.
QStringList chineseChrome(QWidget* window)
{
    window->show();
    QStringList chinese;
    checkText(QStringLiteral("title"), window->windowTitle(), chinese);
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName();
        checkText(name + QStringLiteral(" tip"), widget->toolTip(), chinese);
        checkText(name + QStringLiteral(" name"), widget->accessibleName(), chinese);
        checkText(name + QStringLiteral(" description"), widget->accessibleDescription(), chinese);
        if (auto* label = qobject_cast<QLabel*>(widget))
            checkText(name, label->text(), chinese);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            checkText(name, button->text(), chinese);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            checkText(name, group->title(), chinese);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            checkText(name + QStringLiteral(" placeholder"), edit->placeholderText(), chinese);
        else if (auto* bar = qobject_cast<QMenuBar*>(widget))
            checkMenu(name, bar->actions(), chinese);
        else if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model())
            for (int column = 0; column < view->model()->columnCount(); ++column)
                checkText(name + QStringLiteral(" head"), view->model()->headerData(column, Qt::Horizontal).toString(),
                    chinese);
    }
    return chinese;
}

class EnglishInterface : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installInterfaceLanguage(InterfaceLanguage::English))
            << "the compiled catalogue is in the resources";
    }
    // The other tests read the catalogued Chinese texts.
    void TearDown() override { removeInterfaceLanguage(); }
};

TEST_F(EnglishInterface, NoWindowShowsChineseChrome)
{
    testing::EveryWindow every;
    std::vector<testing::WindowToOpen> cases = every.windows();
    cases.push_back({ "price books",
        [] { return std::make_unique<PriceBookWindow>(PriceBookShelf(DefaultPriceBookFolder()), nullptr); } });
    for (const auto& c : cases) {
        const std::unique_ptr<QWidget> window = c.open();
        EXPECT_EQ(chineseChrome(window.get()).join(QStringLiteral("\n")).toStdString(), "") << c.window;
    }
}

// The language the program starts in, as its --help shows without a display: the
// session's language unless --lang says otherwise, and a wrong --lang refused.
// A printed or exported document heads its parts in the interface language; what the quote
// says (items, units, rooms, figures, the report, the details typed) stays as written.
TEST_F(EnglishInterface, DocumentsHeadInEnglishAndKeepTheQuoteAsWritten)
{
    const DetailedQuote quote = testing::OneRoomQuote();
    QuoteSheet sheet = quote.sheet;
    AddItem(sheet, quote.caption, { "包水管", "1", "98" });
    const QuoteDetails details { "张三", "北京", "123", "2026年12月10日", "Q-1", "周末施工", "30 天" };
    QuoteDocument sheetDocument = SheetDocument(sheet, quote.caption, DetailFields(details, "北京价格"), "2026年12月10日");
    StateQuoteBasis(sheetDocument,
        { { RoomRecord { { "卧室", "3600*3000*2800", "1200*1500", "实木门", "1", "4" } } }, "舒适型装修",
            FloorChoice::Boards });
    QuoteDocument estimate = EstimateDocument("衣柜：9000元\r\n客餐厅铺地板舒适装修的价格为：28169.7元", DetailFields(details),
        "2026年12月10日");
    StateEstimateBasis(estimate, EstimateInputs {});
    for (QuoteDocument* document : { &sheetDocument, &estimate }) {
        const QuoteDocument written = *document;
        FollowInterfaceLanguage(*document);
        QStringList chinese;
        checkText(QStringLiteral("title"), toQString(document->title), chinese);
        for (const auto* heads : { &document->columnHeads, &document->rooms.heads, &document->figures.heads,
                 &document->signatureLines })
            for (const Text& head : *heads)
                checkText(QStringLiteral("head"), toQString(head), chinese);
        for (const auto& fields : { DetailLines(*document), document->basis })
            for (const DocumentField& field : fields)
                checkText(QStringLiteral("label"), toQString(field.label), chinese);
        EXPECT_EQ(chinese.join(QStringLiteral("\n")).toStdString(), "") << written.title;
        EXPECT_EQ(document->rows, written.rows) << written.title;
        EXPECT_EQ(document->rooms.rows, written.rooms.rows) << written.title;
        EXPECT_EQ(DetailLines(*document).back().value, "周末施工") << "the notes stay last";
    }
}

TEST(InterfaceLanguage, SessionLanguageOrLangArgument)
{
    const struct {
        const char* language;
        std::vector<std::string> args;
        int status;
        const char* start;
    } cases[] = {
        { "zh_CN", { "--help" }, 0, "用法: renoquote " },
        { "zh_TW", { "--help" }, 0, "用法: renoquote " },
        { "en_GB", { "--help" }, 0, "Usage: renoquote " },
        { "C", { "--help" }, 0, "用法: renoquote " },  // no language named: the program's own
        { "zh_CN", { "--lang", "en", "--help" }, 0, "Usage: renoquote " },
        { "de_DE", { "--lang=zh", "--help" }, 0, "用法: renoquote " },
        { "zh_CN", { "--lang", "fr", "--help" }, 2, "" },
        { "zh_CN", { "--help", "--lang" }, 2, "" },
    };
    for (const auto& c : cases) {
        const testing::EnvironmentChanges environment = { { "LANGUAGE", c.language }, { "DISPLAY", std::nullopt },
            { "WAYLAND_DISPLAY", std::nullopt }, { "QT_QPA_PLATFORM", std::nullopt } };
        const testing::CliRun run = testing::RunProgram(RENOQUOTE_APP_PATH, c.args, {}, environment);
        EXPECT_EQ(run.status, c.status) << c.language << " " << c.args.front() << "\n" << run.err;
        EXPECT_EQ(run.out.rfind(c.start, 0), 0u) << c.language << " " << c.args.front() << "\n" << run.out;
    }
}

} // namespace
} // namespace rq
