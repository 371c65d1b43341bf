// The links between the windows and the company's web presence: which control opens which
// page, and the online parts of the main window and of the quote sheet window.
#pragma once

#include <QUrl>

#include "online/online_jobs.h"

class QWidget;

namespace rq {

class PictureBox;

// Where the main window's downloads come from: the shipped addresses, or a test server.
struct OnlineSources {
    CounterJob counter{endpoints::kCounterPage, endpoints::kCounterFile, programHttpLimits()};
    ChatPictureJob chatPicture{endpoints::kChatStatusImage, programHttpLimits()};
};

// The company's web address as every window writes it: the site's host name,
// "www.qinghe-space.example". The links themselves open the whole address.
QString companySiteAddress();

// A left mouse press on control opens url in the system's web browser.
void openOnPress(QWidget* control, const QUrl& url);

// Makes box a chat-status picture: it loads the chat account's status image and a press on
// it opens the online chat. For the main, quote sheet and contact windows.
void startChatPicture(PictureBox* box, const ChatPictureJob& job = OnlineSources().chatPicture);

// The creation-time online parts of the main window: the banner "标签1" and the brand line
// "标签17" open the company's site, the chat-status picture "图片框1" is loaded and opens the
// chat, and the counter fetch writes the count into the title and the brand line.
void startMainWindowOnline(QWidget* mainWindow, const OnlineSources& sources = {});

// The same, once the main window has painted for the first time: the user sees the window
// at once, and the network library is loaded after, by the first download.
void startMainWindowOnlineAfterFirstPaint(QWidget* mainWindow, const OnlineSources& sources = {});

// After a quick estimate or a closed quote sheet: count the visit and fetch the count
// again into the main window's title and brand line.
void startCounterRefresh(QWidget* mainWindow, const OnlineSources& sources = {});

}  // namespace rq
