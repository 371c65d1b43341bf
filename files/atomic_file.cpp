#include "files/atomic_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "convert/utf8.h"
#include "files/file_errors.h"

namespace rq {
namespace {

// Room for the marks a temporary name gets, in a name of at most 255 bytes.
constexpr std::size_t kTemporaryNameBytes = 200;
constexpr std::string_view kTemporaryMark = "~rq-";

// Closes the descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

Text Reason(int error) { return FileErrorText(error, FileAccess::Write); }

// The file a link points at, so that saving through a link updates the real file. A path
// that does not exist yet stays as it is.
std::string RealTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    struct stat info { };
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && ::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

// Whether the mode lets this user write the file. The bits decide, for root as well: a
// file its owner made read-only is not replaced behind the owner's back.
bool ModeAllowsWriting(const struct stat& info)
{
    const uid_t user = ::geteuid();
    if (user == 0)
        return (info.st_mode & 0222) != 0;
    if (user == info.st_uid)
        return (info.st_mode & S_IWUSR) != 0;
    if (::getegid() == info.st_gid)
        return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

// The permissions the new file gets: those of the file it replaces, else what the user's
// umask gives a new file (a temporary file alone would make every file private).
mode_t ModeFor(const struct stat* existing)
{
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

struct Target {
    std::string path;    // links followed
    std::string folder;
    std::string name;
    std::optional<struct stat> existing;
};

// Where the new file goes, or why it cannot.
std::optional<Text> FindTarget(const std::string& path, Target& target)
{
    target.path = RealTarget(path);
    struct stat info { };
    if (::stat(target.path.c_str(), &info) == 0) {
        // Renamed over, a device or a named pipe would be replaced by the file: saved to
        // /dev/null by root, the system would lose its null device.
        if (!S_ISREG(info.st_mode))
            return S_ISDIR(info.st_mode) ? Reason(EISDIR) : Text(kNotAFile);
        if (!ModeAllowsWriting(info))
            return Text(kReadOnlyFile);
        target.existing = info;
    }
    const std::size_t slash = target.path.rfind('/');
    target.folder = slash == std::string::npos ? "." : target.path.substr(0, slash == 0 ? 1 : slash);
    target.name = slash == std::string::npos ? target.path : target.path.substr(slash + 1);
    return std::nullopt;
}

std::string RandomLetters(std::size_t count)
{
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[16] = {};
    if (::getrandom(random, sizeof random, 0) < 0) {
        static unsigned counter = 0;
        for (unsigned char& byte : random)
            byte = static_cast<unsigned char>(++counter * 131u + static_cast<unsigned>(::getpid()));
    }
    std::string letters;
    for (std::size_t i = 0; i < count; ++i)
        letters += kLetters[random[i % sizeof random] % kLetters.size()];
    return letters;
}

bool ProcessRuns(long process) { return ::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM; }

// Temporary files of runs that were killed before they could rename or remove them.
void RemoveLeftovers(const std::string& folder)
{
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const std::optional<long> process = TemporaryFileProcess(entry->d_name);
        if (process && *process != ::getpid() && !ProcessRuns(*process))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    }
    ::closedir(directory);
}

// ".NAME~rq-PID-XXXXXX" beside the target: hidden, on the same file system, so the rename
// cannot be a copy; the name cut short enough that the marks still leave a legal name (a
// name may have 255 bytes: 85 Chinese characters).
std::string TemporaryPattern(const Target& target)
{
    return target.folder + "/." + std::string(Utf8Prefix(target.name, kTemporaryNameBytes)) + Text(kTemporaryMark) +
           std::to_string(::getpid()) + "-XXXXXX";
}

void SyncFolder(const std::string& folder)
{
    // The new name itself must reach the disk, or a power cut could bring back the old file.
    Descriptor directory;
    directory.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory.fd >= 0)
        ::fsync(directory.fd);
}

// Flushes and closes `fd` (a failing close can be the first word of a full disk on network
// file systems), renames `temporary` over the target and syncs the folder; removes the
// temporary file when any step fails.
std::optional<Text> PutInPlace(Descriptor& file, const std::string& temporary, const Target& target)
{
    const auto fail = [&](int error) -> std::optional<Text> {
        ::unlink(temporary.c_str());
        return Reason(error);
    };
    if (::fchmod(file.fd, ModeFor(target.existing ? &*target.existing : nullptr)) != 0 || ::fsync(file.fd) != 0)
        return fail(errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0)
        return fail(errno);
    if (::rename(temporary.c_str(), target.path.c_str()) != 0)
        return fail(errno);
    SyncFolder(target.folder);
    return std::nullopt;
}

}  // namespace

std::optional<long> TemporaryFileProcess(std::string_view name)
{
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (!name.starts_with('.') || mark == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = name.substr(mark + kTemporaryMark.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 || rest.size() - dash - 1 != 6)
        return std::nullopt;
    long process = 0;
    for (const char digit : rest.substr(0, dash)) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        process = process * 10 + (digit - '0');
    }
    return process > 0 ? std::optional<long>(process) : std::nullopt;
}

std::optional<Text> WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    Target target;
    if (std::optional<Text> problem = FindTarget(path, target))
        return problem;
    RemoveLeftovers(target.folder);
    Descriptor file;
    std::string temporary = TemporaryPattern(target);
    // Unnamed until it is whole, where the file system allows: a run killed while writing
    // leaves nothing behind. It is given its temporary name only to be renamed at once.
    file.fd = ::open(target.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (file.fd >= 0) {
        if (!WriteAll(file.fd, bytes))
            return Reason(errno);
        const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
        for (int attempt = 0;; ++attempt) {
            std::string named = temporary;
            named.replace(named.size() - 6, 6, RandomLetters(6));  // linkat refuses a name that exists
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                temporary = std::move(named);
                break;
            }
            if (errno != EEXIST || attempt == 100)
                return Reason(errno);
        }
        return PutInPlace(file, temporary, target);
    }
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file.fd < 0)
        return Reason(errno);
    if (!WriteAll(file.fd, bytes)) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Reason(error);
    }
    return PutInPlace(file, temporary, target);
}

std::optional<Text> ReplaceFileWith(const std::string& path, const std::function<bool(const std::string& temporary)>& write)
{
    Target target;
    if (std::optional<Text> problem = FindTarget(path, target))
        return problem;
    RemoveLeftovers(target.folder);
    std::string temporary = TemporaryPattern(target);
    Descriptor file;
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file.fd < 0)
        return Reason(errno);
    ::close(file.fd);
    file.fd = -1;
    if (!write(temporary)) {
        ::unlink(temporary.c_str());
        return std::nullopt;
    }
    // Opened again by its name: the writer may have made the file anew under it.
    file.fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Reason(error);
    }
    return PutInPlace(file, temporary, target);
}

}  // namespace rq
