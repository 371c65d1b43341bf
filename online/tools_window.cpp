#include "online/tools_window.h"

#include "online/browser_view.h"
#include "online/endpoints.h"
#include "ui/button_keys.h"
#include "ui_tools_window.h"

namespace rq {

ToolsWindow::ToolsWindow(QWidget* parent)
    : ToolsWindow(QUrl(QString::fromLatin1(endpoints::kCalculatorPage)), parent)
{
}

ToolsWindow::ToolsWindow(const QUrl& page, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ToolsWindow>())
{
    m_ui->setupUi(this);
    // The page is placed for this window's size; a larger window would show its margins.
    setFixedSize(size());
    escapeCloses(this);
    pageView()->setUrl(page);
}

ToolsWindow::~ToolsWindow() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
BrowserView* ToolsWindow::pageView() const { return m_ui->超文本浏览框1; }
// clang-format on

}  // namespace rq
