#include "shell/com_settings_dialog.h"

#include "project/text.h"

namespace appgen::shell {
namespace {

constexpr const char* kDefaultEntry = "(по умолчанию)";

const char* sourceText(link::PortSource s) {
    switch (s) {
        case link::PortSource::Environment: return "из переменной APPGEN_";
        case link::PortSource::PortMap: return "из карты портов";
        case link::PortSource::Default: return "по умолчанию";
        case link::PortSource::Given: return "";
    }
    return "";
}

// A device that was not found: a terminal device outside the list is shown by
// its path alone; "не найдено" is for a name that leads nowhere.
const char* absenceNote(link::DevicePresence p) {
    switch (p) {
        case link::DevicePresence::Terminal: return "";
        case link::DevicePresence::NotTerminal: return ", это не последовательный порт";
        case link::DevicePresence::Missing: break;
    }
    return ", устройство не найдено";
}

}  // namespace

const editor::PageControls& ComSettingsDialog::controls() {
    using K = ui::ControlKind;
    static const editor::PageControls list = {
        {kIdComPortList, K::DropDownList}, {kIdBaudList, K::DropDownList},
        {kIdPortDevice, K::Label},         {kIdDeviceList, K::DropDownList}};
    return list;
}

void ComSettingsDialog::init(ui::Dialog& d) {
    d.setItems(kIdComPortList, {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"});
    d.setItems(kIdBaudList, {"115200", "57600", "38400", "19200", "9600"});
    // A damaged byte beyond the lists selects nothing rather than a wrong entry.
    d.select(kIdComPortList, port_.comPort);
    d.select(kIdBaudList, port_.baudRate);
    devices_ = ports_.devices();
    showPort(d);
}

void ComSettingsDialog::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.id == kIdComPortList && n.code == ui::Notify::SelChanged) showPort(d);
}

void ComSettingsDialog::showPort(ui::Dialog& d) {
    std::vector<std::string> items{utf8ToCp1251(kDefaultEntry)};
    for (const link::SerialDevice& dev : devices_) items.push_back(utf8ToCp1251(dev.label()));
    const int index = d.selection(kIdComPortList);
    if (index < 0) {
        d.setText(kIdPortDevice, "");
        d.setItems(kIdDeviceList, std::move(items));
        d.enable(kIdDeviceList, false);
        return;
    }
    const std::string name = "COM" + std::to_string(index + 1);
    const link::PortAnswer now = ports_.resolve(name);
    const link::SerialDevice* found = ports_.deviceNamed(devices_, now.device);
    std::string text = name + ": " + (found ? found->label() : now.device) + " (" + sourceText(now.source);
    if (now.source == link::PortSource::Environment) text += name;
    if (!found) text += absenceNote(ports_.presenceOf(now.device));
    d.setText(kIdPortDevice, utf8ToCp1251(text + ")"));

    int selected = 0;
    if (const auto mapped = ports_.mapped(index + 1)) {
        if (const link::SerialDevice* m = ports_.deviceNamed(devices_, *mapped)) {
            selected = static_cast<int>(m - devices_.data()) + 1;
        } else {
            const bool terminal = ports_.presenceOf(*mapped) == link::DevicePresence::Terminal;
            items.push_back(utf8ToCp1251(*mapped + (terminal ? "" : " (не найдено)")));
            selected = static_cast<int>(items.size()) - 1;
        }
    }
    d.setItems(kIdDeviceList, std::move(items));
    d.enable(kIdDeviceList, true);
    d.select(kIdDeviceList, selected);
}

void ComSettingsDialog::ok(ui::Dialog& d) {
    // With nothing selected the stored byte stays as it was.
    if (const int port = d.selection(kIdComPortList); port >= 0) {
        port_.comPort = static_cast<u8>(port);
        storeDevice(d, port + 1);
    }
    if (const int baud = d.selection(kIdBaudList); baud >= 0) port_.baudRate = static_cast<u8>(baud);
    d.end(ui::kIdOk);
}

void ComSettingsDialog::storeDevice(ui::Dialog& d, int com) {
    const int choice = d.selection(kIdDeviceList);
    if (choice < 0 || choice > static_cast<int>(devices_.size())) return;  // unlisted: kept
    const auto mapped = ports_.mapped(com);
    std::optional<std::string> wanted;
    if (choice > 0) {
        const link::SerialDevice& dev = devices_[static_cast<std::size_t>(choice) - 1];
        // The operator's own name for the same device stays.
        if (mapped && ports_.leadsTo(*mapped, dev)) return;
        wanted = dev.preferredName();
    } else if (!mapped) {
        return;
    }
    const link::PortMapSaveResult r = ports_.assign(com, wanted);
    if (!r.ok) {
        ui_.messageBox({"Error", "Не удалось сохранить карту портов", ui::Buttons::Ok, ui::Icon::Warning,
                        true, r.path + ": " + r.reason});
    }
}

}  // namespace appgen::shell
