// Finding the serial devices in a scratch /dev and /sys laid out as the
// kernel lays them out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/port_discovery.h"

namespace appgen::platform {
namespace {

namespace fs = std::filesystem;

class FakeMachine : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("appgen-devtree-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "dev" / "serial" / "by-id");
        fs::create_directories(root / "sys" / "class" / "tty");
    }
    void TearDown() override { fs::remove_all(root); }

    void node(const std::string& name) { std::ofstream(root / "dev" / name).close(); }
    void write(const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << text << "\n";
    }
    // A tty under a USB device: sys/devices/usb1/<usb>/<usb>:1.0[/<name>].
    void usbTty(const std::string& name, const std::string& usb, bool portLevel,
                const std::string& maker, const std::string& product, const std::string& serial) {
        node(name);
        const fs::path dev = root / "sys" / "devices" / "usb1" / usb;
        write(dev / "idVendor", "0403");
        if (!maker.empty()) write(dev / "manufacturer", maker);
        if (!product.empty()) write(dev / "product", product);
        if (!serial.empty()) write(dev / "serial", serial);
        fs::path tty = dev / (usb + ":1.0");
        if (portLevel) tty /= name;
        fs::create_directories(tty);
        fs::create_directories(root / "sys" / "class" / "tty" / name);
        fs::create_directory_symlink(tty, root / "sys" / "class" / "tty" / name / "device");
    }
    void byId(const std::string& link, const std::string& target) {
        fs::create_symlink(target, root / "dev" / "serial" / "by-id" / link);
    }
    DiscoveryRoots roots(std::set<std::string> uarts) {
        DiscoveryRoots r;
        r.dev = (root / "dev").string();
        r.sys = (root / "sys").string();
        r.hasUart = [this, uarts](const std::string& device) {
            probed.push_back(device);
            return uarts.count(fs::path(device).filename().string()) > 0;
        };
        return r;
    }
    std::string dev(const std::string& name) const { return (root / "dev" / name).string(); }

    fs::path root;
    std::vector<std::string> probed;
};

TEST_F(FakeMachine, FindsUartsAdaptersAndTheirStableNames) {
    for (const char* n : {"ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyS3", "tty0", "ttyUSBx", "console"}) node(n);
    write(root / "sys/class/tty/ttyS2/type", "4");  // sysfs tells: no probe needed
    write(root / "sys/class/tty/ttyS3/type", "0");
    usbTty("ttyUSB0", "1-1", true, "FTDI", "FT232R USB UART", "A1B2C3");
    usbTty("ttyACM0", "1-2", false, "", "", "");
    usbTty("ttyUSB10", "1-3", true, "Prolific", "", "");
    byId("usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0", "../../ttyUSB0");
    byId("usb-Zz_Odd_Driver-if00", "../../ttyXRUSB0");  // a tty of another driver
    byId("usb-Gone-if00", "../../ttyUSB9");             // left behind by an unplugged adapter
    usbTty("ttyXRUSB0", "1-4", false, "Exar", "XR21V1410", "");

    const auto found = findSerialDevices(roots({"ttyS0", "ttyS10"}));
    std::vector<std::string> paths;
    for (const auto& d : found) paths.push_back(d.path);
    EXPECT_EQ((std::vector<std::string>{dev("ttyS0"), dev("ttyS2"), dev("ttyS10"), dev("ttyUSB0"),
                                        dev("ttyUSB10"), dev("ttyACM0"), dev("ttyXRUSB0")}),
              paths);
    EXPECT_EQ((std::vector<std::string>{dev("ttyS0"), dev("ttyS1"), dev("ttyS10")}), probed);

    const link::SerialDevice& ftdi = found[3];
    EXPECT_EQ("FTDI", ftdi.maker);
    EXPECT_EQ("FT232R USB UART", ftdi.product);
    EXPECT_EQ("A1B2C3", ftdi.serial);
    ASSERT_EQ(1u, ftdi.byId.size());
    EXPECT_EQ(dev("serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0"), ftdi.preferredName());
    EXPECT_EQ(dev("ttyUSB0") + " \u2014 FT232R USB UART", ftdi.label());
    EXPECT_EQ("Prolific", found[4].description());  // no product: the maker
    EXPECT_EQ(dev("ttyACM0"), found[5].label());     // nothing known: the path alone
    EXPECT_EQ(dev("ttyACM0"), found[5].preferredName());
    EXPECT_EQ("XR21V1410", found[6].product);
    EXPECT_EQ(1u, found[6].byId.size());
    EXPECT_TRUE(found[3].isNamed(ftdi.byId[0]));
    EXPECT_TRUE(sameDeviceNode(ftdi.byId[0], dev("ttyUSB0")));
    EXPECT_FALSE(sameDeviceNode(ftdi.byId[0], dev("ttyACM0")));
}

TEST_F(FakeMachine, AnEmptyOrMissingTreeFindsNothing) {
    EXPECT_TRUE(findSerialDevices(roots({})).empty());
    DiscoveryRoots none;
    none.dev = (root / "no-dev").string();
    none.sys = (root / "no-sys").string();
    EXPECT_TRUE(findSerialDevices(none).empty());
}

}  // namespace
}  // namespace appgen::platform
