// The port map: its text, the order in which a COMn finds its device, and the
// file as the dialog and `appgen-cli ports` edit it.
#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/port_map.h"
#include "platform/port_map_text.h"
#include "support/cli_run.h"

namespace appgen {
namespace {

namespace fs = std::filesystem;
using link::PortSource;

TEST(PortMapText, ReadsEntriesAndReportsDamagedLines) {
    const auto map = platform::parsePortMap(
        "\xEF\xBB\xBF# cradle at the desk\n"
        "COM3 = /dev/serial/by-id/usb-FTDI_A1-if00-port0   # re-plugged, same COM3\r\n"
        "\n"
        "   \t\n"
        "com1=/dev/ttyUSB1\n"
        "COM2\n"
        "COM0=/dev/ttyS9\n"
        "LPT1=/dev/lp0\n"
        "COM4=   # nothing\n"
        "COM3=/dev/ttyACM0\n"
        "COM6=/dev/tty\x01X\n"
        "COM5=/dev/ttyS4");  // no final line break
    ASSERT_EQ(3u, map.entries.size());
    EXPECT_EQ(3, map.entries[0].com);
    EXPECT_EQ("/dev/serial/by-id/usb-FTDI_A1-if00-port0", map.entries[0].device);
    EXPECT_EQ(2, map.entries[0].line);
    EXPECT_EQ("/dev/ttyUSB1", map.find(1)->device);
    EXPECT_EQ("/dev/ttyS4", map.find(5)->device);
    EXPECT_EQ(nullptr, map.find(2));
    std::map<int, std::string> damaged;
    for (const auto& d : map.damaged) damaged[d.line] = d.why;
    EXPECT_EQ((std::map<int, std::string>{{6, "not COMn=DEVICE"},
                                          {7, "COM0 is not a port name (COM1, COM2, ...)"},
                                          {8, "LPT1 is not a port name (COM1, COM2, ...)"},
                                          {9, "no device after '='"},
                                          {10, "COM3 is already given on line 2"},
                                          {11, "the device name holds control characters"}}),
              damaged);
}

TEST(PortMapText, EditKeepsCommentsAndOtherLines) {
    const std::string text =
        "# mine\nCOM1=/dev/ttyS0  # the desk\nbroken line\nCOM2=/dev/ttyUSB0\nCOM1=/dev/ttyS7\n";
    EXPECT_EQ("# mine\nCOM1=/dev/ttyACM0  # the desk\nbroken line\nCOM2=/dev/ttyUSB0\n",
              platform::editPortMap(text, 1, "/dev/ttyACM0"));
    EXPECT_EQ("# mine\nbroken line\nCOM2=/dev/ttyUSB0\n", platform::editPortMap(text, 1, std::nullopt));
    EXPECT_EQ(text + "COM4=/dev/ttyUSB1\n", platform::editPortMap(text, 4, "/dev/ttyUSB1"));
    EXPECT_EQ("a\nCOM4=/dev/x\n", platform::editPortMap("a", 4, "/dev/x"));
    const std::string fresh = platform::editPortMap("", 2, "/dev/ttyUSB0");
    EXPECT_EQ('#', fresh[0]);
    EXPECT_EQ("/dev/ttyUSB0", platform::parsePortMap(fresh).find(2)->device);
    EXPECT_TRUE(platform::parsePortMap(fresh).damaged.empty());
    for (const char* bad : {"", " /dev/x", "/dev/x ", "/dev/a#b", "/dev/a\nCOM1=/x"})
        EXPECT_TRUE(platform::unwritableDevice(bad)) << bad;
    EXPECT_FALSE(platform::unwritableDevice("/dev/serial/by-id/usb-My Adapter"));
}

TEST(PortNames, EnvironmentThenPortMapThenDefault) {
    std::map<std::string, std::string> vars{{"APPGEN_COM2", "/dev/pts/7"}, {"APPGEN_COM4", ""}};
    const platform::EnvLookup env = [&](const char* n) -> const char* {
        const auto it = vars.find(n);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
    const auto map = platform::parsePortMap("COM2=/dev/ttyUSB9\nCOM3=/dev/ttyUSB0\nCOM4=/dev/ttyACM0\n");
    const struct {
        const char* name;
        const char* device;
        PortSource source;
        const char* shown;
    } cases[] = {
        {"COM2", "/dev/pts/7", PortSource::Environment, "COM2"},  // over the port map
        {"com3", "/dev/ttyUSB0", PortSource::PortMap, "COM3"},
        {"COM4", "/dev/ttyACM0", PortSource::PortMap, "COM4"},    // an empty variable is not set
        {"COM1", "/dev/ttyS0", PortSource::Default, "COM1"},
        {"COM6", "/dev/ttyS5", PortSource::Default, "COM6"},
        {"/dev/ttyUSB3", "/dev/ttyUSB3", PortSource::Given, "/dev/ttyUSB3"},
        {"COM0", "COM0", PortSource::Given, "COM0"},
        {"COMx", "COMx", PortSource::Given, "COMx"},
    };
    for (const auto& c : cases) {
        const link::PortAnswer a = platform::resolvePortName(c.name, env, map);
        EXPECT_EQ(c.device, a.device) << c.name;
        EXPECT_EQ(c.source, a.source) << c.name;
        EXPECT_EQ(c.shown, a.name) << c.name;
    }
    vars = {{"XDG_CONFIG_HOME", "/x/conf"}, {"HOME", "/home/op"}};
    EXPECT_EQ("/x/conf/appgen/ports.conf", platform::portMapPath(env));
    vars = {{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/op"}};
    EXPECT_EQ("/home/op/.config/appgen/ports.conf", platform::portMapPath(env));
    vars = {};
    EXPECT_EQ("", platform::portMapPath(env));
}

class PortMapFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-portmap-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        path = (dir / "appgen" / "ports.conf").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
    std::string path;
};

TEST_F(PortMapFile, SetAndUnsetThroughTheFile) {
    EXPECT_FALSE(platform::readPortMap(path).exists);
    EXPECT_TRUE(platform::writePortMapLine(path, 3, std::nullopt).ok);  // nothing to remove
    EXPECT_FALSE(fs::exists(path));
    ASSERT_TRUE(platform::writePortMapLine(path, 3, "/dev/ttyUSB0").ok);  // folder made too
    ASSERT_TRUE(platform::writePortMapLine(path, 1, "/dev/ttyACM0").ok);
    ASSERT_TRUE(platform::writePortMapLine(path, 3, "/dev/ttyUSB1").ok);
    auto f = platform::readPortMap(path);
    EXPECT_EQ("/dev/ttyUSB1", f.map.find(3)->device);
    EXPECT_EQ("/dev/ttyACM0", f.map.find(1)->device);
    ASSERT_TRUE(platform::writePortMapLine(path, 3, std::nullopt).ok);
    f = platform::readPortMap(path);
    EXPECT_EQ(nullptr, f.map.find(3));
    EXPECT_EQ(1u, f.map.entries.size());
    EXPECT_TRUE(f.map.damaged.empty());
}

TEST_F(PortMapFile, AFailedWriteIsToldAndChangesNothing) {
    EXPECT_FALSE(platform::writePortMapLine("", 2, "/dev/x").ok);
    fs::create_directories(dir);
    std::ofstream(dir / "appgen") << "a file where the folder should be";
    const auto r = platform::writePortMapLine(path, 2, "/dev/ttyUSB1");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.empty());
    fs::remove(dir / "appgen");

    ASSERT_TRUE(platform::writePortMapLine(path, 2, "/dev/ttyUSB0").ok);
    if (geteuid() == 0) return;  // root writes into read-only folders
    fs::permissions(dir / "appgen", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::writePortMapLine(path, 2, "/dev/ttyUSB1").ok);
    fs::permissions(dir / "appgen", fs::perms::owner_all);
    EXPECT_EQ("/dev/ttyUSB0", platform::readPortMap(path).map.find(2)->device);
}

// `appgen-cli ports` over a scratch port map; the devices are this machine's.
TEST_F(PortMapFile, CliListsSetsAndUnsets) {
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    setenv("APPGEN_COM4", "/dev/pts/99", 1);
    unsetenv("APPGEN_COM2");
    const auto run = [](const std::string& args) { return testing::runCli("ports" + args); };
    ASSERT_EQ(0, run(" set COM2 /dev/ttyUSB7").status);
    std::ofstream(path, std::ios::app) << "junk\n";
    const auto list = run("");
    EXPECT_EQ(0, list.status) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("COM2  /dev/ttyUSB7  (port map, not found)")) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("COM4  /dev/pts/99  (environment, APPGEN_COM4")) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("COM5  /dev/ttyS4  (default")) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("line 3 is ignored (not COMn=DEVICE): junk")) << list.out;
    const auto json = run(" --json");
    EXPECT_EQ(0, json.status);
    EXPECT_NE(std::string::npos,
              json.out.find(R"({"name":"COM2","device":"/dev/ttyUSB7","source":"port map","found":null})"))
        << json.out;
    const auto unset = run(" unset COM2");
    EXPECT_EQ(0, unset.status);
    EXPECT_NE(std::string::npos, unset.out.find("COM2 opens /dev/ttyS1 (default)")) << unset.out;
    EXPECT_EQ(2, run(" set COM7 /dev/ttyUSB0").status);
    EXPECT_EQ(2, run(" set COM1 '/dev/a#b'").status);
    EXPECT_EQ(2, run(" bogus").status);
    EXPECT_EQ(nullptr, platform::readPortMap(path).map.find(2));
    unsetenv("APPGEN_COM4");
    unsetenv("XDG_CONFIG_HOME");
}

// A COMn on a terminal device that no search finds (a pseudo-terminal, as
// socat makes) is shown by its path; "not found" is for a path that does not exist.
TEST_F(PortMapFile, CliShowsATerminalOutsideTheSearchByItsPath) {
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(0, openpty(&master, &slave, name, nullptr, nullptr));
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    setenv("APPGEN_COM3", name, 1);
    setenv("APPGEN_COM5", "/dev/null", 1);
    setenv("APPGEN_COM6", "/dev/ttyNONE9", 1);
    const auto list = testing::runCli("ports");
    EXPECT_EQ(0, list.status) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("COM3  " + std::string(name) + "  (environment, APPGEN_COM3)\n"))
        << list.out;
    EXPECT_NE(std::string::npos, list.out.find("  " + std::string(name) + "  <- COM3\n")) << list.out;
    EXPECT_NE(std::string::npos, list.out.find("COM5  /dev/null  (environment, APPGEN_COM5, not a terminal device)"))
        << list.out;
    EXPECT_NE(std::string::npos, list.out.find("COM6  /dev/ttyNONE9  (environment, APPGEN_COM6, not found)"))
        << list.out;
    const auto json = testing::runCli("ports --json");
    EXPECT_NE(std::string::npos, json.out.find("\"device\":\"" + std::string(name) + "\",\"source\":\"environment\","
                                               "\"found\":\"" + std::string(name) + "\""))
        << json.out;
    for (const char* v : {"APPGEN_COM3", "APPGEN_COM5", "APPGEN_COM6", "XDG_CONFIG_HOME"}) unsetenv(v);
    close(slave);
    close(master);
}

}  // namespace
}  // namespace appgen
