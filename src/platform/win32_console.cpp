#include "platform/console.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>

#include "platform/win32_text.h"

namespace appgen::platform {

Utf8CommandLine::Utf8CommandLine(int, char**) {
    int n = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i) args_.push_back(narrow(wide[i]));
        LocalFree(wide);
    }
    for (auto& a : args_) pointers_.push_back(a.data());
    pointers_.push_back(nullptr);
}

void useUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
    // The same bytes as on every other system: lines end in LF alone, which
    // the console and today's Notepad read as they are.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool isTerminal(std::FILE* f) { return _isatty(_fileno(f)) != 0; }

}  // namespace appgen::platform
