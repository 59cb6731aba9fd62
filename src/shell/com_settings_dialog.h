// COMSETTINGDLG: the PC's serial port and speed, kept in the project's
// PortSettings. It does not mark the project modified; the choice is saved
// with the project all the same.
#pragma once

#include "project/project.h"
#include "ui/dialog.h"

namespace appgen::shell {

inline constexpr int kIdComPortList = 601;
inline constexpr int kIdBaudList = 602;

class ComSettingsDialog : public ui::DialogHandler {
public:
    explicit ComSettingsDialog(PortSettings& port) : port_(port) {}

    void init(ui::Dialog& d) override;
    // "OK" stores both selections; "Сброс" (button 2) closes without storing.
    void ok(ui::Dialog& d) override;

private:
    PortSettings& port_;
};

}  // namespace appgen::shell
