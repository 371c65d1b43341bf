// The background downloads of the online extras: the helped-owners counter and the
// chat-status pictures. Each runs on a pool thread and hands its result to the
// user-interface thread; a window closed in the meantime simply gets nothing.
#pragma once

#include <QByteArray>
#include <QFuture>

#include "online/endpoints.h"
#include "online/http_get.h"

class QLabel;
class QWidget;

namespace rq {

class PictureBox;

// Fetches the count and writes it into the main window's title and brand line.
class CounterJob {
public:
    explicit CounterJob(QByteArray pageUrl = endpoints::kCounterPage,
                        QByteArray fileUrl = endpoints::kCounterFile, HttpLimits limits = {});

    // GETs the counter file; a non-empty count replaces the title of window and the text of
    // brandLine, anything else leaves both as they are. The future ends when the download
    // is over and the writes are queued for the user-interface thread.
    QFuture<void> fetch(QWidget* window, QLabel* brandLine) const;

    // Asks the counter page first (the server counts the visit; the answer is not used),
    // then fetches as above.
    QFuture<void> refresh(QWidget* window, QLabel* brandLine) const;

private:
    QFuture<void> start(QWidget* window, QLabel* brandLine, bool visitPageFirst) const;

    QByteArray m_pageUrl;
    QByteArray m_fileUrl;
    HttpLimits m_limits;
};

// Loads the chat account's status image into a picture box; no bytes leave it empty.
class ChatPictureJob {
public:
    explicit ChatPictureJob(QByteArray imageUrl = endpoints::kChatStatusImage, HttpLimits limits = {});

    QFuture<void> load(PictureBox* box) const;

private:
    QByteArray m_imageUrl;
    HttpLimits m_limits;
};

// Limits for the shipped program: the defaults, plus the flag that stops every download
// when the program ends, so that closing the main window never waits for a dead server.
HttpLimits programHttpLimits();

}  // namespace rq
