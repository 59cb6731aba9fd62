// appgen-cli download, download-lookup and upload: the transfers of the menu
// commands 3020/3021, 3040/3041 and 3030/3031 over a real serial port.
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/link_console.h"
#include "cli/link_options.h"
#include "link/download.h"
#include "link/program_image.h"
#include "link/upload.h"
#include "link/utf8_lookup.h"
#include "platform/port_syntax.h"
#include "platform/lookup_file_reader.h"
#include "platform/record_file.h"
#include "platform/steady_tick_clock.h"
#include "platform/stop_signals.h"
#include "shell/services_operator_panel.h"
#include "shell/traced_system_port.h"

namespace appgen::cli {
namespace {

constexpr const char* kLinkHelp =
    "  --baud B       115200, 57600, 38400, 19200 or 9600\n"
    "                 (without them: the project's port settings, else COM1 at 115200)\n"
    "  --cradle       through the infrared cradle (\"Via Cradle-IR\")\n";

void help(const char* usage, const char* what, bool retries) {
    std::printf("usage: appgen-cli %s\n\n%s\n\n%s%s%s", usage, what, platform::portOptionHelp(), kLinkHelp,
                kTraceHelp);
    if (retries)
        std::printf("  --retries N    answer Yes to the retry question N times (default 0)\n");
    std::printf("\nMessages go to stderr as \"caption: text\"; the exit status is 0 only when\n"
                "the transfer succeeded.\n");
}

// The project named on the command line, both resets first.
bool loadProject(const std::string& path, Workspace& ws) {
    resetWorkspace(ws);
    return openProjectFile(path, ws);
}

// Ctrl-C and SIGTERM (on Windows Ctrl-Break and closing the console too) end
// the transfer in order (records kept, port released) and the program with
// 130 or 143.
struct Session {
    explicit Session(const std::string& trace) : port(trace) { signals.stopWaitsOf(port.systemPort()); }
    int exitStatus(bool ok) const { return signals.exitStatus(ok ? kExitOk : kExitFailure); }
    // False, and said why, when the trace asked for cannot be written.
    bool ready() const {
        const std::string why = port.traceError();
        if (!why.empty()) std::fprintf(stderr, "appgen-cli: --trace: cannot write %s\n", why.c_str());
        return why.empty();
    }

    platform::StopSignals signals;
    shell::TracedSystemPort port;  // traced when --trace names a file
    platform::SteadyTickClock clock;
    link::LinkState state;  // the run's line settings
};

// Each attempt compiles the project anew, normalising it in place.
link::ImageSource compilerFor(Workspace& ws) {
    return [&ws] {
        const link::ProgramImage image = link::compile(ws.project);
        return std::vector<std::uint8_t>(image.begin(), image.end());
    };
}

// --encoding of download-lookup, taken out of args before the link options
// are read: nothing when absent, false after printing why it is bad.
using Encoding = std::optional<link::Utf8LookupChoice>;
bool takeEncoding(Args& args, Encoding& encoding) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--encoding") continue;
        std::string v = i + 1 < args.size() ? args[i + 1] : "";
        for (char& c : v) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (v == "utf-8" || v == "utf8") encoding = link::Utf8LookupChoice::Convert;
        else if (v == "windows-1251" || v == "cp1251") encoding = link::Utf8LookupChoice::SendAsIs;
        else {
            std::fprintf(stderr, "--encoding takes utf-8 or windows-1251\n");
            return false;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

// Without --encoding a file in UTF-8 is refused before the port opens.
link::LookupFileFilter encodingFilter(const Encoding& encoding) {
    if (encoding == link::Utf8LookupChoice::SendAsIs) return {};
    if (encoding == link::Utf8LookupChoice::Convert) return [](const std::string& path) { return link::convertedLookupFile(platform::openLookupFile, path); };
    return [](const std::string& path) {
        link::LookupFileUse use = link::utf8LookupFileUse(platform::openLookupFile, path, [] { return link::Utf8LookupChoice::Stop; });
        if (use.action == link::LookupFileUse::Action::Stop) {
            use.refusal = "The file is in UTF-8; the terminal reads Windows-1251. Nothing was sent.";
            use.refusalDetail = path + ": give --encoding utf-8 to convert it to Windows-1251 as it is sent,"
                                       " or --encoding windows-1251 to send it byte for byte.";
        }
        return use;
    };
}

}  // namespace

int runDownload(const Args& args) {
    if (wantsHelp(args)) {
        help("download PROJECT [--port P] [--baud B] [--cradle] [--retries N] [--trace FILE]",
             "Compiles PROJECT and sends the program image to the terminal.", true);
        return kExitOk;
    }
    const auto o = parseLinkOptions(args, false, true);
    if (!o || o->positional.size() != 1) {
        if (o) std::fprintf(stderr, "usage: appgen-cli download PROJECT [options]\n");
        return kExitUsage;
    }
    Workspace ws;
    if (!loadProject(o->positional[0], ws)) return kExitFailure;

    Session s(o->trace);
    if (!s.ready()) return kExitFailure;
    LinkConsole console({}, o->retries);
    shell::ServicesOperatorPanel panel(console);
    link::LinkContext link{s.port, s.clock, panel, s.state, o->timings};
    const int r = link::downloadProgram(link, choosePort(*o, &ws.project.port), o->cradle,
                                        compilerFor(ws));
    return s.exitStatus(r == link::kDownloadOk);
}

int runDownloadLookup(const Args& args) {
    if (wantsHelp(args)) {
        help("download-lookup FILE [--project PROJECT] [--port P] [--baud B] [--cradle] "
             "[--retries N] [--trace FILE] [--encoding E]",
             "Sends the lookup data file FILE to the terminal, one line a frame. The\n"
             "terminal reads Windows-1251: a file in UTF-8 is refused before anything is\n"
             "sent unless --encoding says what it is.\n\n"
             "  --encoding utf-8         convert the file to Windows-1251 as it is sent\n"
             "  --encoding windows-1251  send the file byte for byte",
             true);
        return kExitOk;
    }
    Args rest = args;
    Encoding encoding;
    if (!takeEncoding(rest, encoding)) return kExitUsage;
    const auto o = parseLinkOptions(rest, true, true);
    if (!o || o->positional.size() != 1) {
        if (o) std::fprintf(stderr, "usage: appgen-cli download-lookup FILE [options]\n");
        return kExitUsage;
    }
    Workspace ws;
    if (o->project && !loadProject(*o->project, ws)) return kExitFailure;

    Session s(o->trace);
    if (!s.ready()) return kExitFailure;
    LinkConsole console(o->positional[0], o->retries);
    shell::ServicesOperatorPanel panel(console);
    link::LinkContext link{s.port, s.clock, panel, s.state, o->timings};
    const int r = link::downloadLookup(link, choosePort(*o, o->project ? &ws.project.port : nullptr),
                                       o->cradle, platform::openLookupFile, encodingFilter(encoding));
    return s.exitStatus(r == link::kDownloadOk);
}

int runUpload(const Args& args) {
    if (wantsHelp(args)) {
        help("upload OUT [--project PROJECT] [--port P] [--baud B] [--cradle] [--trace FILE]",
             "Fetches the terminal's collected records into OUT, one record a line (CR LF).\n"
             "Each record is written before the terminal is told it was taken; they gather\n"
             "in OUT.partial and replace OUT when the upload ends (also on Ctrl-C). An\n"
             "upload that brings no record leaves OUT as it was.",
             false);
        return kExitOk;
    }
    const auto o = parseLinkOptions(args, true, false);
    if (!o || o->positional.size() != 1) {
        if (o) std::fprintf(stderr, "usage: appgen-cli upload OUT [options]\n");
        return kExitUsage;
    }
    Workspace ws;
    if (o->project && !loadProject(*o->project, ws)) return kExitFailure;

    Session s(o->trace);
    if (!s.ready()) return kExitFailure;
    LinkConsole console(o->positional[0], 0);
    shell::ServicesOperatorPanel panel(console);
    link::LinkContext link{s.port, s.clock, panel, s.state, o->timings};
    const auto records = platform::makeRecordFile();
    const link::UploadOutcome r = link::upload(
        link, choosePort(*o, o->project ? &ws.project.port : nullptr), o->cradle, *records);
    return s.exitStatus(r.result > 0);
}

}  // namespace appgen::cli
