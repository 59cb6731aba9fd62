// A console program's start: the arguments in UTF-8 (on Windows the narrow
// argv is in the ANSI code page and loses every letter outside it) and
// console output read as UTF-8; and whether output goes to a terminal.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace appgen::platform {

class Utf8CommandLine {
public:
    // main's arguments; Windows takes them afresh from GetCommandLineW.
    Utf8CommandLine(int argc, char** argv);
    int argc() const { return static_cast<int>(pointers_.size()) - 1; }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> args_;
    std::vector<char*> pointers_;
};

// The console shows the program's UTF-8 output as UTF-8; stdout and stderr
// pass bytes unchanged.
void useUtf8Console();

// Whether `f` is a terminal (progress redrawn in place) rather than a file or pipe.
bool isTerminal(std::FILE* f);

}  // namespace appgen::platform
