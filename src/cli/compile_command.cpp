// Placeholder until this command is built.
#include <cstdio>

#include "cli/commands.h"

namespace appgen::cli {

int runCompile(const Args&) {
    std::fprintf(stderr, "appgen-cli: this command is not built yet\n");
    return kExitFailure;
}

}  // namespace appgen::cli
