// Return and Enter press the focused push button in every window, and only that one.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/main_window.h"
#include "estimate/result_window.h"
#include "online/video_window.h"
#include "quote/engine.h"
#include "sheet/add_item_dialog.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/quote_sheet_window.h"

namespace rq {
namespace {

DetailedQuote oneRoomQuote()
{
    return BuildDetailedQuote({ RoomRecord { { "卧室", "3600*3000*2800", "1200*1500", "实木门", "1", "4" } } },
        "舒适型装修", FloorChoice::Boards, kHalfPackage);
}

TEST(ButtonKeys, ReturnAndEnterPressTheFocusedButton)
{
    QuoteSheetModel sheet(oneRoomQuote().sheet);
    const struct {
        std::function<std::unique_ptr<QWidget>()> open;
        const char* button; // one whose press has no lasting effect here
    } cases[] = {
        { [] { return std::make_unique<MainWindow>(); }, "按钮2" }, // 详细报价>>
        { [] {
             return std::make_unique<QuoteSheetWindow>(oneRoomQuote(), nullptr, QuoteSheetWindow::ChatPicture::Skip);
         },
            "按钮3" }, // 修改, nothing selected
        { [&] { return std::make_unique<AddItemDialog>(sheet, Text(kHalfPackageCaption)); }, "按钮2" }, // 取消
        { [] { return std::make_unique<ResultWindow>(Text("报价")); }, "按钮1" }, // 关闭
        { [] { return std::make_unique<VideoWindow>(QStringLiteral("http://127.0.0.1:9"), QUrl(), nullptr); },
            "按钮2" },
    };
    for (const auto& c : cases) {
        for (const auto& [key, modifiers] :
            { std::pair { Qt::Key_Return, Qt::NoModifier }, std::pair { Qt::Key_Enter, Qt::KeypadModifier } }) {
            const std::unique_ptr<QWidget> window = c.open();
            window->show();
            auto* button = window->findChild<QPushButton*>(QString::fromUtf8(c.button));
            ASSERT_NE(button, nullptr) << c.button;
            button->setFocus();
            QSignalSpy clicked(button, &QPushButton::clicked);
            QTest::keyClick(button, key, modifiers);
            EXPECT_EQ(clicked.count(), 1) << window->metaObject()->className() << " " << c.button;
        }
    }
}

// Return in a field of the quote sheet presses none of its buttons, not even one the user
// focused before: a typed quantity must never delete a row.
TEST(ButtonKeys, ReturnInAFieldPressesNoButton)
{
    QuoteSheetWindow window(oneRoomQuote(), nullptr, QuoteSheetWindow::ChatPicture::Skip);
    window.show();
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        spies.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    window.findChild<QPushButton*>(QStringLiteral("按钮1"))->setFocus();
    auto* quantity = window.findChild<QLineEdit*>(QStringLiteral("编辑框3"));
    quantity->setFocus();
    QTest::keyClick(quantity, Qt::Key_Return);
    for (const auto& spy : spies)
        EXPECT_EQ(spy->count(), 0);
}

} // namespace
} // namespace rq
