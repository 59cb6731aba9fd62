// The second paragraphs of the link's failure messages.
#include <gtest/gtest.h>

#include "link/port_advice.h"

namespace appgen::link {
namespace {

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(PortAdvice, OpenFailuresNameTheDeviceTheReasonAndTheFix) {
    const PortAnswer mapped{"COM3", "/dev/ttyUSB0", PortSource::PortMap};
    const std::vector<SerialDevice> two{{"/dev/ttyS0", {}, "", "", ""},
                                        {"/dev/ttyACM0", {"/dev/serial/by-id/a"}, "Maker", "Cradle", ""}};

    const std::string denied = openFailureAdvice(mapped, OpenProblem::Forbidden, "Permission denied", two);
    EXPECT_EQ(0u, denied.find("COM3 is /dev/ttyUSB0 (from the port map): Permission denied."));
    EXPECT_TRUE(has(denied, "\"dialout\" group"));
    EXPECT_TRUE(has(denied, "log in again"));

    const std::string missing = openFailureAdvice({"COM2", "/dev/ttyS1", PortSource::Default},
                                                  OpenProblem::Missing, "No such file or directory", two);
    EXPECT_TRUE(has(missing, "COM2 is /dev/ttyS1 (the default)"));
    EXPECT_TRUE(has(missing, "Serial devices found: /dev/ttyS0, /dev/ttyACM0 \u2014 Cradle."));
    EXPECT_TRUE(has(missing, "appgen-cli ports set COM2 DEVICE"));
    EXPECT_FALSE(has(missing, "dialout"));

    const std::string none = openFailureAdvice({"/dev/ttyUSB4", "/dev/ttyUSB4", PortSource::Given},
                                               OpenProblem::Missing, "No such device", {});
    EXPECT_EQ(0u, none.find("/dev/ttyUSB4: No such device."));
    EXPECT_TRUE(has(none, "No serial devices were found"));

    const std::string env = openFailureAdvice({"COM1", "/dev/pts/9", PortSource::Environment},
                                              OpenProblem::Missing, "No such file or directory", two);
    EXPECT_TRUE(has(env, "(from APPGEN_COM1)"));
    EXPECT_TRUE(has(env, "APPGEN_COM1 names the device"));

    EXPECT_TRUE(has(openFailureAdvice(mapped, OpenProblem::Busy, "Device or resource busy", two),
                    "Another program"));
    EXPECT_EQ("COM3 is /dev/ttyUSB0 (from the port map): I/O error.",
              openFailureAdvice(mapped, OpenProblem::Other, "I/O error", two));
}

TEST(PortAdvice, TimeoutsSayWhatToCheck) {
    const PortAnswer port{"COM1", "/dev/ttyUSB0", PortSource::PortMap};
    const std::string down = timeoutAdvice(port, 115200, TransferKind::Download, true);
    EXPECT_TRUE(has(down, "/dev/ttyUSB0"));
    EXPECT_TRUE(has(down, "115200 bit/s"));
    EXPECT_TRUE(has(down, "download mode"));
    EXPECT_TRUE(has(down, "on the cradle"));
    EXPECT_TRUE(has(down, "same speed"));
    const std::string up = timeoutAdvice(port, 9600, TransferKind::Upload, false);
    EXPECT_TRUE(has(up, "upload mode"));
    EXPECT_TRUE(has(up, "cable"));
    EXPECT_FALSE(has(up, "cradle"));
    const std::string midway = stoppedAnsweringAdvice(port, 38400, true);
    EXPECT_TRUE(has(midway, "COM1 is /dev/ttyUSB0 (from the port map) at 38400 bit/s"));
    EXPECT_TRUE(has(midway, "on the cradle"));
    EXPECT_TRUE(has(midway, "switched off"));
    EXPECT_TRUE(has(stoppedAnsweringAdvice(port, 9600, false), "cable"));
}

}  // namespace
}  // namespace appgen::link
