// The terminal emulator of the build folder as the walk-through's terminal:
// started on its own pseudo-terminal, whose slave path it prints first, and
// ended when the test lets go of it.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace appgen::gui::testing {

class TerminalEmulator {
public:
    explicit TerminalEmulator(const std::vector<std::string>& args) {
        std::vector<std::string> argv{APPGEN_BINARY_DIR "/terminal-emulator"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> p;
        for (std::string& a : argv) p.push_back(a.data());
        p.push_back(nullptr);

        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
        posix_spawn_file_actions_addclose(&fa, fds[0]);
        posix_spawn_file_actions_addclose(&fa, fds[1]);
        if (posix_spawn(&pid_, p[0], &fa, nullptr, p.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&fa);
        close(fds[1]);
        // A missing or broken emulator leaves the slave path empty.
        char c = 0;
        pollfd wait{fds[0], POLLIN, 0};
        while (pid_ > 0 && poll(&wait, 1, 5000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            slave_.push_back(c);
        close(fds[0]);
    }
    ~TerminalEmulator() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    TerminalEmulator(const TerminalEmulator&) = delete;
    TerminalEmulator& operator=(const TerminalEmulator&) = delete;

    const std::string& slave() const { return slave_; }
    bool started() const { return !slave_.empty(); }

private:
    pid_t pid_ = -1;
    std::string slave_;
};

}  // namespace appgen::gui::testing
