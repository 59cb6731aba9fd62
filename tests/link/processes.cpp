#include "processes.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

extern char** environ;

namespace appgen::e2e {
namespace {

std::vector<char*> pointers(std::vector<std::string>& v) {
    std::vector<char*> p;
    for (auto& s : v) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

pid_t spawnWithPipe(std::vector<std::string> argv, std::vector<std::string> env, int& readEnd,
                    bool withStderr) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
    if (withStderr) posix_spawn_file_actions_adddup2(&fa, fds[1], 2);
    posix_spawn_file_actions_addclose(&fa, fds[0]);
    posix_spawn_file_actions_addclose(&fa, fds[1]);
    // The extra entries come first, so they win over inherited ones.
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    auto args = pointers(argv);
    auto envp = pointers(env);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &fa, nullptr, args.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    close(fds[1]);
    readEnd = fds[0];
    return pid;
}

}  // namespace

std::string binary(const std::string& name) { return std::string(APPGEN_BINARY_DIR) + "/" + name; }

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& args) {
    std::vector<std::string> argv{binary("terminal-emulator")};
    argv.insert(argv.end(), args.begin(), args.end());
    int out = -1;
    pid_ = spawnWithPipe(argv, {}, out, false);
    if (pid_ < 0) return;
    std::string line;
    char c = 0;
    pollfd p{out, POLLIN, 0};
    while (poll(&p, 1, 5000) > 0 && read(out, &c, 1) == 1 && c != '\n') line.push_back(c);
    close(out);
    slave_ = line;
}

EmulatorProcess::~EmulatorProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int st = 0;
    waitpid(pid_, &st, 0);
}

Finished runProgram(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    Finished r;
    int out = -1;
    const pid_t pid = spawnWithPipe(argv, extraEnv, out, true);
    if (pid < 0) return r;
    char buf[4096];
    ssize_t n = 0;
    while ((n = read(out, buf, sizeof buf)) > 0) r.output.append(buf, static_cast<std::size_t>(n));
    close(out);
    int st = 0;
    waitpid(pid, &st, 0);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

Finished runCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv) {
    std::vector<std::string> argv{binary("appgen-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv, extraEnv);
}

RunningCli::RunningCli(const std::vector<std::string>& args) {
    std::vector<std::string> argv{binary("appgen-cli")};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_ = spawnWithPipe(argv, {}, out_, true);
}

RunningCli::~RunningCli() {
    if (pid_ > 0) finish();
}

void RunningCli::signal(int sig) {
    if (pid_ > 0) kill(pid_, sig);
}

Finished RunningCli::finish() {
    Finished r;
    if (pid_ <= 0) return r;
    char buf[4096];
    ssize_t n = 0;
    while ((n = read(out_, buf, sizeof buf)) > 0) r.output.append(buf, static_cast<std::size_t>(n));
    close(out_);
    int st = 0;
    waitpid(pid_, &st, 0);
    pid_ = -1;
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : WIFSIGNALED(st) ? 128 + WTERMSIG(st) : -1;
    return r;
}

LogFeed::LogFeed(const std::string& path) {
    unlink(path.c_str());
    if (mkfifo(path.c_str(), 0600) == 0) fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK);
}

LogFeed::~LogFeed() {
    if (fd_ >= 0) close(fd_);
}

bool LogFeed::waitFor(const std::string& text, int timeoutMs) {
    for (;;) {
        if (seen_.find(text) != std::string::npos) return true;
        pollfd p{fd_, POLLIN, 0};
        if (fd_ < 0 || poll(&p, 1, timeoutMs) <= 0) return false;
        char buf[1024];
        const ssize_t n = read(fd_, buf, sizeof buf);
        if (n <= 0) return false;
        seen_.append(buf, static_cast<std::size_t>(n));
    }
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace appgen::e2e
