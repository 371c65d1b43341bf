#include "app/project_session.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>

#include "app/autosave.h"
#include "files/atomic_file.h"
#include "files/capped_read.h"
#include "files/file_errors.h"
#include "project/project_file.h"
#include "ui/message_box.h"
#include "qtcore/qt_text.h"

namespace rq {

namespace {

const QString kFileFilter = QStringLiteral("装修报价项目 (*.renoquote);;所有文件 (*)");
const QString kUntitled = QStringLiteral("未命名");

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
{
}

ProjectSession::~ProjectSession() = default;

void ProjectSession::addFileMenu(QMenuBar* bar, const QList<QAction*>& projectActions)
{
    QMenu* menu = bar->addMenu(QStringLiteral("文件(&F)"));
    // The usual keys, spelt out: some desktops give 另存为 and 退出 no standard key at all.
    const auto add = [&](const QString& text, QKeyCombination key, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setShortcut(QKeySequence(key));
        return action;
    };
    add(QStringLiteral("新建(&N)"), Qt::CTRL | Qt::Key_N, [this] { newProject(); });
    add(QStringLiteral("打开(&O)…"), Qt::CTRL | Qt::Key_O, [this] { openWithDialog(); });
    add(QStringLiteral("保存(&S)"), Qt::CTRL | Qt::Key_S, [this] { save(); });
    add(QStringLiteral("另存为(&A)…"), Qt::CTRL | Qt::SHIFT | Qt::Key_S, [this] { saveAs(); });
    if (!projectActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(projectActions);
    }
    menu->addSeparator();
    m_recentMenu = menu->addMenu(QStringLiteral("最近打开的项目(&R)"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &ProjectSession::fillRecentMenu);
    fillRecentMenu();
    menu->addSeparator();
    add(QStringLiteral("退出(&X)"), Qt::CTRL | Qt::Key_Q, [this] { Q_EMIT quitRequested(); });
}

QString ProjectSession::displayName() const
{
    return m_path.isEmpty() ? kUntitled : QFileInfo(m_path).fileName();
}

void ProjectSession::setState(const QString& path, bool modified)
{
    m_path = path;
    m_modified = modified;
    Q_EMIT stateChanged();
}

void ProjectSession::markModified()
{
    if (!m_modified)
        setState(m_path, true);
    m_autosave->changed(m_path);
}

bool ProjectSession::maySetAside()
{
    if (!m_modified)
        return true;
    const QString question = QStringLiteral("项目“%1”有尚未保存的修改。要保存吗？").arg(displayName());
    const QStringList buttons = { QStringLiteral("保存(&S)"), QStringLiteral("不保存(&N)"), QStringLiteral("取消(&C)") };
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
    m_autosave->discard();
    setState({}, false);
    return true;
}

QString ProjectSession::chooseFile(Choice choice)
{
    const QString suggestion = m_path.isEmpty()
        ? QDir::homePath() + QLatin1Char('/') + kUntitled + toQString(Text(kProjectFileSuffix))
        : m_path;
    if (m_chooseFile)
        return m_chooseFile(choice, suggestion);
    if (choice == Choice::Open)
        return QFileDialog::getOpenFileName(
            m_document.window, QStringLiteral("打开项目"), QFileInfo(suggestion).absolutePath(), kFileFilter);
    return QFileDialog::getSaveFileName(m_document.window, QStringLiteral("保存项目"), suggestion, kFileFilter);
}

bool ProjectSession::openWithDialog()
{
    if (!maySetAside())
        return false;
    const QString path = chooseFile(Choice::Open);
    return !path.isEmpty() && open(path);
}

bool ProjectSession::open(const QString& path)
{
    // Read and checked whole before anything is shown: a refused file leaves the open
    // project exactly as it was.
    const Outcome<Project> read = LoadProjectFile(path.toStdString());
    if (!read) {
        showMessage(m_document.window,
            QStringLiteral("无法打开项目“%1”：\n%2").arg(QDir::toNativeSeparators(path), toQString(read.problem)),
            QMessageBox::Warning);
        return false;
    }
    // Work on this project that a program killed meanwhile kept, put off at the start: the
    // user opening the file is the moment to remind of it.
    const QFileInfo opened(path);
    std::vector<Autosave::LeftBehind> copies = unsavedCopies();
    std::erase_if(copies, [&opened](const Autosave::LeftBehind& copy) {
        return copy.source.isEmpty() || QFileInfo(copy.source) != opened || copy.written < opened.lastModified();
    });
    if (!copies.empty()) {
        const CopyAnswer answer = askAboutCopy(copies.front(), false);
        if (answer == CopyAnswer::Restore && restoreCopy(copies.front())) {
            remember(m_path);
            for (const Autosave::LeftBehind& copy : copies)
                Autosave::forget(copy);
            return true;
        }
        if (answer == CopyAnswer::Decline)
            for (const Autosave::LeftBehind& copy : copies)
                Autosave::forget(copy);
    }
    m_document.show(*read.value);
    m_autosave->discard();
    setState(QFileInfo(path).absoluteFilePath(), false);
    remember(m_path);
    return true;
}

bool ProjectSession::save()
{
    if (m_path.isEmpty())
        return saveAs();
    return writeTo(m_path);
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
    if (const auto problem = WriteFileAtomically(path.toStdString(), WriteProjectText(m_document.snapshot()))) {
        // The work stays open and marked unsaved; the old file, if any, is as it was. A file
        // its owner made read-only is not replaced: the work can go to another file.
        if (*problem == kReadOnlyFile) {
            const int answer = askQuestion(m_document.window,
                QStringLiteral("“%1”是只读文件，不能覆盖。\n修改仍在窗口中，要另存为别的文件吗？")
                    .arg(QDir::toNativeSeparators(path)),
                { QStringLiteral("另存为(&A)…"), QStringLiteral("取消") }, 0, 1);
            return answer == 0 && saveAs();
        }
        showMessage(m_document.window,
            QStringLiteral("无法保存项目到“%1”：%2。\n原来的文件没有改动，修改仍在窗口中，可以另存到别处。")
                .arg(QDir::toNativeSeparators(path), toQString(*problem)),
            QMessageBox::Warning);
        return false;
    }
    m_autosave->discard();
    setState(QFileInfo(path).absoluteFilePath(), false);
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

ProjectSession::CopyAnswer ProjectSession::askAboutCopy(const Autosave::LeftBehind& copy, bool atStart)
{
    const QString name = copy.source.isEmpty() ? kUntitled : QFileInfo(copy.source).fileName();
    const QString written = QLocale(QLocale::Chinese, QLocale::China).toString(copy.written, QLocale::ShortFormat);
    const QString question = atStart
        ? QStringLiteral("%3上次没有正常退出。\n项目“%1”有未保存的修改，自动保存于 %2。\n要恢复这些修改吗？")
              .arg(name, written, toQString(kProgramChineseName))
        : QStringLiteral("项目“%1”有一份比文件更新的未保存副本（%3上次没有正常退出，自动保存于 %2）。\n"
                         "要恢复这些修改吗？")
              .arg(name, written, toQString(kProgramChineseName));
    // Esc or the window's close button only puts the question off: the copy is the user's
    // only record of that work, and is gone for good once declined.
    const int answer = askQuestion(m_document.window, question,
        { QStringLiteral("恢复(&R)"), QStringLiteral("不恢复(&N)"), QStringLiteral("以后再说(&L)") }, 0, 2);
    return answer == 0 ? CopyAnswer::Restore : answer == 1 ? CopyAnswer::Decline : CopyAnswer::Later;
}

bool ProjectSession::restoreCopy(const Autosave::LeftBehind& copy)
{
    const Outcome<Project> read = LoadProjectFile(copy.file.toStdString());
    if (!read) {
        showMessage(m_document.window, QStringLiteral("自动保存的副本无法读取：%1").arg(toQString(read.problem)),
            QMessageBox::Warning);
        return false; // kept: the user may want to look at it
    }
    m_document.show(*read.value);
    // Restored work is unsaved work: it belongs to its file, but is not in it yet.
    setState(copy.source, true);
    m_autosave->changed(m_path);
    m_autosave->writeNow();
    return true;
}

void ProjectSession::offerRecovery()
{
    const auto copies = unsavedCopies();
    if (copies.empty())
        return;
    const Autosave::LeftBehind& newest = copies.front();
    const CopyAnswer answer = askAboutCopy(newest, true);
    if (answer == CopyAnswer::Later)
        return; // offered again at the next start, and when its project is opened
    if (answer == CopyAnswer::Restore && !restoreCopy(newest))
        return;
    // Restored into this program's own copy, or declined: either way the old copy goes.
    for (const Autosave::LeftBehind& copy : copies)
        Autosave::forget(copy);
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
