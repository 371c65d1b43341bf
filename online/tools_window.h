// The tools window: the outside portal's home-decoration calculators in a browser view,
// shifted so that only the calculators in the middle of the page show.
#pragma once

#include <memory>

#include <QDialog>
#include <QUrl>

namespace Ui {
class ToolsWindow;
}

namespace rq {

class BrowserView;

// Opened non-modal and without owner; the caller sets Qt::WA_DeleteOnClose so that the
// window is destroyed when closed.
class ToolsWindow : public QDialog {
    Q_OBJECT

public:
    explicit ToolsWindow(QWidget* parent = nullptr);
    // Shows page instead of the calculator page (tests use a local server).
    ToolsWindow(const QUrl& page, QWidget* parent);
    ~ToolsWindow() override;

private:
    BrowserView* pageView() const;

    std::unique_ptr<Ui::ToolsWindow> m_ui;
};

}  // namespace rq
