// Placeholder until this command is built.
#include <cstdio>

#include "cli/commands.h"

namespace appgen::cli {

int runNew(const Args&) { return kExitFailure; }
int runConvert(const Args&) { return kExitFailure; }
int runDump(const Args&) { return kExitFailure; }

}  // namespace appgen::cli
