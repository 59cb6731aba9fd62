// Where the running program lives, for finding the files installed beside it.
#pragma once

#include <string>

namespace appgen::platform {

// The folder of the running executable; the current folder when the system
// does not say.
std::string programFolder();

}  // namespace appgen::platform
