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

}  // namespace appgen::e2e
