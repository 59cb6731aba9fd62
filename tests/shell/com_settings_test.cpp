// The COM port dialog over a port directory that fails and remembers; the
// operator's walk through it is tests/scripts/shell/port_device.script.
#include <gtest/gtest.h>

#include <map>

#include "project/text.h"
#include "shell/com_settings_dialog.h"
#include "support/template_controls.h"
#include "ui/builtin_templates.h"
#include "ui/headless_services.h"

namespace appgen::shell {
namespace {

struct FakePorts : link::PortDirectory {
    std::vector<link::SerialDevice> found{{"/dev/ttyUSB0", {"/dev/serial/by-id/usb-A"}, "", "Cradle", ""}};
    std::map<int, std::string> map;
    std::map<std::string, std::string> env;
    bool writable = true;
    int writes = 0;

    std::vector<link::SerialDevice> devices() override { return found; }
    link::PortAnswer resolve(const std::string& name) override {
        if (env.count(name)) return {name, env[name], link::PortSource::Environment};
        const int n = name.back() - '0';
        if (map.count(n)) return {name, map[n], link::PortSource::PortMap};
        return {name, "/dev/ttyS" + std::to_string(n - 1), link::PortSource::Default};
    }
    std::optional<std::string> mapped(int com) override {
        return map.count(com) ? std::optional(map[com]) : std::nullopt;
    }
    link::DevicePresence presenceOf(const std::string& name) override {
        if (name.starts_with("/dev/pts/")) return link::DevicePresence::Terminal;
        return name == "/dev/null" ? link::DevicePresence::NotTerminal : link::DevicePresence::Missing;
    }
    link::PortMapSaveResult assign(int com, const std::optional<std::string>& device) override {
        ++writes;
        if (!writable) return {false, "/home/op/.config/appgen/ports.conf", "Read-only file system"};
        if (device) map[com] = *device;
        else map.erase(com);
        return {true, {}, {}};
    }
};

struct Harness {
    PortSettings settings{};
    FakePorts ports;
    ui::HeadlessServices ui;
    std::unique_ptr<ComSettingsDialog> handler;
    std::unique_ptr<ui::Dialog> dialog;

    ui::Dialog& open() {
        handler = std::make_unique<ComSettingsDialog>(settings, ports, ui);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate("COMSETTINGDLG"), *handler);
        dialog->start();
        return *dialog;
    }
    std::string shown() const { return cp1251ToUtf8(dialog->text(kIdPortDevice)); }
};

TEST(ComSettingsDialog, HandlesExactlyTheControlsOfItsTemplate) {
    test::expectHandlesExactly("COMSETTINGDLG", ComSettingsDialog::controls(), false);
}

TEST(ComSettingsDialog, AnUnlistedDeviceIsShownAndKept) {
    Harness h;
    h.ports.map[2] = "/dev/ttyUSB5";  // unplugged
    h.ports.env["COM1"] = "/dev/ttyUSB0";
    ui::Dialog& d = h.open();
    EXPECT_EQ("COM1: /dev/ttyUSB0 \u2014 Cradle (из переменной APPGEN_COM1)", h.shown());
    EXPECT_EQ(0, d.selection(kIdDeviceList)) << "the environment is not the port map";
    d.userSelect(kIdComPortList, 1);
    EXPECT_EQ("COM2: /dev/ttyUSB5 (из карты портов, устройство не найдено)", h.shown());
    ASSERT_EQ(3, d.itemCount(kIdDeviceList));
    EXPECT_EQ(2, d.selection(kIdDeviceList));
    d.userOk();
    EXPECT_EQ(0, h.ports.writes);
    EXPECT_EQ(1, h.settings.comPort);
}

// A terminal device outside the devices found (a pseudo-terminal, a socat
// link) is shown by its path; "не найдено" is for a name that leads nowhere.
TEST(ComSettingsDialog, ATerminalOutsideTheListIsShownByItsPath) {
    Harness h;
    h.ports.map[3] = "/dev/pts/4";
    h.ports.env["COM4"] = "/dev/null";
    ui::Dialog& d = h.open();
    d.userSelect(kIdComPortList, 2);
    EXPECT_EQ("COM3: /dev/pts/4 (из карты портов)", h.shown());
    EXPECT_EQ("/dev/pts/4", cp1251ToUtf8(d.control(kIdDeviceList)->items.at(2)));
    d.userSelect(kIdComPortList, 3);
    EXPECT_EQ("COM4: /dev/null (из переменной APPGEN_COM4, это не последовательный порт)", h.shown());
}

TEST(ComSettingsDialog, TheOperatorsOwnNameForTheSameDeviceStays) {
    Harness h;
    h.ports.map[1] = "/dev/ttyUSB0";
    ui::Dialog& d = h.open();
    EXPECT_EQ(1, d.selection(kIdDeviceList));
    d.userOk();
    EXPECT_EQ(0, h.ports.writes);
}

TEST(ComSettingsDialog, AMapThatCannotBeWrittenIsToldAndThePortStillStored) {
    Harness h;
    h.ports.writable = false;
    ui::Dialog& d = h.open();
    d.userSelect(kIdComPortList, 3);
    d.userSelect(kIdDeviceList, 1);
    d.userOk();
    ASSERT_EQ(1u, h.ui.events().size());
    EXPECT_EQ("Error", h.ui.events()[0].caption);
    EXPECT_EQ(3, h.settings.comPort);
    EXPECT_TRUE(d.ended());
}

}  // namespace
}  // namespace appgen::shell
