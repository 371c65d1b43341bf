// renoquote-cli quote with project files: a quote taken up from a saved project, and the
// quote of a run kept as a project that the desktop program opens.
#pragma once

#include <optional>
#include <string>

#include "convert/outcome.h"
#include "files/file_stamp.h"
#include "project/project.h"

namespace rq::cli {

struct ProjectQuote {
    Project project;
    KeptSheet kept; // the project's sheet of the package, or a new one from its rooms
    FileStamp read; // the file as it was read, for a save over it to see later changes
};

// Reads the project file and takes its kept sheet of the package, building one from the
// project's rooms, grade and floor when the user never opened that package. Fails when the
// file cannot be read; refused when it is no sound project or has nothing to quote.
Outcome<ProjectQuote> OpenProjectQuote(const std::string& path, Package package);

// Writes the project; the problem when it could not be (the old file is then unchanged).
std::optional<Text> SaveProject(const std::string& path, const Project& project);

// When the run read its project from the file it now saves to, whether someone else
// changed that file meanwhile: their work is not replaced. The refusal, or nothing.
std::optional<Text> RefuseSavingOverChanges(const std::string& readPath, const FileStamp& read,
                                            const std::string& savePath);

} // namespace rq::cli
