#include "platform/viewer.h"

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace appgen::platform {

std::vector<std::string> viewerCommand(const std::string& path) {
    std::error_code ec;
    std::string full = std::filesystem::absolute(path, ec).string();
    if (ec) full = path;
#if defined(_WIN32)
    return {"notepad.exe", full};
#elif defined(__APPLE__)
    return {"open", "-t", full};
#else
    return {"xdg-open", full};
#endif
}

bool launchViewer(const std::string& path) {
    const std::vector<std::string> cmd = viewerCommand(path);
    std::vector<char*> argv;
    for (const auto& a : cmd) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
#ifdef _WIN32
    return _spawnvp(_P_NOWAIT, argv[0], argv.data()) != -1;
#else
    // An intermediate child starts the viewer and leaves at once, so the
    // viewer is never our child and never waited for.
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        pid_t viewer = 0;
        const int rc = posix_spawnp(&viewer, argv[0], nullptr, nullptr, argv.data(), environ);
        _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    pid_t got = 0;
    while ((got = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    return got == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

}  // namespace appgen::platform
