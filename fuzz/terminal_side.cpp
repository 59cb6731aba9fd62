#include "terminal_side.h"

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace appgen::fuzz {
namespace {

namespace fs = std::filesystem;
constexpr std::string_view kPrefix = "appgen-fuzz-";

#ifdef _WIN32
// Only the replay driver runs on Windows, and it runs the exit handlers.
void removeFoldersOfEndedRuns() {}
long processId() { return _getpid(); }
#else
long processId() { return ::getpid(); }

// libFuzzer ends a timed run without running exit handlers, so each process
// clears the folders of those that are gone.
void removeFoldersOfEndedRuns() {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::temp_directory_path(), ec)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(kPrefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + kPrefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove_all(e.path(), ec);
    }
}
#endif

}  // namespace

std::string scratchPath(const std::string& name) {
    static const fs::path dir = [] {
        removeFoldersOfEndedRuns();
        auto d = fs::temp_directory_path() / (std::string(kPrefix) + std::to_string(processId()));
        fs::create_directories(d);
        return d;
    }();
    // Registered after `dir` exists, so it runs before `dir` is destroyed.
    static const bool cleared = std::atexit([] {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }) == 0;
    (void)cleared;
    return (dir / name).string();
}

void violated(const char* property) {
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

}  // namespace appgen::fuzz
