#include "terminal_side.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace appgen::fuzz {

std::string scratchPath(const std::string& name) {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("appgen-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("appgen-fuzz-" + std::to_string(::getpid())),
                                        ec);
        });
        return d;
    }();
    return (dir / name).string();
}

void violated(const char* property) {
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

}  // namespace appgen::fuzz
