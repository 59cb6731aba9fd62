#include "shell/com_settings_dialog.h"

namespace appgen::shell {

void ComSettingsDialog::init(ui::Dialog& d) {
    d.setItems(kIdComPortList, {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"});
    d.setItems(kIdBaudList, {"115200", "57600", "38400", "19200", "9600"});
    // A damaged byte beyond the lists selects nothing rather than a wrong entry.
    d.select(kIdComPortList, port_.comPort);
    d.select(kIdBaudList, port_.baudRate);
}

void ComSettingsDialog::ok(ui::Dialog& d) {
    // With nothing selected the stored byte stays as it was.
    if (const int port = d.selection(kIdComPortList); port >= 0) port_.comPort = static_cast<u8>(port);
    if (const int baud = d.selection(kIdBaudList); baud >= 0) port_.baudRate = static_cast<u8>(baud);
    d.end(ui::kIdOk);
}

}  // namespace appgen::shell
