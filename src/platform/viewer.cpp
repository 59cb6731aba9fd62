#include "platform/viewer.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace appgen::platform {
namespace {

// How long the opener's answer is waited for. xdg-open hands the file on and
// exits at once; one still running by then is the viewer itself, showing it.
constexpr int kOpenerSlices = 100;
constexpr long kSliceNanoseconds = 50'000'000;  // 5 s in all

// Runs the command through an intermediate child that waits for the opener's
// exit status (or the time above) and passes it on, so the opener is never
// our child and the window never waits for the viewer to close.
bool runOpener(const std::vector<std::string>& cmd) {
    std::vector<char*> argv;
    for (const auto& a : cmd) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        // Only async-signal-safe calls here: the desktop has threads.
        pid_t opener = 0;
        if (posix_spawnp(&opener, argv[0], nullptr, nullptr, argv.data(), environ) != 0) _exit(127);
        for (int i = 0; i < kOpenerSlices; ++i) {
            int status = 0;
            const pid_t got = waitpid(opener, &status, WNOHANG);
            if (got == opener) _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 126);
            if (got < 0 && errno != EINTR) _exit(0);
            const timespec slice{0, kSliceNanoseconds};
            nanosleep(&slice, nullptr);
        }
        _exit(0);
    }
    int status = 0;
    pid_t got = 0;
    while ((got = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    return got == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string absolute(const std::string& path) {
    std::error_code ec;
    std::string full = std::filesystem::absolute(path, ec).string();
    return ec ? path : full;
}

}  // namespace

std::vector<std::string> viewerCommand(const std::string& path) {
#if defined(__APPLE__)
    return {"open", "-t", absolute(path)};
#else
    return {"xdg-open", absolute(path)};
#endif
}

bool launchViewer(const std::string& path) { return runOpener(viewerCommand(path)); }

FolderOpener folderOpener() {
    auto open = [](const std::string& folder) {
#if defined(__APPLE__)
        return runOpener({"open", absolute(folder)});
#else
        return runOpener({"xdg-open", absolute(folder)});
#endif
    };
#if defined(__APPLE__)
    return open;
#else
    // xdg-open finds a program for folders only where the desktop names one.
    std::FILE* query = popen("xdg-mime query default inode/directory 2>/dev/null", "r");
    if (!query) return {};
    char name[256] = {};
    const bool named = std::fgets(name, sizeof name, query) != nullptr && name[0] != '\n';
    const bool ok = pclose(query) == 0;
    return named && ok ? FolderOpener(open) : FolderOpener();
#endif
}

}  // namespace appgen::platform
