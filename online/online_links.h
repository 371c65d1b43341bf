// The links between the windows and the company's web presence: which control opens which
// page, and the online parts of the main window and of the quote sheet window.
#pragma once

#include <QUrl>

class QWidget;

namespace rq {

class PictureBox;

// A left mouse press on control opens url in the system's web browser.
void openOnPress(QWidget* control, const QUrl& url);

// Makes box the chat-status picture: it loads the chat account's status image and a
// press on it opens the online chat. For the quote sheet and the contact window.
void startChatPicture(PictureBox* box);

// The creation-time online parts of the main window: the banner "标签1" and the brand line
// "标签17" open the company's site, the chat-status picture "图片框1" is loaded and opens the
// chat, and the counter fetch writes the count into the title and the brand line.
void startMainWindowOnline(QWidget* mainWindow);

// After a quick estimate or a closed quote sheet: count the visit and fetch the count
// again into the main window's title and brand line.
void startCounterRefresh(QWidget* mainWindow);

}  // namespace rq
