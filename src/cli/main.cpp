// appgen-cli: the application generator without a display.
#include <cstdio>
#include <cstring>
#include <string>

#include "appgen_version.h"
#include "cli/commands.h"
#include "platform/console.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const appgen::cli::Args&);
    const char* summary;
};

constexpr Command kCommands[] = {
    {"new", appgen::cli::runNew, "write a freshly reset project"},
    {"convert", appgen::cli::runConvert, "open a project (either format) and save it anew"},
    {"dump", appgen::cli::runDump, "list a whole project in readable form"},
    {"diff", appgen::cli::runDiff, "list the fields in which two projects differ"},
    {"compile", appgen::cli::runCompile, "compile a project into the 20000-byte program image"},
    {"download", appgen::cli::runDownload, "send a project's program to the terminal"},
    {"download-lookup", appgen::cli::runDownloadLookup, "send a lookup data file to the terminal"},
    {"upload", appgen::cli::runUpload, "fetch the terminal's collected records"},
    {"lookup-check", appgen::cli::runLookupCheck, "list the lines of a lookup file a lookup cannot take"},
    {"lookup-import", appgen::cli::runLookupImport, "turn a spreadsheet export (CSV) into a lookup file"},
    {"records", appgen::cli::runRecords, "split collected records by their forms into CSV or .xlsx tables"},
    {"simulate", appgen::cli::runSimulate, "run the terminal simulator on a project"},
    {"script", appgen::cli::runScript, "run a headless application session from a script"},
    {"ports", appgen::cli::runPorts, "list the serial devices and the device each COMn opens"},
};

void usage(std::FILE* out) {
    std::fprintf(out, "usage: appgen-cli COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : kCommands) std::fprintf(out, "  %-16s %s\n", c.name, c.summary);
    std::fprintf(out, "\nThe commands that open a port (download, download-lookup, upload, script)\n"
                      "take --trace FILE: every byte written and read is appended to FILE with\n"
                      "the milliseconds since the port opened, the direction, hex and text.\n");
    std::fprintf(out, "\n'appgen-cli COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    // The program's arguments and output are UTF-8 (Windows hands them over in UTF-16).
    appgen::platform::Utf8CommandLine utf8(argc, argv);
    argc = utf8.argc();
    argv = utf8.argv();
    appgen::platform::useUtf8Console();
    if (argc < 2) {
        usage(stderr);
        return appgen::cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--version") {
        std::printf("appgen-cli (Генератор Приложений для DTR4610) " APPGEN_VERSION_TEXT "\n");
        return appgen::cli::kExitOk;
    }
    if (name == "--help" || name == "-h" || name == "help") {
        usage(stdout);
        return appgen::cli::kExitOk;
    }
    for (const auto& c : kCommands) {
        if (name == c.name) return c.run(appgen::cli::Args(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "appgen-cli: unknown command '%s'\n", name.c_str());
    usage(stderr);
    return appgen::cli::kExitUsage;
}
