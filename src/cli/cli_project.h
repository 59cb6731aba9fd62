// Opening and saving projects from the command line, with the system's own
// messages on stderr.
#pragma once

#include <string>
#include <vector>

#include "project/project.h"

namespace appgen::cli {

// Both resets, as a fresh start and the New command do.
void resetWorkspace(Workspace& ws);
// Opens a project exactly as the Open command reads it (either format); on a
// failure prints the reason and returns false.
bool openProjectFile(const std::string& path, Workspace& ws);
bool saveProjectFile(const std::string& path, const Project& p);
// True when args hold --help or -h.
bool wantsHelp(const std::vector<std::string>& args);

}  // namespace appgen::cli
