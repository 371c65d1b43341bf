// The contact window: how to reach the designers for an exact quote, with the chat-status
// picture and links to the company's pages.
#pragma once

#include <memory>

#include <QDialog>

#include "online/online_jobs.h"

namespace Ui {
class ContactWindow;
}

namespace rq {

class HyperlinkLabel;
class PictureBox;

// The main window opens it non-modal (the caller sets Qt::WA_DeleteOnClose); the quote
// sheet and the result window open it modally with exec() on a window of their own.
class ContactWindow : public QDialog {
    Q_OBJECT

public:
    explicit ContactWindow(QWidget* parent = nullptr);
    // Loads the chat-status picture with picture instead of the shipped address (tests).
    ContactWindow(const ChatPictureJob& picture, QWidget* parent);
    ~ContactWindow() override;

    // The width a window needs for its title to show whole in a title bar: the title in a
    // bold font a third larger than the text's, beside the bar's icon and buttons.
    static int TitleBarWidth(const QWidget& window);

private:
    PictureBox* chatPictureBox() const;
    HyperlinkLabel* siteLink() const;

    std::unique_ptr<Ui::ContactWindow> m_ui;
};

}  // namespace rq
