// Real processes for the end-to-end tests: the terminal emulator on its
// pseudo-terminal, and appgen-cli run as an operator runs it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace appgen::e2e {

std::string binary(const std::string& name);  // a program of the build folder

class EmulatorProcess {
public:
    // Starts the emulator with these switches and waits for its slave path.
    explicit EmulatorProcess(const std::vector<std::string>& args);
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    const std::string& slave() const { return slave_; }
    bool started() const { return !slave_.empty(); }

private:
    pid_t pid_ = -1;
    std::string slave_;
};

struct Finished {
    int status = -1;     // exit status, -1 when it did not exit normally
    std::string output;  // stdout and stderr together
};

// Runs a program to its end; extraEnv entries are "NAME=value".
Finished runProgram(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});
Finished runCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {});

std::string slurp(const std::string& path);

// appgen-cli running in the background, for faults that come while it runs.
class RunningCli {
public:
    explicit RunningCli(const std::vector<std::string>& args);
    ~RunningCli();
    RunningCli(const RunningCli&) = delete;
    RunningCli& operator=(const RunningCli&) = delete;
    void signal(int sig);
    Finished finish();  // waits for its end

private:
    pid_t pid_ = -1;
    int out_ = -1;
};

// The emulator's log read as it is written, through a FIFO made at path
// (pass path as --log). Made before the emulator starts.
class LogFeed {
public:
    explicit LogFeed(const std::string& path);
    ~LogFeed();
    LogFeed(const LogFeed&) = delete;
    LogFeed& operator=(const LogFeed&) = delete;
    // True once a line holding text has come, false after timeoutMs without it.
    bool waitFor(const std::string& text, int timeoutMs = 15000);

private:
    int fd_ = -1;
    std::string seen_;
};

}  // namespace appgen::e2e
