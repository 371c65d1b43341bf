// Every window and dialog a user meets, opened as they meet it, for the tests that walk them
// all: the accessible names, the interface language.
#pragma once

#include <QPushButton>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "app/quote_details_dialog.h"
#include "estimate/result_window.h"
#include "online/contact_window.h"
#include "online/online_jobs.h"
#include "online/tools_window.h"
#include "online/video_window.h"
#include "quote/engine.h"
#include "sheet/add_item_dialog.h"
#include "sheet/quote_sheet_model.h"
#include "sheet/quote_sheet_window.h"

namespace rq::testing {

inline DetailedQuote OneRoomQuote()
{
    return BuildDetailedQuote({ RoomRecord { { "卧室", "3600*3000*2800", "1200*1500", "实木门", "1", "4" } } },
        "舒适型装修", FloorChoice::Boards, kHalfPackage);
}

struct WindowToOpen {
    const char* window;
    std::function<std::unique_ptr<QWidget>()> open;
};

// Holds what the windows are opened on, as long as they are open.
class EveryWindow {
public:
    std::vector<WindowToOpen> windows()
    {
        return {
            { "main window, detailed",
                [] {
                    auto window = std::make_unique<MainWindow>();
                    window->findChild<QPushButton*>(QStringLiteral("按钮2"))->click();
                    return window;
                } },
            { "quote sheet",
                [] {
                    return std::make_unique<QuoteSheetWindow>(OneRoomQuote(), nullptr, QuoteSheetWindow::ChatPicture::Skip);
                } },
            { "add item", [this] { return std::make_unique<AddItemDialog>(m_sheet, Text(kHalfPackageCaption)); } },
            { "result", [] { return std::make_unique<ResultWindow>(Text("报价")); } },
            { "quote details", [] { return std::make_unique<QuoteDetailsDialog>(QuoteDetails {}, nullptr); } },
            { "contact", [this] { return std::make_unique<ContactWindow>(m_noPicture, nullptr); } },
            { "tools",
                [] { return std::make_unique<ToolsWindow>(QUrl(QStringLiteral("http://127.0.0.1:9/")), nullptr); } },
            { "tutorials",
                [] { return std::make_unique<VideoWindow>(QStringLiteral("http://127.0.0.1:9"), QUrl(), nullptr); } },
        };
    }

private:
    QuoteSheetModel m_sheet { OneRoomQuote().sheet };
    const ChatPictureJob m_noPicture { QByteArrayLiteral("http://127.0.0.1:9/") };
};

}  // namespace rq::testing
