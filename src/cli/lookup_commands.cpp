// appgen-cli lookup-check and lookup-import: lookup data files against the
// lookup of a project that is to take them, and spreadsheet exports turned
// into such files.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "cli/cli_project.h"
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "platform/safe_file.h"
#include "project/lookup_check.h"
#include "project/lookup_csv.h"
#include "project/utf8_path.h"

namespace appgen::cli {
namespace {

// Problems with the command itself or its files, as opposed to the data.
constexpr int kExitError = 2;

constexpr char kCheckUsage[] =
    "usage: appgen-cli lookup-check FILE --project P --lookup N\n"
    "Lists every line of the lookup data file FILE that lookup N (1..3) of project P\n"
    "cannot take, with the reason. Lines end with CR LF, LF or CR.\n"
    "Exit status: 0 all lines fit, 1 some do not, 2 an error.\n";
constexpr char kImportUsage[] =
    "usage: appgen-cli lookup-import CSV --project P --lookup N -o OUT\n"
    "                                [--delimiter C] [--skip-header]\n"
    "Turns a spreadsheet export into a lookup data file for lookup N (1..3) of\n"
    "project P: Windows-1251, CR LF line ends, fields laid out as the lookup defines\n"
    "them. The export is read as UTF-8 when it is well-formed UTF-8, else as\n"
    "Windows-1251. Values may be quoted; the delimiter (comma, semicolon or tab: C is ',',\n"
    "';' or 'tab') is found in the file unless given. A value that does not fit\n"
    "refuses the whole file, and nothing is written.\n"
    "Exit status: 0 written, 1 refused, 2 an error.\n";

struct LookupArgs {
    std::string input;
    std::string project;
    int lookup = 0;  // 0-based
    std::string output;
    std::optional<char> delimiter;
    bool skipHeader = false;
};

// Nothing after printing the usage when the arguments do not make a command.
std::optional<LookupArgs> parse(const Args& args, bool import, const char* usage) {
    LookupArgs out;
    OptionReader r(args);
    while (r.next()) {
        const std::string& a = r.arg();
        if (a == "--project") {
            if (auto v = r.value()) out.project = *v;
        } else if (a == "--lookup") {
            if (auto v = r.value()) {
                if (*v == "1" || *v == "2" || *v == "3") out.lookup = (*v)[0] - '1';
                else r.refuse();
            }
        } else if (import && a == "-o") {
            if (auto v = r.value()) out.output = *v;
        } else if (import && a == "--delimiter") {
            if (auto v = r.value()) {
                out.delimiter = delimiterOption(*v);
                if (!out.delimiter) r.refuse();
            }
        } else if (import && a == "--skip-header") {
            out.skipHeader = true;
        } else if (a.starts_with("-") || !out.input.empty()) {
            r.refuse();
        } else {
            out.input = a;
        }
    }
    const bool bad = r.bad() || out.input.empty() || out.project.empty() ||
          !std::any_of(args.begin(), args.end(), [](const auto& a) { return a == "--lookup"; }) ||
          (import && out.output.empty());
    if (bad) {
        std::fputs(usage, stderr);
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "Error: cannot open %s\n", path.c_str());
        return std::nullopt;
    }
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) {
        std::fprintf(stderr, "Error: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    return s.str();
}

// The lookup of the project, or nothing after saying why it cannot take records.
std::optional<LookupDef> loadLookup(const LookupArgs& a) {
    Workspace ws;
    resetWorkspace(ws);
    if (!openProjectFile(a.project, ws)) return std::nullopt;
    const LookupDef& l = ws.project.lookups[a.lookup];
    const auto problems = layoutProblems(lookupLayout(l));
    for (const auto& p : problems)
        std::fprintf(stderr, "Error: lookup %d of %s: %s\n", a.lookup + 1, a.project.c_str(),
                     p.c_str());
    if (!problems.empty()) return std::nullopt;
    return l;
}

std::string layoutSummary(const LookupDef& l) {
    if (l.separator == 0) return "fixed-length records of " + std::to_string(l.recLen) + " bytes";
    return std::to_string(l.fieldCount) + " fields separated by code " + std::to_string(l.separator);
}

}  // namespace

int runLookupCheck(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kCheckUsage, stdout), kExitOk;
    const auto a = parse(args, false, kCheckUsage);
    if (!a) return kExitUsage;
    const auto lookup = loadLookup(*a);
    if (!lookup) return kExitError;
    const auto bytes = readFile(a->input);
    if (!bytes) return kExitError;

    const auto lines = splitLookupLines(*bytes);
    const auto problems = checkLookupLines(lines, lookupLayout(*lookup));
    for (const auto& p : problems)
        std::printf("%s:%d: %s\n", a->input.c_str(), p.line, p.reason.c_str());
    if (!problems.empty()) return kExitFailure;
    std::printf("%s: %zu lines, all fit lookup %d (%s)\n", a->input.c_str(), lines.size(),
                a->lookup + 1, layoutSummary(*lookup).c_str());
    return kExitOk;
}

int runLookupImport(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kImportUsage, stdout), kExitOk;
    const auto a = parse(args, true, kImportUsage);
    if (!a) return kExitUsage;
    const auto lookup = loadLookup(*a);
    if (!lookup) return kExitError;
    const auto csv = readFile(a->input);
    if (!csv) return kExitError;

    const LookupImport result = importCsvLookup(*csv, *lookup, {a->delimiter, a->skipHeader});
    if (!result.ok()) {
        for (const auto& p : result.problems)
            std::fprintf(stderr, "%s: %s\n", a->input.c_str(), describe(p).c_str());
        std::fprintf(stderr, "Refused: %zu %s; %s was not written.\n", result.problems.size(),
                     result.problems.size() == 1 ? "problem" : "problems", a->output.c_str());
        return kExitFailure;
    }
    const auto written = platform::replaceFile(a->output, lookupFileBytes(result.lines));
    if (!written.ok) {
        std::fprintf(stderr, "Error: cannot write %s: %s\n", a->output.c_str(),
                     written.reason.c_str());
        return kExitError;
    }
    std::printf("%s: %zu records for lookup %d (%s), read as %s\n", a->output.c_str(),
                result.lines.size(), a->lookup + 1, layoutSummary(*lookup).c_str(),
                result.encoding.c_str());
    return kExitOk;
}

}  // namespace appgen::cli
