#include "online/tools_window.h"

#include "online/browser_view.h"
#include "online/endpoints.h"
#include "ui_tools_window.h"

namespace rq {

ToolsWindow::ToolsWindow(QWidget* parent)
    : ToolsWindow(QUrl(QString::fromLatin1(endpoints::kCalculatorPage)), parent)
{
}

ToolsWindow::ToolsWindow(const QUrl& page, QWidget* parent) : QDialog(parent)
{
    Ui::ToolsWindow ui;
    ui.setupUi(this);
    // The page is placed for this window's size; a larger window would show its margins.
    setFixedSize(size());
    findChild<BrowserView*>(QStringLiteral("超文本浏览框1"))->setUrl(page);
}

}  // namespace rq
