// A console program's start on Windows: the arguments in UTF-8 (the narrow
// argv is in the ANSI code page and loses every letter outside it) and
// console output read as UTF-8.
#pragma once

#include <string>
#include <vector>

namespace appgen::platform {

class Utf8CommandLine {
public:
    // Takes the command line from GetCommandLineW.
    Utf8CommandLine();
    int argc() const { return static_cast<int>(pointers_.size()) - 1; }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> args_;
    std::vector<char*> pointers_;
};

// The console shows the program's UTF-8 output as UTF-8; stdout and stderr
// pass bytes unchanged.
void useUtf8Console();

}  // namespace appgen::platform
