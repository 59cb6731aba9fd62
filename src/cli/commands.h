// The sub-commands of appgen-cli. Each takes its own arguments (without the
// program and command names) and returns the process exit status:
// 0 success, 1 a failure the system reports, 2 bad usage.
#pragma once

#include <string>
#include <vector>

namespace appgen::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Project files.
int runNew(const Args& args);
int runConvert(const Args& args);
int runDump(const Args& args);
int runDiff(const Args& args);
// The terminal link.
int runCompile(const Args& args);
int runDownload(const Args& args);
int runDownloadLookup(const Args& args);
int runUpload(const Args& args);
// Lookup data files.
int runLookupCheck(const Args& args);
int runLookupImport(const Args& args);
// The simulator.
int runSimulate(const Args& args);
// A headless application session.
int runScript(const Args& args);
// Collected records as tables.
int runRecords(const Args& args);
// The PC's serial devices and the COMn port map.
int runPorts(const Args& args);

}  // namespace appgen::cli
