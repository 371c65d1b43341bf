// What a project file held when the program last read or wrote it, so that a save can
// tell whether someone else (another window, another program, a synchronising service)
// has changed it since, before replacing their work with ours.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct stat;

namespace rq {

struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t contentHash = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of a file whose status is `info` and whose whole content is `bytes`.
FileStamp StampOf(const struct stat& info, std::string_view bytes);

// The stamp of the file at `path` just written with `bytes`; a zero stamp when the file
// cannot be looked at (any later comparison then reads the file).
FileStamp StampWritten(const std::string& path, std::string_view bytes);

// Whether the file at `path` holds something else than when `known` was taken. A file
// only touched (same bytes, newer time) is unchanged; a file gone since holds no one's
// work, so it is unchanged too.
bool ChangedSince(const std::string& path, const FileStamp& known);

}  // namespace rq
