// Runs appgen-cli of this build as a user runs it, for the tests of its
// commands: the exit status and everything it printed.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace appgen::testing {

struct CliRun {
    int status;
    std::string out;  // stdout and stderr together
};

// `args` goes to the shell as it is: quote what needs it.
inline CliRun runCli(const std::string& args) {
    const std::string cmd = std::string(APPGEN_BINARY_DIR) + "/appgen-cli " + args + " 2>&1";
    CliRun r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf{};
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

inline std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace appgen::testing
