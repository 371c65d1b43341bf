// renoquote-cli quote with project files: a quote taken up from a saved project, and the
// quote of a run kept as a project that the desktop program opens.
#pragma once

#include <optional>
#include <string>

#include "project/project.h"

namespace rq::cli {

struct ProjectQuote {
    Project project;
    KeptSheet kept; // the project's sheet of the package, or a new one from its rooms
    Text problem; // set when the file was refused; nothing else is then
    int status = 0; // 1 the file could not be read, 2 it was refused
};

// Reads the project file and takes its kept sheet of the package, building one from the
// project's rooms, grade and floor when the user never opened that package.
ProjectQuote OpenProjectQuote(const std::string& path, Package package);

// Writes the project; the problem when it could not be (the old file is then unchanged).
std::optional<Text> SaveProject(const std::string& path, const Project& project);

} // namespace rq::cli
