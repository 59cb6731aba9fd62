// COMSETTINGDLG: the PC's serial port and speed, kept in the project's
// PortSettings, and the device that port stands for on this PC, kept in the
// user's port map. It does not mark the project modified; the choice is saved
// with the project all the same.
#pragma once

#include <vector>

#include "editor/page_controls.h"
#include "link/port_directory.h"
#include "project/project.h"
#include "ui/dialog.h"
#include "ui/services.h"

namespace appgen::shell {

inline constexpr int kIdComPortList = 601;
inline constexpr int kIdBaudList = 602;
inline constexpr int kIdPortDevice = 603;  // the device the selected COMn opens now
inline constexpr int kIdDeviceList = 604;  // "(по умолчанию)" and the devices found

class ComSettingsDialog : public ui::DialogHandler {
public:
    ComSettingsDialog(PortSettings& port, link::PortDirectory& ports, ui::Services& ui)
        : port_(port), ports_(ports), ui_(ui) {}

    // The controls above it handles, for the test against its template.
    static const editor::PageControls& controls();

    void init(ui::Dialog& d) override;
    // A new COMn shows its device and its port map choice.
    void command(ui::Dialog& d, const ui::Notification& n) override;
    // "OK" stores both selections and the chosen device of the chosen COMn;
    // "Сброс" (button 2) closes without storing.
    void ok(ui::Dialog& d) override;

private:
    void showPort(ui::Dialog& d);
    // The port map's line for COMn changed as the drop-down says; a failure is told.
    void storeDevice(ui::Dialog& d, int com);

    PortSettings& port_;
    link::PortDirectory& ports_;
    ui::Services& ui_;
    // The drop-down's entries after "(по умолчанию)"; a port map device not
    // among them is one more entry, which OK keeps as it is.
    std::vector<link::SerialDevice> devices_;
};

}  // namespace appgen::shell
