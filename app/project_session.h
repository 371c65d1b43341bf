// The project behind the main window as a document: which file it belongs to, whether it
// has changes not yet saved, the "文件" menu that news, opens and saves it, the recently
// opened projects, the autosaved copy and its recovery after a crash. What the project holds
// is the main window's business; this class only asks it for a snapshot or shows one.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/autosave.h"
#include "convert/outcome.h"
#include "files/file_stamp.h"
#include "project/project.h"

class QAction;
class QLockFile;
class QMenu;
class QMenuBar;
class QUndoStack;
class QWidget;

namespace rq {


class ProjectSession : public QObject {
    Q_OBJECT

public:
    static constexpr int kRecentCount = 5;

    // The window the session serves: what its project is now, and how to show another one.
    struct Document {
        QWidget* window = nullptr;
        std::function<Project()> snapshot;
        std::function<void(const Project&)> show;
    };
    explicit ProjectSession(Document document, QObject* parent = nullptr);
    ~ProjectSession() override;

    // Adds "文件" with 新建, 打开…, 保存, 另存为…, the window's own `projectActions`,
    // 最近打开的项目 and 退出. The shortcuts work wherever the focus is in the window.
    void addFileMenu(QMenuBar* bar, const QList<QAction*>& projectActions = {});

    // The window changed its project outside its history: the saved state cannot be
    // reached again by undoing.
    void markModified();
    // The project's history of changes: undoing back to the state last saved or opened
    // clears the unsaved mark and the autosaved copy, redoing sets them again.
    QUndoStack& history() const { return *m_history; }
    bool isModified() const { return m_modified; }
    // The file of the project, empty while it has none.
    QString filePath() const { return m_path; }
    // What the title bar calls the project: the file's name, or "未命名" before its first save.
    QString displayName() const;

    // The menu's actions; each asks first when unsaved changes would be lost. False when the
    // user cancelled or the action failed (a message has then been shown).
    bool newProject();
    bool openWithDialog();
    bool open(const QString& path);
    bool save();
    bool saveAs();
    // Before the window closes: 保存 / 不保存 / 取消 when there are unsaved changes.
    bool maySetAside();
    // The program ends as the user asked: the autosaved copy is not needed any more.
    void endCleanly();
    // At start: offers, one after another, the copies crashed or killed programs left
    // behind, newest first. The first one restored comes into this window, any further one
    // into a window of its own.
    void offerRecovery();
    // Restores the copy at `copyFile` into this window without a question (a window opened
    // for it by another one's offerRecovery). False, and said, when it cannot be read.
    bool restoreCopyFile(const QString& copyFile);
    // When the project's file was changed by someone else since this window read or wrote
    // it, offers to open it again. Done when the window comes to the front.
    void offerReopenIfChanged();
    // Opened with 只读打开: a save goes to another file.
    bool isReadOnly() const { return m_readOnly; }

    QStringList recentProjects() const;

    // Tests answer the file dialogs themselves: the chosen path, or empty for cancel.
    enum class Choice { Open, Save };
    using FileChooser = std::function<QString(Choice choice, const QString& suggestion)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // How a further restored copy gets a window of its own; tests take it themselves.
    using CopyOpener = std::function<bool(const QString& copyFile)>;
    void setCopyOpener(CopyOpener opener) { m_openCopy = std::move(opener); }

    Autosave& autosave() { return *m_autosave; }

Q_SIGNALS:
    // The name or the unsaved-changes mark changed: time to redraw the title.
    void stateChanged();
    // 退出 was chosen.
    void quitRequested();

private:
    enum class CopyAnswer { Restore, Decline, Later };
    // The copies killed programs left, less those that hold just what their file holds.
    std::vector<Autosave::LeftBehind> unsavedCopies() const;
    // `number` of `count` copies; `elsewhere`: restoring it opens another window.
    CopyAnswer askAboutCopy(const Autosave::LeftBehind& copy, bool atStart, int number, int count, bool elsewhere);
    // Asks about each copy in turn; whether one was restored into this window.
    bool offerCopies(const std::vector<Autosave::LeftBehind>& copies, bool atStart);
    // Shows the copy's project as unsaved work on its file; false (told) when unreadable.
    bool restoreCopy(const Autosave::LeftBehind& copy);
    // Reads and checks the project at `path` without freezing the window.
    Outcome<Project> load(const QString& path, FileStamp& stamp);
    void setState(const QString& path, bool modified);
    // A project was newly shown: its history starts afresh, clean when `clean`.
    void startHistory(bool clean);
    void onHistoryMoved();
    bool writeTo(const QString& path);
    // Opening a file another window has open: 只读打开 / 仍然打开 / 取消. False for 取消.
    bool mayOpenBeside(const QString& path, bool& readOnly);
    void lockFile(const QString& path);
    // Saving over a file someone else changed since: 覆盖 / 另存为… / 取消.
    enum class Overwrite { Save, SaveElsewhere, Cancel };
    Overwrite askAboutChangesOnDisk();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void remember(const QString& path);
    void forget(const QString& path);
    void fillRecentMenu();
    QString chooseFile(Choice choice);

    Document m_document;
    QString m_path;
    bool m_modified = false;
    QMenu* m_recentMenu = nullptr;
    std::unique_ptr<Autosave> m_autosave;
    FileChooser m_chooseFile;
    CopyOpener m_openCopy;
    // What the file held when this window last read or wrote it; what it held when the
    // user last chose to keep the window's content instead of reopening it.
    std::optional<FileStamp> m_stamp;
    std::optional<FileStamp> m_keptOver;
    // Beside the file while this window has it open, so that a second window knows.
    std::unique_ptr<QLockFile> m_lock;
    bool m_readOnly = false;
    bool m_asking = false;
    QUndoStack* m_history = nullptr;
    bool m_startingHistory = false;
};

} // namespace rq
