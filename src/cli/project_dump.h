// A listing of a whole project for people to read (UTF-8), and the list of
// fields in which two projects differ; both in the words of one field table.
#pragma once

#include <string>
#include <vector>

#include "project/project.h"

namespace appgen::cli {

// Every field in use and every byte that differs from a fresh project: two
// projects with the same listing hold the same bytes.
std::string dumpProject(const Project& p);

// "Форма 1, строка 2: макс. длина 13 → 20", one line per field that differs.
std::vector<std::string> diffProjects(const Project& before, const Project& after);

// Opens a project for listing (both resets first, messages on stderr); a
// current-format file keeps its own tag bytes, the tenth included.
bool loadProjectForListing(const std::string& path, Project& p);

}  // namespace appgen::cli
