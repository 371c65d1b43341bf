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
#include <vector>

#include "app/autosave.h"
#include "project/project.h"

class QAction;
class QMenu;
class QMenuBar;
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

    // The window changed its project.
    void markModified();
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
    // At start: offers the newest copy a crashed or killed program left behind.
    void offerRecovery();

    QStringList recentProjects() const;

    // Tests answer the file dialogs themselves: the chosen path, or empty for cancel.
    enum class Choice { Open, Save };
    using FileChooser = std::function<QString(Choice choice, const QString& suggestion)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

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
    CopyAnswer askAboutCopy(const Autosave::LeftBehind& copy, bool atStart);
    // Shows the copy's project as unsaved work on its file; false (told) when unreadable.
    bool restoreCopy(const Autosave::LeftBehind& copy);
    void setState(const QString& path, bool modified);
    bool writeTo(const QString& path);
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
};

} // namespace rq
