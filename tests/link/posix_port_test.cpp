// The POSIX serial port over a pseudo-terminal, and the platform's names.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

#include "link/port_advice.h"
#include "platform/device_names.h"
#include "platform/posix_serial_port.h"
#include "platform/steady_tick_clock.h"
#include "platform/viewer.h"

namespace appgen::platform {
namespace {

TEST(DeviceNames, ComPortsAndPaths) {
    unsetenv("APPGEN_COM3");
    EXPECT_EQ("/dev/ttyS0", deviceForPortName("COM1"));
    EXPECT_EQ("/dev/ttyS5", deviceForPortName("COM6"));
    EXPECT_EQ("/dev/ttyS2", deviceForPortName("COM3"));
    setenv("APPGEN_COM3", "/dev/ttyUSB0", 1);
    EXPECT_EQ("/dev/ttyUSB0", deviceForPortName("COM3"));
    unsetenv("APPGEN_COM3");
    EXPECT_EQ("/dev/ttyACM0", deviceForPortName("/dev/ttyACM0"));
    EXPECT_EQ("/dev/serial/by-id/usb-x", deviceForPortName("/dev/serial/by-id/usb-x"));
    EXPECT_EQ("COM", deviceForPortName("COM"));
    EXPECT_EQ("COM0", deviceForPortName("COM0"));
    EXPECT_EQ("COMx", deviceForPortName("COMx"));
}

TEST(OpenFailure, AMissingDeviceIsNamedWithTheDevicesFound) {
    unsetenv("APPGEN_COM4");
    PosixSerialPort port;
    port.setDeviceLister([] { return std::vector<link::SerialDevice>{{"/dev/ttyACM0", {}, "", "Cradle", ""}}; });
    link::OpenResult r = port.open("/nonexistent/ttyUSB9");
    EXPECT_FALSE(r.ok);
    std::string detail = link::openFailureText("/nonexistent/ttyUSB9", r);
    EXPECT_EQ(0u, detail.find("/nonexistent/ttyUSB9: No such file or directory."));
    EXPECT_NE(std::string::npos, detail.find("Serial devices found: /dev/ttyACM0 \u2014 Cradle."));
    EXPECT_EQ("/nonexistent/ttyUSB9", r.port.device);

    setenv("APPGEN_COM4", "/nonexistent/ttyUSB9", 1);
    port.setDeviceLister([] { return std::vector<link::SerialDevice>{}; });
    r = port.open("COM4");
    unsetenv("APPGEN_COM4");
    detail = link::openFailureText("COM4", r);
    EXPECT_EQ(0u, detail.find("COM4 is /nonexistent/ttyUSB9 (from APPGEN_COM4)"));
    EXPECT_NE(std::string::npos, detail.find("No serial devices were found"));
    EXPECT_EQ(link::PortSource::Environment, r.port.source);
}

TEST(OpenFailure, KindsFromTheErrorNumber) {
    const std::pair<int, link::OpenProblem> cases[] = {
        {ENOENT, link::OpenProblem::Missing},   {ENODEV, link::OpenProblem::Missing},
        {ENXIO, link::OpenProblem::Missing},    {EACCES, link::OpenProblem::Forbidden},
        {EPERM, link::OpenProblem::Forbidden},  {EBUSY, link::OpenProblem::Busy},
        {ENOTTY, link::OpenProblem::NotSerial}, {EIO, link::OpenProblem::Other},
    };
    for (const auto& [error, problem] : cases) EXPECT_EQ(problem, openProblemOf(error)) << error;
}

TEST(Viewer, PathIsAbsoluteAndNeverAnOption) {
    const auto cmd = viewerCommand("-rf.TXT");
    ASSERT_EQ(2u, cmd.size());
    EXPECT_EQ("xdg-open", cmd[0]);
    EXPECT_EQ('/', cmd[1][0]);
    EXPECT_NE(std::string::npos, cmd[1].find("-rf.TXT"));
}

class PtyPort : public ::testing::Test {
protected:
    void SetUp() override {
        char name[256] = {};
        ASSERT_EQ(0, openpty(&master, &slave, name, nullptr, nullptr));
        path = name;
    }
    void TearDown() override {
        port.close();
        ::close(slave);
        ::close(master);
    }
    termios lineAsSet() {
        termios t{};
        tcgetattr(slave, &t);
        return t;
    }
    static link::LineSettings settings(std::uint32_t baud) {
        link::LineSettings s;
        s.baudRate = baud;
        s.byteSize = 8;
        return s;
    }

    int master = -1, slave = -1;
    std::string path;
    PosixSerialPort port;
};

TEST_F(PtyPort, AppliesRawEightBitsAtEachSpeed) {
    ASSERT_TRUE(port.open(path).ok);
    EXPECT_FALSE(port.hasModemLines());  // and applying still works without them
    const std::pair<std::uint32_t, speed_t> speeds[] = {
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const auto& [baud, speed] : speeds) {
        link::LineSettings s = settings(baud);
        s.dtr = link::LineMode::Enable;
        s.rts = link::LineMode::Enable;
        ASSERT_TRUE(port.apply(s)) << baud;
        const termios t = lineAsSet();
        EXPECT_EQ(speed, cfgetospeed(&t));
        EXPECT_EQ(speed, cfgetispeed(&t));
        EXPECT_EQ(tcflag_t(CS8), t.c_cflag & CSIZE);
        EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
        EXPECT_FALSE(t.c_iflag & (IXON | ICRNL | INLCR | IGNCR));
        EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
        EXPECT_FALSE(t.c_oflag & OPOST);
    }
    link::LineSettings flow = settings(9600);
    flow.outxCtsFlow = true;
    flow.outX = true;
    ASSERT_TRUE(port.apply(flow));
    EXPECT_TRUE(lineAsSet().c_cflag & CRTSCTS);
    EXPECT_TRUE(lineAsSet().c_iflag & IXON);
    EXPECT_FALSE(port.apply(settings(4800)));
    EXPECT_FALSE(port.apply(settings(0)));
}

TEST_F(PtyPort, BytesPassUnchangedBothWays) {
    ASSERT_TRUE(port.open(path).ok);
    ASSERT_TRUE(port.apply(settings(115200)));
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    ASSERT_EQ(256, ::write(master, all.data(), all.size()));
    for (int b = 0; b < 256; ++b) {
        const auto got = port.readByte(1000);
        ASSERT_TRUE(got) << b;
        ASSERT_EQ(b, *got);
    }
    const std::vector<std::uint8_t> unit = {'A', 0x0D, 0x0A, 0x11, 0x13, 0x00, 0xFF};
    port.write(unit);
    std::uint8_t back[16] = {};
    ASSERT_EQ(static_cast<ssize_t>(unit.size()), ::read(master, back, sizeof back));
    EXPECT_EQ(unit, std::vector<std::uint8_t>(back, back + unit.size()));
}

// The next program finds the device as this one found it; a write says how
// much went, also when its time-outs end it early.
TEST_F(PtyPort, CloseRestoresTheLineAndWriteCountsWhatWent) {
    const termios before = lineAsSet();
    ASSERT_TRUE(port.open(path).ok);
    ASSERT_TRUE(port.apply(settings(9600)));
    const std::vector<std::uint8_t> unit = {'A', 'B', 'C'};
    EXPECT_EQ(3u, port.write(unit));
    EXPECT_TRUE(port.drainOutput());
    link::PortTimeouts t;
    t.writeTotalConstant = 20;
    ASSERT_TRUE(port.setTimeouts(t));
    const std::vector<std::uint8_t> flood(1 << 20, 'x');  // more than the pty holds unread
    EXPECT_LT(port.write(flood), flood.size());
    port.close();
    const termios after = lineAsSet();
    EXPECT_EQ(cfgetospeed(&before), cfgetospeed(&after));
    EXPECT_EQ(before.c_cflag, after.c_cflag);
    EXPECT_EQ(before.c_iflag, after.c_iflag);
    EXPECT_EQ(before.c_oflag, after.c_oflag);
    EXPECT_EQ(before.c_lflag, after.c_lflag);
}

TEST_F(PtyPort, ReadWaitsUntilItsDeadlineAndNoLonger) {
    ASSERT_TRUE(port.open(path).ok);
    ASSERT_TRUE(port.apply(settings(115200)));
    SteadyTickClock clock;
    const link::Tick start = clock.now();
    EXPECT_FALSE(port.readByte(60));
    EXPECT_GE(clock.now() - start, 60u);
    // No wait asked, none made: a read that blocked instead would get the byte
    // the guard sends after some seconds (so a fault fails, never hangs).
    {
        std::mutex m;
        std::condition_variable done;
        bool over = false;
        std::thread guard([&] {
            std::unique_lock lock(m);
            if (!done.wait_for(lock, std::chrono::seconds(5), [&] { return over; })) {
                EXPECT_EQ(1, ::write(master, "g", 1));
            }
        });
        EXPECT_FALSE(port.readByte(0));
        {
            std::lock_guard lock(m);
            over = true;
        }
        done.notify_one();
        guard.join();
    }
    ASSERT_EQ(2, ::write(master, "ab", 2));
    ASSERT_EQ('a', port.readByte(1000).value_or(0));
    EXPECT_EQ('b', port.readByte(0).value_or(0));  // what is there is taken at once
}

TEST_F(PtyPort, PurgeDropsWhatWasReceived) {
    ASSERT_TRUE(port.open(path).ok);
    ASSERT_TRUE(port.apply(settings(115200)));
    ASSERT_EQ(3, ::write(master, "old", 3));
    ASSERT_TRUE(port.readByte(1000));  // one read, the rest held in the port
    port.purgeInput();
    EXPECT_FALSE(port.readByte(20));
    ASSERT_EQ(1, ::write(master, "n", 1));
    EXPECT_EQ('n', port.readByte(1000).value_or(0));
}

TEST_F(PtyPort, NotSharedEvenByRoot) {
    ASSERT_TRUE(port.open(path).ok);
    PosixSerialPort second;
    const link::OpenResult r = second.open(path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(std::string::npos, link::openFailureText(path, r).find("Another program has the port open"));
    port.close();
    EXPECT_TRUE(second.open(path).ok);  // released on close
}

TEST_F(PtyPort, InputFromBeforeTheOpenIsDiscarded) {
    ASSERT_EQ(5, ::write(master, "ACK\r.", 5));
    ASSERT_TRUE(port.open(path).ok);
    ASSERT_TRUE(port.apply(settings(115200)));
    EXPECT_FALSE(port.readByte(20));
}

TEST_F(PtyPort, AHangUpIsNoticedAtOnceAndTold) {
    ASSERT_TRUE(port.open(path).ok);
    ASSERT_TRUE(port.apply(settings(115200)));
    ::close(slave);
    ::close(master);
    slave = master = -1;
    SteadyTickClock clock;
    const link::Tick start = clock.now();
    EXPECT_FALSE(port.readByte(60000));
    EXPECT_LT(clock.now() - start, 30000u);  // a generous bound, far below the deadline
    EXPECT_EQ(link::LineStatus::Lost, port.status());
    EXPECT_NE(std::string::npos, port.lostReason().find(path));
}

// A pty has no driver flags: it is used as it is. A UART's flags gain low
// latency on open and are put back on close, unless they had it already.
TEST_F(PtyPort, LowLatencyIsAskedForAndUndone) {
    ASSERT_TRUE(port.open(path).ok);
    EXPECT_FALSE(port.lowLatency());
    port.close();
    if (kLowLatencyFlag == 0) GTEST_SKIP() << "no low-latency flag on this system";

    struct Driver {
        int flags = 0x40;
        std::vector<int> written;
    } driver;
    auto fake = [&driver] {
        return LatencyControl{[&driver](int) -> std::optional<int> { return driver.flags; },
                              [&driver](int, int f) {
                                  driver.written.push_back(f);
                                  driver.flags = f;
                                  return true;
                              }};
    };
    port.setLatencyControl(fake());
    ASSERT_TRUE(port.open(path).ok);
    EXPECT_TRUE(port.lowLatency());
    EXPECT_EQ(0x40 | kLowLatencyFlag, driver.flags);
    port.close();
    EXPECT_EQ((std::vector<int>{0x40 | kLowLatencyFlag, 0x40}), driver.written);

    driver.flags = kLowLatencyFlag;
    driver.written.clear();
    ASSERT_TRUE(port.open(path).ok);
    port.close();
    EXPECT_TRUE(driver.written.empty());
}

TEST_F(PtyPort, NotASerialDevice) {
    const link::OpenResult r = port.open("/dev/null");
    EXPECT_FALSE(r.ok);
    const std::string detail = link::openFailureText("/dev/null", r);
    EXPECT_EQ(0u, detail.find("/dev/null: "));
    EXPECT_NE(std::string::npos, detail.find("It is not a serial port."));
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace appgen::platform
