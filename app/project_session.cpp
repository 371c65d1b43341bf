#include "app/project_session.h"

#include "app/about_box.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QKeySequence>
#include <QLocale>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QSettings>
#include <QStandardPaths>
#include <QUndoStack>
#include <QtConcurrent>

#include "app/autosave.h"
#include "files/atomic_file.h"
#include "files/capped_read.h"
#include "files/file_errors.h"
#include "project/project_file.h"
#include "ui/file_dialogs.h"
#include "ui/interface_language.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace rq {

namespace {

QString projectFileFilter()
{
    return QCoreApplication::translate("ProjectSession", "装修报价项目 (*.renoquote);;所有文件 (*)");
}
QString untitledName()
{
    return QCoreApplication::translate("ProjectSession", "未命名");
}

// One settings file for the program, found afresh each time so that tests can point
// XDG_CONFIG_HOME elsewhere.
QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/renoquote/renoquote.conf");
}

// A file name shown in a menu: "&" is the menu's own mark for the access key.
QString menuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

const QString kRecentKey = QStringLiteral("recentProjects");

// Beside the project, hidden: ".家.renoquote.lock".
QString lockPathOf(const QString& path)
{
    const QFileInfo file(path);
    return file.dir().filePath(QLatin1Char('.') + file.fileName() + QStringLiteral(".lock"));
}

QString withSuffix(const QString& path)
{
    const QString suffix = toQString(Text(kProjectFileSuffix));
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

} // namespace

ProjectSession::ProjectSession(Document document, QObject* parent)
    : QObject(parent)
    , m_document(std::move(document))
    , m_autosave(std::make_unique<Autosave>([this] { return WriteProjectText(m_document.snapshot()); }, this))
    , m_openCopy([](const QString& copyFile) {
        // The recovering window speaks the language of this one, which --lang may have chosen.
        return QProcess::startDetached(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--lang"), languageArgument(currentInterfaceLanguage()), QStringLiteral("--recover"),
                copyFile });
    })
    , m_history(new QUndoStack(this))
{
    if (m_document.window)
        m_document.window->installEventFilter(this);
    connect(m_history, &QUndoStack::indexChanged, this, &ProjectSession::onHistoryMoved);
    connect(m_history, &QUndoStack::cleanChanged, this, &ProjectSession::onHistoryMoved);
}

ProjectSession::~ProjectSession() = default;

void ProjectSession::addFileMenu(QMenuBar* bar, const QList<QAction*>& projectActions)
{
    QMenu* menu = bar->addMenu(QCoreApplication::translate("ProjectSession", "文件(&F)"));
    // The usual keys, spelt out: some desktops give 另存为 and 退出 no standard key at all.
    const auto add = [&](const QString& text, QKeyCombination key, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setShortcut(QKeySequence(key));
        return action;
    };
    add(QCoreApplication::translate("ProjectSession", "新建(&N)"), Qt::CTRL | Qt::Key_N, [this] { newProject(); });
    add(QCoreApplication::translate("ProjectSession", "打开(&O)…"), Qt::CTRL | Qt::Key_O, [this] { openWithDialog(); });
    add(QCoreApplication::translate("ProjectSession", "保存(&S)"), Qt::CTRL | Qt::Key_S, [this] { save(); });
    add(QCoreApplication::translate("ProjectSession", "另存为(&A)…"), Qt::CTRL | Qt::SHIFT | Qt::Key_S,
        [this] { saveAs(); });
    if (!projectActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(projectActions);
    }
    menu->addSeparator();
    m_recentMenu = menu->addMenu(QCoreApplication::translate("ProjectSession", "最近打开的项目(&R)"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &ProjectSession::fillRecentMenu);
    fillRecentMenu();
    menu->addSeparator();
    add(QCoreApplication::translate("ProjectSession", "退出(&X)"), Qt::CTRL | Qt::Key_Q,
        [this] { Q_EMIT quitRequested(); });
}

QString ProjectSession::displayName() const
{
    if (m_path.isEmpty())
        return untitledName();
    return QFileInfo(m_path).fileName()
        + (m_readOnly ? QCoreApplication::translate("ProjectSession", "（只读）") : QString());
}

void ProjectSession::setState(const QString& path, bool modified)
{
    m_path = path;
    m_modified = modified;
    Q_EMIT stateChanged();
}

void ProjectSession::markModified()
{
    m_history->resetClean();
    if (!m_modified)
        setState(m_path, true);
    m_autosave->changed(m_path);
}

void ProjectSession::startHistory(bool clean)
{
    const QScopedValueRollback starting(m_startingHistory, true);
    m_history->clear();
    if (!clean)
        m_history->resetClean();
}

void ProjectSession::onHistoryMoved()
{
    if (m_startingHistory)
        return;
    if (!m_history->isClean()) {
        if (!m_modified)
            setState(m_path, true);
        m_autosave->changed(m_path);
        return;
    }
    // Back to what the file holds: a copy of it is no unsaved work.
    m_autosave->discard();
    if (m_modified)
        setState(m_path, false);
}

bool ProjectSession::maySetAside()
{
    if (!m_modified)
        return true;
    const QString question
        = QCoreApplication::translate("ProjectSession", "项目“%1”有尚未保存的修改。要保存吗？").arg(displayName());
    const QStringList buttons = { QCoreApplication::translate("ProjectSession", "保存(&S)"),
        QCoreApplication::translate("ProjectSession", "不保存(&N)"),
        QCoreApplication::translate("ProjectSession", "取消(&C)") };
    switch (askQuestion(m_document.window, question, buttons, 0, 2)) {
    case 0:
        return save();
    case 1:
        return true;
    default:
        return false;
    }
}

bool ProjectSession::newProject()
{
    if (!maySetAside())
        return false;
    m_document.show(NewProject());
    startHistory(true);
    m_autosave->discard();
    m_lock.reset();
    m_stamp.reset();
    m_keptOver.reset();
    m_readOnly = false;
    setState({}, false);
    return true;
}

QString ProjectSession::chooseFile(Choice choice)
{
    const QString suggestion = m_path.isEmpty()
        ? QDir::homePath() + QLatin1Char('/') + untitledName() + toQString(Text(kProjectFileSuffix))
        : m_path;
    if (m_chooseFile)
        return m_chooseFile(choice, suggestion);
    const bool open = choice == Choice::Open;
    QFileDialog dialog(m_document.window,
        open ? QCoreApplication::translate("ProjectSession", "打开项目")
             : QCoreApplication::translate("ProjectSession", "保存项目"),
        open ? QFileInfo(suggestion).absolutePath() : suggestion, projectFileFilter());
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    widenFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool ProjectSession::openWithDialog()
{
    if (!maySetAside())
        return false;
    const QString path = chooseFile(Choice::Open);
    return !path.isEmpty() && open(path);
}

Outcome<Project> ProjectSession::load(const QString& path, FileStamp& stamp)
{
    // A project of thousands of rooms takes a moment: read on a worker so that the window
    // still paints, with a word after half a second. What the user types or clicks
    // meanwhile waits for the project, as it would in front of any other busy window.
    struct Read {
        Outcome<Project> project;
        FileStamp stamp;
    };
    QEventLoop loop;
    QFutureWatcher<Read> watcher;
    connect(&watcher, &QFutureWatcher<Read>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([file = path.toStdString()] {
        Read read;
        read.project = LoadProjectFile(file, &read.stamp);
        return read;
    }));
    if (!watcher.isFinished()) {
        QProgressDialog progress(
            QCoreApplication::translate("ProjectSession", "正在打开项目“%1”…").arg(QFileInfo(path).fileName()),
            QString(), 0, 0, m_document.window);
        progress.setWindowTitle(QCoreApplication::translate("ProjectSession", "打开项目"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        progress.setValue(0);
        if (!watcher.isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    Read read = watcher.result();
    stamp = read.stamp;
    return std::move(read.project);
}

bool ProjectSession::open(const QString& path)
{
    // Read and checked whole before anything is shown: a refused file leaves the open
    // project exactly as it was.
    FileStamp stamp;
    const Outcome<Project> read = load(path, stamp);
    if (!read) {
        showMessage(m_document.window,
            QCoreApplication::translate("ProjectSession", "无法打开项目“%1”：\n%2")
                .arg(QDir::toNativeSeparators(path), toQString(read.problem)),
            QMessageBox::Warning);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // The window's own file opened again keeps how it was opened.
    if (absolute != m_path) {
        bool readOnly = false;
        if (!mayOpenBeside(absolute, readOnly))
            return false;
        m_readOnly = readOnly;
        if (readOnly)
            m_lock.reset();
        else
            lockFile(absolute);
    }
    m_stamp = stamp;
    m_keptOver.reset();
    // Work on this project that a program killed meanwhile kept, put off at the start: the
    // user opening the file is the moment to remind of it.
    const QFileInfo opened(path);
    std::vector<Autosave::LeftBehind> copies = unsavedCopies();
    std::erase_if(copies, [&opened](const Autosave::LeftBehind& copy) {
        return copy.source.isEmpty() || QFileInfo(copy.source) != opened || copy.written < opened.lastModified();
    });
    if (offerCopies(copies, false)) {
        remember(m_path);
        return true;
    }
    m_document.show(*read.value);
    startHistory(true);
    m_autosave->discard();
    setState(absolute, false);
    remember(m_path);
    return true;
}

bool ProjectSession::mayOpenBeside(const QString& path, bool& readOnly)
{
    readOnly = false;
    QLockFile probe(lockPathOf(path));
    probe.setStaleLockTime(0); // a window may keep a project open for days
    // Only a lock that a running program holds counts: one a crash left is taken over, and
    // a folder where no lock can be written (read-only media) is no reason to refuse.
    if (probe.tryLock(0) || probe.error() != QLockFile::LockFailedError)
        return true;
    const int answer = askQuestion(m_document.window,
        QCoreApplication::translate("ProjectSession",
            "项目“%1”已在另一个%2窗口中打开。\n两个窗口都修改并保存时，先保存的修改会被后保存的覆盖。")
            .arg(QFileInfo(path).fileName(), programName()),
        { QCoreApplication::translate("ProjectSession", "只读打开(&R)"),
            QCoreApplication::translate("ProjectSession", "仍然打开(&A)"),
            QCoreApplication::translate("ProjectSession", "取消(&C)") },
        0, 2);
    readOnly = answer == 0;
    return answer != 2;
}

void ProjectSession::lockFile(const QString& path)
{
    const QString lockPath = lockPathOf(path);
    if (m_lock && m_lock->fileName() == lockPath)
        return;
    m_lock.reset();
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        m_lock = std::move(lock);
}

bool ProjectSession::save()
{
    if (m_path.isEmpty())
        return saveAs();
    if (m_readOnly) {
        const int answer = askQuestion(m_document.window,
            QCoreApplication::translate("ProjectSession",
                "项目“%1”是以只读方式打开的，不能保存到原来的文件。\n修改仍在窗口中，要另存为别的文件吗？")
                .arg(QFileInfo(m_path).fileName()),
            { QCoreApplication::translate("ProjectSession", "另存为(&A)…"),
                QCoreApplication::translate("ProjectSession", "取消") },
            0, 1);
        return answer == 0 && saveAs();
    }
    if (m_stamp && ChangedSince(m_path.toStdString(), *m_stamp)) {
        switch (askAboutChangesOnDisk()) {
        case Overwrite::Save:
            break;
        case Overwrite::SaveElsewhere:
            return saveAs();
        case Overwrite::Cancel:
            return false;
        }
    }
    return writeTo(m_path);
}

ProjectSession::Overwrite ProjectSession::askAboutChangesOnDisk()
{
    const int answer = askQuestion(m_document.window,
        QCoreApplication::translate("ProjectSession", "项目文件“%1”在打开之后已被其他程序修改。\n保存会覆盖那些修改。")
            .arg(QDir::toNativeSeparators(m_path)),
        { QCoreApplication::translate("ProjectSession", "覆盖(&O)"),
            QCoreApplication::translate("ProjectSession", "另存为(&A)…"),
            QCoreApplication::translate("ProjectSession", "取消(&C)") },
        1, 2);
    return answer == 0 ? Overwrite::Save : answer == 1 ? Overwrite::SaveElsewhere : Overwrite::Cancel;
}

void ProjectSession::offerReopenIfChanged()
{
    if (m_asking || m_path.isEmpty() || !m_stamp)
        return;
    const std::string path = m_path.toStdString();
    if (!ChangedSince(path, *m_stamp) || (m_keptOver && !ChangedSince(path, *m_keptOver)))
        return;
    m_asking = true;
    const QString lost
        = m_modified ? QCoreApplication::translate("ProjectSession", "\n窗口中尚未保存的修改将丢失。") : QString();
    const int answer = askQuestion(m_document.window,
        QCoreApplication::translate("ProjectSession", "项目文件“%1”已被其他程序修改。\n要重新打开它吗？%2")
            .arg(QDir::toNativeSeparators(m_path), lost),
        { QCoreApplication::translate("ProjectSession", "重新打开(&R)"),
            QCoreApplication::translate("ProjectSession", "保留窗口中的内容(&K)") },
        m_modified ? 1 : 0, 1);
    m_asking = false;
    if (answer == 0 && open(m_path))
        return;
    // Not asked again until the file changes once more; a save still asks before it
    // replaces the other program's work.
    FileStamp now;
    if (ReadWholeFile(path, kMaxProjectFileBytes, &now))
        m_keptOver = now;
}

bool ProjectSession::eventFilter(QObject* watched, QEvent* event)
{
    // Coming back to the window is when a user would notice; asked once the window is
    // active, not inside the activation itself.
    if (watched == m_document.window && event->type() == QEvent::WindowActivate)
        QMetaObject::invokeMethod(this, &ProjectSession::offerReopenIfChanged, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

bool ProjectSession::saveAs()
{
    const QString chosen = chooseFile(Choice::Save);
    if (chosen.isEmpty())
        return false;
    const QString path = withSuffix(chosen);
    if (!mayReplaceFile(m_document.window, chosen, path))
        return false;
    return writeTo(path);
}

bool ProjectSession::writeTo(const QString& path)
{
    const bool existed = QFileInfo::exists(path);
    const std::string text = WriteProjectText(m_document.snapshot());
    if (const auto problem = WriteFileAtomically(path.toStdString(), text)) {
        // The work stays open and marked unsaved; the old file, if any, is as it was. A file
        // its owner made read-only is not replaced: the work can go to another file.
        if (*problem == kReadOnlyFile) {
            const int answer = askQuestion(m_document.window,
                QCoreApplication::translate(
                    "ProjectSession", "“%1”是只读文件，不能覆盖。\n修改仍在窗口中，要另存为别的文件吗？")
                    .arg(QDir::toNativeSeparators(path)),
                { QCoreApplication::translate("ProjectSession", "另存为(&A)…"),
                    QCoreApplication::translate("ProjectSession", "取消") },
                0, 1);
            return answer == 0 && saveAs();
        }
        showMessage(m_document.window,
            QCoreApplication::translate(
                "ProjectSession", "无法保存项目到“%1”：%2。\n%3修改仍在窗口中，可以另存到别处。")
                .arg(QDir::toNativeSeparators(path), toQString(*problem),
                    existed ? QCoreApplication::translate("ProjectSession", "原来的文件没有改动，") : QString()),
            QMessageBox::Warning);
        return false;
    }
    // The history agrees with the file from here on; the mark goes once, below.
    {
        const QScopedValueRollback quiet(m_startingHistory, true);
        m_history->setClean();
    }
    m_autosave->discard();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute != m_path) {
        lockFile(absolute);
        m_readOnly = false;
    }
    m_stamp = StampWritten(path.toStdString(), text);
    m_keptOver.reset();
    setState(absolute, false);
    remember(m_path);
    return true;
}

void ProjectSession::endCleanly()
{
    m_autosave->discard();
}

std::vector<Autosave::LeftBehind> ProjectSession::unsavedCopies() const
{
    std::vector<Autosave::LeftBehind> copies = m_autosave->leftBehind();
    // A copy holding exactly what its project's file holds is no unsaved work (the program
    // ended after the changes were saved or undone): it goes without a question.
    std::erase_if(copies, [](const Autosave::LeftBehind& copy) {
        if (copy.source.isEmpty())
            return false;
        const Outcome<std::string> saved = ReadWholeFile(copy.source.toStdString(), kMaxProjectFileBytes);
        const Outcome<std::string> kept = ReadWholeFile(copy.file.toStdString(), kMaxProjectFileBytes);
        if (!saved || !kept || *saved.value != *kept.value)
            return false;
        Autosave::forget(copy);
        return true;
    });
    return copies;
}

ProjectSession::CopyAnswer ProjectSession::askAboutCopy(
    const Autosave::LeftBehind& copy, bool atStart, int number, int count, bool elsewhere)
{
    const QString name = copy.source.isEmpty() ? untitledName() : QFileInfo(copy.source).fileName();
    const QString written = QLocale(QLocale::Chinese, QLocale::China).toString(copy.written, QLocale::ShortFormat);
    QString question = atStart ? QCoreApplication::translate("ProjectSession",
                           "%3上次没有正常退出。\n项目“%1”有未保存的修改，自动保存于 %2。\n要恢复这些修改吗？")
                                     .arg(name, written, programName())
                               : QCoreApplication::translate("ProjectSession",
                                   "项目“%1”有一份比文件更新的未保存副本（%3上次没有正常退出，自动保存于 %2）。\n"
                                   "要恢复这些修改吗？")
                                     .arg(name, written, programName());
    if (count > 1)
        question += QCoreApplication::translate("ProjectSession", "\n（共有 %1 份未保存的副本，这是第 %2 份。）")
                        .arg(count)
                        .arg(number);
    if (elsewhere)
        question += QCoreApplication::translate("ProjectSession", "\n恢复的修改将在一个新窗口中打开。");
    // Esc or the window's close button only puts the question off: the copy is the user's
    // only record of that work, and is gone for good once declined.
    const int answer = askQuestion(m_document.window, question,
        { QCoreApplication::translate("ProjectSession", "恢复(&R)"),
            QCoreApplication::translate("ProjectSession", "不恢复(&N)"),
            QCoreApplication::translate("ProjectSession", "以后再说(&L)") },
        0, 2);
    return answer == 0 ? CopyAnswer::Restore : answer == 1 ? CopyAnswer::Decline : CopyAnswer::Later;
}

bool ProjectSession::offerCopies(const std::vector<Autosave::LeftBehind>& copies, bool atStart)
{
    // Each copy is some window's work: asked about one by one, and none goes unless its own
    // question was answered 不恢复 or its work is safe in a window's copy again.
    bool restoredHere = false;
    const int count = static_cast<int>(copies.size());
    for (int i = 0; i < count; ++i) {
        const Autosave::LeftBehind& copy = copies[static_cast<std::size_t>(i)];
        switch (askAboutCopy(copy, atStart, i + 1, count, restoredHere)) {
        case CopyAnswer::Restore:
            if (!restoredHere)
                restoredHere = restoreCopy(copy);
            else if (!m_openCopy(copy.file))
                showMessage(m_document.window,
                    QCoreApplication::translate(
                        "ProjectSession", "无法打开新窗口来恢复这份副本；它会在下次启动时再次提供。"),
                    QMessageBox::Warning);
            break;
        case CopyAnswer::Decline:
            Autosave::forget(copy);
            break;
        case CopyAnswer::Later:
            break; // offered again at the next start, and when its project is opened
        }
    }
    return restoredHere;
}

bool ProjectSession::restoreCopy(const Autosave::LeftBehind& copy)
{
    const Outcome<Project> read = LoadProjectFile(copy.file.toStdString());
    if (!read) {
        showMessage(m_document.window,
            QCoreApplication::translate("ProjectSession", "自动保存的副本无法读取：%1").arg(toQString(read.problem)),
            QMessageBox::Warning);
        return false; // kept: the user may want to look at it
    }
    m_document.show(*read.value);
    m_readOnly = false;
    m_keptOver.reset();
    if (copy.source.isEmpty()) {
        m_lock.reset();
        m_stamp.reset();
    } else {
        lockFile(copy.source);
        // A file saved after the copy was written holds work the copy lacks: the stamp of
        // no file at all makes the next save ask before replacing it.
        FileStamp now;
        const QFileInfo source(copy.source);
        if (source.exists() && source.lastModified() <= copy.written
            && ReadWholeFile(copy.source.toStdString(), kMaxProjectFileBytes, &now))
            m_stamp = now;
        else
            m_stamp = FileStamp{};
    }
    // Restored work is unsaved work: it belongs to its file, but is not in it yet.
    startHistory(false);
    setState(copy.source, true);
    m_autosave->changed(m_path);
    // The old copy goes only once this window's own copy holds the work.
    if (m_autosave->writeNow())
        Autosave::forget(copy);
    return true;
}

void ProjectSession::offerRecovery()
{
    offerCopies(unsavedCopies(), true);
}

bool ProjectSession::restoreCopyFile(const QString& copyFile)
{
    for (const Autosave::LeftBehind& copy : m_autosave->leftBehind())
        if (QFileInfo(copy.file) == QFileInfo(copyFile))
            return restoreCopy(copy);
    showMessage(m_document.window,
        QCoreApplication::translate("ProjectSession", "自动保存的副本“%1”已不存在，可能已在别的窗口中恢复。")
            .arg(QDir::toNativeSeparators(copyFile)),
        QMessageBox::Information);
    return false;
}

QStringList ProjectSession::recentProjects() const
{
    return QSettings(settingsFile(), QSettings::IniFormat).value(kRecentKey).toStringList();
}

void ProjectSession::forget(const QString& path)
{
    QStringList recent = recentProjects();
    recent.removeAll(path);
    QSettings(settingsFile(), QSettings::IniFormat).setValue(kRecentKey, recent);
}

void ProjectSession::remember(const QString& path)
{
    QStringList recent = recentProjects();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentCount)
        recent.removeLast();
    QSettings store(settingsFile(), QSettings::IniFormat);
    store.setValue(kRecentKey, recent);
    fillRecentMenu();
}

void ProjectSession::fillRecentMenu()
{
    if (!m_recentMenu)
        return;
    m_recentMenu->clear();
    const QStringList recent = recentProjects();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // "&1 家.renoquote", with the folder beside it so that two files of one name differ.
        QAction* action
            = m_recentMenu->addAction(QStringLiteral("&%1 %2  (%3)")
                                          .arg(i + 1)
                                          .arg(menuText(QFileInfo(path).fileName()),
                                              menuText(QDir::toNativeSeparators(QFileInfo(path).absolutePath()))),
                this, [this, path] {
                    if (maySetAside() && !open(path) && !QFileInfo::exists(path))
                        forget(path); // moved or deleted since: no use offering it again
                });
        action->setData(path);
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

} // namespace rq
