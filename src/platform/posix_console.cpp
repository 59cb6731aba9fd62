#include "platform/console.h"

#include <unistd.h>

namespace appgen::platform {

// POSIX hands the arguments over as the bytes they were typed in: UTF-8.
Utf8CommandLine::Utf8CommandLine(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) args_.emplace_back(argv[i]);
    for (auto& a : args_) pointers_.push_back(a.data());
    pointers_.push_back(nullptr);
}

void useUtf8Console() {}

bool isTerminal(std::FILE* f) { return isatty(fileno(f)) == 1; }

}  // namespace appgen::platform
