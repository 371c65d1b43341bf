#include "app/autosave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "files/atomic_file.h"
#include "project/recovery.h"

namespace rq {

namespace {

QString defaultFolder()
{
    const auto folder = RecoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
    return folder ? QString::fromStdString(*folder) : QString();
}

// The file that remembers where the project of a copy came from.
QString sourceFileOf(const QString& copy)
{
    return copy.left(copy.size() - static_cast<qsizetype>(QStringLiteral(".renoquote").size()))
        + QStringLiteral(".source");
}

QByteArray processName(const QString& process)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(process));
    return comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : QByteArray();
}

// Whether the program that wrote a copy still runs. After a restart its number may belong
// to some other program by now, which must not hide the copy for ever.
bool programIsRunning(long pid)
{
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    const QByteArray name = processName(QString::number(pid));
    return name.isEmpty() || name == processName(QStringLiteral("self"));
}

} // namespace

Autosave::Autosave(Snapshot snapshot, QObject* parent, QString folder)
    : QObject(parent)
    , m_snapshot(std::move(snapshot))
    , m_folder(folder.isEmpty() ? defaultFolder() : folder)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &Autosave::writeNow);
}

QString Autosave::file() const
{
    if (m_folder.isEmpty())
        return {};
    return m_folder + QLatin1Char('/')
        + QString::fromStdString(RecoveryFileName(static_cast<long>(QCoreApplication::applicationPid())));
}

void Autosave::changed(const QString& source)
{
    m_source = source;
    // A burst of typing is one write: the timer is not restarted while it runs.
    if (!m_timer.isActive())
        m_timer.start();
}

bool Autosave::writeNow()
{
    m_timer.stop();
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The copy is a convenience: a full disk here must not interrupt the user, who still
    // has the work on screen and the real save to come.
    const std::string copy = file().toStdString();
    if (WriteFileAtomically(copy, m_snapshot()))
        return false;
    return !WriteFileAtomically(sourceFileOf(file()).toStdString(), m_source.toStdString());
}

void Autosave::discard()
{
    m_timer.stop();
    if (m_folder.isEmpty())
        return;
    QFile::remove(file());
    QFile::remove(sourceFileOf(file()));
}

std::vector<Autosave::LeftBehind> Autosave::leftBehind() const
{
    std::vector<LeftBehind> copies;
    if (m_folder.isEmpty())
        return copies;
    const QDir folder(m_folder);
    for (const QFileInfo& info : folder.entryInfoList({ QStringLiteral("recovery-*.renoquote") }, QDir::Files)) {
        const auto pid = RecoveryFileProcess(info.fileName().toStdString());
        if (!pid || *pid == QCoreApplication::applicationPid() || programIsRunning(*pid))
            continue;
        QFile source(sourceFileOf(info.filePath()));
        QString sourcePath;
        if (source.open(QIODevice::ReadOnly))
            sourcePath = QString::fromUtf8(source.read(64 * 1024));
        copies.push_back({ info.filePath(), sourcePath, info.lastModified() });
    }
    std::sort(
        copies.begin(), copies.end(), [](const LeftBehind& a, const LeftBehind& b) { return a.written > b.written; });
    return copies;
}

void Autosave::forget(const LeftBehind& copy)
{
    QFile::remove(copy.file);
    QFile::remove(sourceFileOf(copy.file));
}

} // namespace rq
