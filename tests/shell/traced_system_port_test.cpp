// The system port with its trace file, as appgen-cli and the desktop program
// put them together (the bytes themselves are checked end to end over a pty).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "shell/traced_system_port.h"

namespace appgen::shell {
namespace {

namespace fs = std::filesystem;

TEST(TracedSystemPort, AppendsToTheFileAndSaysWhyItCannot) {
    const fs::path dir = fs::temp_directory_path() / "appgen-traced-port";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string trace = (dir / "t.txt").string();
    std::ofstream(trace, std::ios::binary) << "before\n";
    {
        TracedSystemPort port(trace);
        EXPECT_EQ("", port.traceError());
        EXPECT_FALSE(port.open("/nonexistent/ttyX").ok);
    }
    std::string text;
    {
        std::ifstream in(trace, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_EQ(0u, text.find("before\n# ms since the open")) << text;
    EXPECT_NE(std::string::npos, text.find(" --   open /nonexistent/ttyX failed: ")) << text;

    const TracedSystemPort nowhere((dir / "no" / "t.txt").string());
    EXPECT_EQ(0u, nowhere.traceError().find((dir / "no" / "t.txt").string() + ": ")) << nowhere.traceError();
    EXPECT_EQ("", TracedSystemPort().traceError());
    fs::remove_all(dir);
}

}  // namespace
}  // namespace appgen::shell
