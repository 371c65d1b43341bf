// The project file (.renoquote): UTF-8 JSON, described in docs/project-file.md. Reading is
// strict: a file that is not exactly a project of a version this program knows is refused
// whole, with a Chinese message saying what is wrong, and nothing of it is used.
#pragma once

#include <optional>
#include <string_view>

#include "convert/outcome.h"
#include "files/file_stamp.h"
#include "project/project.h"

namespace rq {

inline constexpr std::string_view kProjectFormatName = "renoquote-project";
// The program as its Chinese messages name it (a home owner reads no command name there).
inline constexpr std::string_view kProgramChineseName = "装修报价评估工具";
// Version 2 keeps the price book; a version 1 file was priced with the built-in book.
inline constexpr int kProjectFormatVersion = 2;
inline constexpr std::string_view kProjectFileSuffix = ".renoquote";
// Far beyond any dwelling (a 1,000-room project with both sheets is a few megabytes); a
// larger file is refused before it is read into memory.
inline constexpr std::size_t kMaxProjectFileBytes = 64u << 20;

// The file's text. Control characters and quotes in texts are escaped as JSON does; every
// other character is written as itself, so the file stays readable in any text editor.
std::string WriteProjectText(const Project& project);

// Parses a whole file. Syntax errors name their line and column; wrong types, unknown or
// repeated names, a newer version, and quote sheets whose rows could not have come from
// this program are refused by name (status kStatusRefused).
Outcome<Project> ReadProjectText(std::string_view bytes);

// Reads and parses the project file at `path`: a file that cannot be read fails with
// kStatusFailed, one that is no sound project is refused with kStatusRefused. The problem
// does not name the file; the caller says which file it was. `stamp`, when given, receives
// what the file was as read (see files/file_stamp.h).
Outcome<Project> LoadProjectFile(const std::string& path, FileStamp* stamp = nullptr);

// The JSON library and its version, for the program's "关于".
Text ProjectLibraryName();

} // namespace rq
