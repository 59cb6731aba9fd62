// A listing of a whole project for people to read (UTF-8).
#pragma once

#include <string>

#include "project/project.h"

namespace appgen::cli {

std::string dumpProject(const Project& p);

}  // namespace appgen::cli
