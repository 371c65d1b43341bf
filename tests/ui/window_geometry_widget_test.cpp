// Every window opens at the size its form gives it, with each control where the form puts
// it; the quote sheet and the result window may then be enlarged, and only their sheet or
// report takes the new room.
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "estimate/result_window.h"
#include "quote/engine.h"
#include "sheet/add_item_dialog.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/quote_sheet_window.h"

namespace rq {
namespace {

struct Placed {
    QString name;
    QRect geometry;
};

// The name and geometry of every widget of a form, the window itself first.
std::vector<Placed> formGeometries(const char* form)
{
    QFile file(QStringLiteral(RENOQUOTE_TEST_DATA_DIR "/../../forms/") + QString::fromUtf8(form));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << form;
    std::vector<Placed> placed;
    std::vector<QString> open; // the widgets whose elements enclose the reader
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("widget")) {
            open.push_back(xml.attributes().value(QLatin1String("name")).toString());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("widget")) {
            open.pop_back();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("property")
            && xml.attributes().value(QLatin1String("name")) == QLatin1String("geometry") && !open.empty()) {
            int values[4] = {};
            for (int& value : values) {
                while (!xml.atEnd()
                    && !(xml.isStartElement() && xml.name() != QLatin1String("rect")
                        && xml.name() != QLatin1String("property")))
                    xml.readNext();
                value = xml.readElementText().toInt();
                xml.readNext();
            }
            placed.push_back({ open.back(), QRect(values[0], values[1], values[2], values[3]) });
        }
    }
    EXPECT_FALSE(xml.hasError()) << form << ": " << xml.errorString().toStdString();
    return placed;
}

DetailedQuote oneRoomQuote()
{
    return BuildDetailedQuote({ RoomRecord { { "卧室", "3600*3000*2800", "1200*1500", "实木门", "1", "4" } } },
        "舒适型装修", FloorChoice::Boards, kHalfPackage);
}

struct WindowCase {
    const char* form;
    std::function<std::unique_ptr<QWidget>()> open;
    const char* exception; // a control the window places on purpose elsewhere, or nullptr
};

TEST(WindowGeometry, EveryControlSitsWhereItsFormPutsItAtTheInitialSize)
{
    QuoteSheetModel sheet(oneRoomQuote().sheet);
    const WindowCase cases[] = {
        { "main_window.ui", [] { return std::make_unique<MainWindow>(); },
            "超级链接框3" }, // laid over the site address in the notice
        { "quote_sheet_window.ui",
            [] {
                return std::make_unique<QuoteSheetWindow>(oneRoomQuote(), nullptr, QuoteSheetWindow::ChatPicture::Skip);
            },
            nullptr },
        { "add_item_dialog.ui", [&] { return std::make_unique<AddItemDialog>(sheet, Text(kHalfPackageCaption)); },
            nullptr },
        { "result_window.ui", [] { return std::make_unique<ResultWindow>(Text("报价")); }, nullptr },
    };
    for (const WindowCase& c : cases) {
        const std::unique_ptr<QWidget> window = c.open();
        window->show();
        const std::vector<Placed> form = formGeometries(c.form);
        ASSERT_FALSE(form.empty()) << c.form;
        // The main window opens short, with the quick estimate only.
        if (!qobject_cast<MainWindow*>(window.get())) {
            EXPECT_EQ(window->size(), form.front().geometry.size()) << c.form;
        }
        EXPECT_EQ(window->width(), form.front().geometry.width()) << c.form;
        // Only the windows with a sheet or a report to show more of can grow.
        if (qobject_cast<AddItemDialog*>(window.get())) {
            EXPECT_EQ(window->maximumSize(), form.front().geometry.size());
        }
        for (std::size_t i = 1; i < form.size(); ++i) {
            if (c.exception && form[i].name == QString::fromUtf8(c.exception))
                continue;
            const auto* control = window->findChild<QWidget*>(form[i].name);
            ASSERT_NE(control, nullptr) << c.form << " " << form[i].name.toStdString();
            EXPECT_EQ(control->geometry(), form[i].geometry) << c.form << " " << form[i].name.toStdString();
        }
    }
}

// Enlarged, the sheet or the report grows by as much as the window; every other control
// keeps its distance to the edges it lies against. The form's size is the smallest.
TEST(WindowGeometry, EnlargedSheetAndReportTakeTheNewRoom)
{
    const struct {
        std::function<std::unique_ptr<QWidget>()> open;
        const char* grower;
        Qt::Edges othersFollow; // the window edges the other controls keep their distance to
        QStringList keepRight; // controls that keep to the right edge as well
    } cases[] = {
        { [] {
             return std::make_unique<QuoteSheetWindow>(oneRoomQuote(), nullptr, QuoteSheetWindow::ChatPicture::Skip);
         },
            "超级列表框1", Qt::RightEdge, {} },
        { [] { return std::make_unique<ResultWindow>(Text("报价")); }, "编辑框1", Qt::BottomEdge,
            { QStringLiteral("按钮1"), QStringLiteral("printButton"), QStringLiteral("exportButton") } },
    };
    const QSize more(200, 120);
    for (const auto& c : cases) {
        const std::unique_ptr<QWidget> window = c.open();
        window->show();
        const QSize formSize = window->size();
        EXPECT_EQ(window->minimumSize(), formSize);
        std::vector<std::pair<QWidget*, QRect>> before;
        for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            before.emplace_back(control, control->geometry());
        window->resize(formSize + more);
        for (const auto& [control, was] : before) {
            const QRect now = control->geometry();
            const std::string name = control->objectName().toStdString();
            if (control->objectName() == QString::fromUtf8(c.grower)) {
                EXPECT_EQ(now, was.adjusted(0, 0, more.width(), more.height())) << name;
                continue;
            }
            EXPECT_EQ(now.size(), was.size()) << name;
            EXPECT_EQ(now.y() - was.y(), c.othersFollow & Qt::BottomEdge ? more.height() : 0) << name;
            const bool right
                = (c.othersFollow & Qt::RightEdge) || c.keepRight.contains(control->objectName());
            EXPECT_EQ(now.x() - was.x(), right ? more.width() : 0) << name;
        }
        window->resize(formSize);
        for (const auto& [control, was] : before)
            EXPECT_EQ(control->geometry(), was) << control->objectName().toStdString();
    }
}

// The room list and the quote sheet, full of rows: the last column takes what the others
// leave, so no horizontal scroll bar appears for a few pixels, and its heading stays whole.
TEST(WindowGeometry, ListsFitTheirColumnsWithoutAHorizontalScrollBar)
{
    MainWindow main;
    main.findChild<QPushButton*>(QStringLiteral("按钮2"))->click();
    for (int room = 0; room < 12; ++room)
        main.findChild<QPushButton*>(QStringLiteral("按钮4"))->click();
    const std::vector<RoomRecord> rooms(
        3, RoomRecord { { "卧室", "3600*3000*2800", "1200*1500", "实木门", "1", "4" } });
    QuoteSheetWindow sheet(BuildDetailedQuote(rooms, "舒适型装修", FloorChoice::Boards, kHalfPackage), nullptr,
        QuoteSheetWindow::ChatPicture::Skip);
    sheet.show();
    QCoreApplication::processEvents(); // the views lay out their scroll bars
    for (QWidget* window : { static_cast<QWidget*>(&main), static_cast<QWidget*>(&sheet) }) {
        auto* list = window->findChild<QTableView*>(QStringLiteral("超级列表框1"));
        ASSERT_TRUE(list->verticalScrollBar()->isVisible()) << "enough rows to need the vertical bar";
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << window->windowTitle().toStdString();
        const QHeaderView* headings = list->horizontalHeader();
        const int last = headings->count() - 1;
        const QString heading = list->model()->headerData(last, Qt::Horizontal).toString();
        EXPECT_GE(headings->sectionSize(last), headings->fontMetrics().horizontalAdvance(heading) + 8)
            << heading.toStdString();
    }
}

} // namespace
} // namespace rq
