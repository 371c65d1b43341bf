// A copy of the open project kept in the user's state folder while it has unsaved changes,
// so that a crash or a kill loses at most the last few seconds of work. Each running program
// keeps its own copy; a copy whose program is gone is offered back at the next start.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace rq {

class Autosave : public QObject {
    Q_OBJECT

public:
    // At most one write per this many milliseconds, the first one this long after a change.
    static constexpr int kDelayMs = 2000;

    // The project file's text as it stands.
    using Snapshot = std::function<std::string()>;

    // `folder` empty: the state folder of the user (see project/recovery.h).
    Autosave(Snapshot snapshot, QObject* parent, QString folder = {});

    // The project changed; `source` is the file it was opened from or saved to (empty when
    // it has none yet), so that a restored copy saves back to it.
    void changed(const QString& source);
    // Writes the copy at once (also what the timer does); whether it is on disk.
    bool writeNow();
    // The work was saved, discarded or the program ends cleanly: the copy goes.
    void discard();

    // A copy left by a program that is no longer running.
    struct LeftBehind {
        QString file;
        QString source;
        QDateTime written;
    };
    // Newest first.
    std::vector<LeftBehind> leftBehind() const;
    // Removes a copy once it was restored or declined.
    static void forget(const LeftBehind& copy);

    QString file() const;

private:
    Snapshot m_snapshot;
    QString m_folder;
    QString m_source;
    QTimer m_timer;
};

} // namespace rq
