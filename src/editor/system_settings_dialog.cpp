#include "editor/system_settings_dialog.h"

#include "editor/settings_lists.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

enum : int {
    kUploadPort = 601,
    kPhoneNumber = 501,
    kDownloadPort = 602,
    kTerminalBaud = 603,
    kBacklight = 604,
    kBacklightSeconds = 504,
    kDataDeletion = 605,
    kEntryMessage = 606,
    kShowFor = 301,
    kUntilKey = 302,
    kMessageDuration = 506,
};

constexpr u8 kUploadModem = 4;
constexpr std::size_t kPhoneChars = 20;

void fill(ui::Dialog& d, int id, List items, u8 value) {
    d.setItems(id, std::move(items));
    d.select(id, value);
}

}  // namespace

const PageControls& SystemSettingsDialog::controls() {
    using K = ui::ControlKind;
    static const PageControls list = {
        {kUploadPort, K::DropDownList},   {kPhoneNumber, K::Edit},
        {kDownloadPort, K::DropDownList}, {kTerminalBaud, K::DropDownList},
        {kBacklight, K::DropDownList},    {kBacklightSeconds, K::Edit},
        {kDataDeletion, K::DropDownList}, {kEntryMessage, K::DropDownList},
        {kShowFor, K::RadioButton},       {kUntilKey, K::RadioButton},
        {kMessageDuration, K::Edit}};
    return list;
}

void SystemSettingsDialog::init(ui::Dialog& d) {
    kept_ = s_;
    fill(d, kUploadPort, uploadPortList(), s_.uploadPort);
    fill(d, kDownloadPort, downloadPortList(), s_.downloadPort);
    fill(d, kTerminalBaud, terminalBaudList(), s_.terminalBaud);
    fill(d, kBacklight, backlightList(), s_.backlightOn);
    fill(d, kDataDeletion, dataDeletionList(), s_.autoDelete);
    fill(d, kEntryMessage, entryMessageList(), s_.entryMessage);
    d.setText(kPhoneNumber, slotText(s_.phoneNumber));
    d.enable(kPhoneNumber, s_.uploadPort == kUploadModem);
    d.setNumber(kBacklightSeconds, s_.backlightSeconds);
    d.enable(kBacklightSeconds, s_.backlightOn != 0);
    d.check(kShowFor, s_.messageDuration != 0);
    d.check(kUntilKey, s_.messageDuration == 0);
    d.setNumber(kMessageDuration, s_.messageDuration);
    enableEntryMessage(d);
}

void SystemSettingsDialog::enableEntryMessage(ui::Dialog& d) {
    const bool on = s_.entryMessage != 0;
    d.enable(kShowFor, on);
    d.enable(kUntilKey, on);
    d.enable(kMessageDuration, on && d.checked(kShowFor));
}

void SystemSettingsDialog::storeBounded(ui::Dialog& d, int id, u8& field, unsigned limit) {
    if (const auto n = d.number(id)) {
        if (*n <= limit) field = static_cast<u8>(*n);
        return;
    }
    field = 1;
    if (!d.text(id).empty()) d.setText(id, "1");
}

void SystemSettingsDialog::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.code == ui::Notify::SelChanged) {
        const int sel = d.selection(n.id);
        if (sel < 0) return;
        const auto v = static_cast<u8>(sel);
        switch (n.id) {
            case kUploadPort:
                s_.uploadPort = v;
                d.enable(kPhoneNumber, v == kUploadModem);
                break;
            case kDownloadPort: s_.downloadPort = v; break;
            case kTerminalBaud: s_.terminalBaud = v; break;
            case kBacklight:
                s_.backlightOn = v;
                d.enable(kBacklightSeconds, v != 0);
                break;
            case kDataDeletion: s_.autoDelete = v; break;
            case kEntryMessage:
                s_.entryMessage = v;
                enableEntryMessage(d);
                break;
            default: break;
        }
    } else if (n.code == ui::Notify::Changed) {
        switch (n.id) {
            case kPhoneNumber: setSlotText(s_.phoneNumber, d.text(n.id, kPhoneChars)); break;
            case kBacklightSeconds: storeBounded(d, n.id, s_.backlightSeconds, 9); break;
            case kMessageDuration: storeBounded(d, n.id, s_.messageDuration, 99); break;
            default: break;
        }
    } else if (n.code == ui::Notify::Clicked) {
        if (n.id == kShowFor) {
            d.setNumber(kMessageDuration, s_.messageDuration);
            d.enable(kMessageDuration, true);
        } else if (n.id == kUntilKey) {
            s_.messageDuration = 0;
            d.setNumber(kMessageDuration, 0);
            d.enable(kMessageDuration, false);
        }
    }
}

void SystemSettingsDialog::cancel(ui::Dialog& d) {
    s_ = kept_;
    d.end(0);
}

int openSystemSettings(TerminalSettings& pageSettings, ui::Services& ui) {
    SystemSettingsDialog handler(pageSettings);
    ui::Dialog d(ui::dialogTemplate("SystemSettingsDlg"), handler);
    return ui.runDialog(d);
}

}  // namespace appgen::editor
