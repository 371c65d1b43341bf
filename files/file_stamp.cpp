#include "files/file_stamp.h"

#include <sys/stat.h>

#include "files/capped_read.h"

namespace rq {
namespace {

// FNV-1a: a change of any byte changes it; nothing here needs to resist a forger, who
// could as well change the file after our check.
std::uint64_t HashOf(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::int64_t ModifiedNs(const struct stat& info)
{
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

}  // namespace

FileStamp StampOf(const struct stat& info, std::string_view bytes)
{
    return {static_cast<std::uint64_t>(info.st_size), ModifiedNs(info), HashOf(bytes)};
}

FileStamp StampWritten(const std::string& path, std::string_view bytes)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return {0, 0, HashOf(bytes)};
    return StampOf(info, bytes);
}

bool ChangedSince(const std::string& path, const FileStamp& known)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return false;
    if (static_cast<std::uint64_t>(info.st_size) != known.size)
        return true;
    if (ModifiedNs(info) == known.modifiedNs)
        return false;
    const Outcome<std::string> bytes = ReadWholeFile(path, static_cast<std::size_t>(known.size));
    return !bytes || HashOf(*bytes.value) != known.contentHash;
}

}  // namespace rq
