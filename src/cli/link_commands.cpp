// Placeholder until these commands are built.
#include <cstdio>

#include "cli/commands.h"

namespace appgen::cli {

int runDownload(const Args&) {
    std::fprintf(stderr, "appgen-cli: this command is not built yet\n");
    return kExitFailure;
}
int runDownloadLookup(const Args&) {
    std::fprintf(stderr, "appgen-cli: this command is not built yet\n");
    return kExitFailure;
}
int runUpload(const Args&) {
    std::fprintf(stderr, "appgen-cli: this command is not built yet\n");
    return kExitFailure;
}

}  // namespace appgen::cli
