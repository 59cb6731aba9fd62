// The COM port dialog in the Qt host: the device behind the chosen COMn and
// the devices found, as an operator sees them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "dialog_test_support.h"
#include "gui/dialog_widgets.h"
#include "shell/com_settings_dialog.h"
#include "ui/builtin_templates.h"

namespace appgen::gui {
namespace {

struct TwoDevices : link::PortDirectory {
    std::vector<link::SerialDevice> devices() override {
        return {{"/dev/ttyS0", {}, "", "", ""},
                {"/dev/ttyUSB0", {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0"}, "FTDI",
                 "FT232R USB UART", "A1"}};
    }
    link::PortAnswer resolve(const std::string& name) override {
        if (name == "COM3") return {name, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0",
                                    link::PortSource::PortMap};
        return {name, "/dev/ttyS" + std::to_string(name.back() - '1'), link::PortSource::Default};
    }
    std::optional<std::string> mapped(int com) override {
        if (com == 3) return "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0";
        return std::nullopt;
    }
    link::PortMapSaveResult assign(int, const std::optional<std::string>&) override { return {true, {}, {}}; }
};

TEST(ComPortDialog, ShowsTheDeviceOfTheChosenPortAndTheDevicesFound) {
    PortSettings settings{};
    settings.comPort = 2;
    TwoDevices ports;
    ui::HeadlessServices services;
    shell::ComSettingsDialog handler(settings, ports, services);
    ui::Dialog dialog(ui::dialogTemplate("COMSETTINGDLG"), handler);
    DialogWindow window(dialog, nullptr);
    ASSERT_TRUE(window.begin());
    window.show();
    auto* shown = qobject_cast<QLabel*>(window.panel().controlWidget(shell::kIdPortDevice));
    auto* list = qobject_cast<QComboBox*>(window.panel().controlWidget(shell::kIdDeviceList));
    ASSERT_TRUE(shown && list);
    EXPECT_EQ(shown->text().toStdString(), "COM3: /dev/ttyUSB0 \u2014 FT232R USB UART (из карты портов)");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0).toStdString(), "(по умолчанию)");
    EXPECT_EQ(list->itemText(2).toStdString(), "/dev/ttyUSB0 \u2014 FT232R USB UART");
    EXPECT_EQ(list->currentIndex(), 2);
    test::saveScreenshot(window, "COMSETTINGDLG-devices");

    auto* ports601 = qobject_cast<QComboBox*>(window.panel().controlWidget(shell::kIdComPortList));
    ASSERT_TRUE(ports601);
    ports601->setCurrentIndex(0);
    Q_EMIT ports601->activated(0);
    EXPECT_EQ(shown->text().toStdString(), "COM1: /dev/ttyS0 (по умолчанию)");
    EXPECT_EQ(list->currentIndex(), 0);
}

}  // namespace
}  // namespace appgen::gui
