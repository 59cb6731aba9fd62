#include "editor/settings_page.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "editor/settings_lists.h"
#include "editor/system_settings_dialog.h"
#include "editor/wedge_dialog.h"
#include "project/text.h"

namespace appgen::editor {
namespace {

enum : int {
    kProtect = 101,  // + 0..11
    kWedgeButton = 201,
    kSystemButton = 202,
    kDefaultsButton = 203,
    kSelectAll = 204,
    kSelectNone = 205,
    kPassword = 501,
    kFnKey = 601,
    kFunction = 602,
};

constexpr std::size_t kPasswordChars = 10;

bool passwordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void warn(ui::Services& ui, const char* text, ui::Icon icon) {
    ui.messageBox({"Warning", text, ui::Buttons::Ok, icon});
}

}  // namespace

const PageControls& SettingsPage::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kWedgeButton, K::Button},    {kSystemButton, K::Button},
                          {kDefaultsButton, K::Button}, {kSelectAll, K::Button},
                          {kSelectNone, K::Button},     {kPassword, K::Edit},
                          {kFnKey, K::DropDownList},    {kFunction, K::DropDownList}};
        for (int i = 0; i < kProtectCount; ++i) c.push_back({kProtect + i, K::CheckBox});
        return c;
    }();
    return list;
}

void copySettingsPageFields(const TerminalSettings& from, TerminalSettings& to) {
    to.uploadPort = from.uploadPort;
    std::memcpy(to.phoneNumber, from.phoneNumber, sizeof to.phoneNumber);
    to.downloadPort = from.downloadPort;
    to.terminalBaud = from.terminalBaud;
    to.backlightOn = from.backlightOn;
    to.backlightSeconds = from.backlightSeconds;
    to.autoDelete = from.autoDelete;
    to.entryMessage = from.entryMessage;
    to.messageDuration = from.messageDuration;
    std::memcpy(to.protect, from.protect, sizeof to.protect);
    std::memcpy(to.password, from.password, sizeof to.password);
    std::memcpy(to.fnKeys, from.fnKeys, sizeof to.fnKeys);
}

void SettingsPage::init(ui::Dialog& d) {
    settings_ = ws_.project.terminal;
    wedge_ = ws_.project.wedge;
    d.setItems(kFnKey, fnKeyList());
    d.setItems(kFunction, fnFunctionList());
    show(d);
}

void SettingsPage::show(ui::Dialog& d) {
    // The box's own change handler checks what it shows, as it checks what is typed.
    d.setText(kPassword, slotText(settings_.password));
    for (int i = 0; i < kProtectCount; ++i) d.check(kProtect + i, settings_.protect[i] != 0);
    currentFnKey_ = 0;
    d.select(kFnKey, 0);
    d.select(kFunction, settings_.fnKeys[0]);
}

void SettingsPage::passwordChanged(ui::Dialog& d) {
    const std::string typed = d.text(kPassword, kPasswordChars + 1);
    if (typed.size() > kPasswordChars) {
        const std::string cut = typed.substr(0, kPasswordChars);
        warn(ui_, "Password is too long!!!", ui::Icon::Warning);
        setSlotText(settings_.password, cut);
        d.setText(kPassword, cut);  // its change notice checks the characters left
        return;
    }
    std::string clean;
    std::copy_if(typed.begin(), typed.end(), std::back_inserter(clean), passwordChar);
    if (clean.size() != typed.size()) {
        warn(ui_, "Invalid character!!!", ui::Icon::None);
        setSlotText(settings_.password, clean);
        d.setText(kPassword, clean);
        return;
    }
    setSlotText(settings_.password, typed);
}

void SettingsPage::setAllProtected(ui::Dialog& d, bool on) {
    for (int i = 0; i < kProtectCount; ++i) {
        settings_.protect[i] = on ? 1 : 0;
        d.check(kProtect + i, on);
    }
}

void SettingsPage::pageDefaults() {
    TerminalSettings& s = settings_;
    std::memset(s.protect, 0, sizeof s.protect);
    std::memset(s.password, 0, sizeof s.password);
    std::memset(s.fnKeys, 0, sizeof s.fnKeys);
    s.uploadPort = 0;
    s.phoneNumber[0] = '\0';
    s.downloadPort = 0;
    s.terminalBaud = 0;
    s.backlightOn = 0;
    s.backlightSeconds = 2;
    s.autoDelete = 0;
    s.entryMessage = 1;
    s.messageDuration = 6;
    wedge_.keyboardType = 0;
    wedge_.wedgeFlags = 0;
    wedge_.wedgeCharDelay = 0;
    wedge_.wedgeTimeout = 0;
    wedge_.wedgeAppendCrLf = 1;
}

void SettingsPage::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.code == ui::Notify::Changed) {
        if (n.id == kPassword) passwordChanged(d);
        return;
    }
    if (n.code == ui::Notify::SelChanged) {
        const int sel = d.selection(n.id);
        if (sel < 0) return;
        if (n.id == kFnKey) {
            currentFnKey_ = sel;
            d.select(kFunction, settings_.fnKeys[currentFnKey_]);
        } else if (n.id == kFunction) {
            settings_.fnKeys[currentFnKey_] = static_cast<u8>(sel);
        }
        return;
    }
    if (n.id >= kProtect && n.id < kProtect + kProtectCount) {
        const int i = n.id - kProtect;
        const bool on = !d.checked(n.id);
        d.check(n.id, on);
        settings_.protect[i] = on ? 1 : 0;
        return;
    }
    switch (n.id) {
        case kSelectAll: setAllProtected(d, true); break;
        case kSelectNone: setAllProtected(d, false); break;
        case kWedgeButton: openKeyboardWedge(wedge_, ws_, ui_); break;
        case kSystemButton: openSystemSettings(settings_, ui_); break;
        case kDefaultsButton:
            pageDefaults();
            show(d);
            break;
        default: break;
    }
}

void SettingsPage::apply(ui::Dialog&) { copySettingsPageFields(settings_, ws_.project.terminal); }

}  // namespace appgen::editor
