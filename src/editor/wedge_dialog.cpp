#include "editor/wedge_dialog.h"

#include <algorithm>

#include "editor/settings_lists.h"
#include "editor/wedge_flags.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

enum : int {
    kKeyboardType = 601,
    kCharDelay = 501,
    kTimeout = 502,
    kDigitKeys = 101,
    kAppendCrLf = 102,
    kDigitLayout = 301,    // + 0..2
    kShiftLockType = 304,  // + 0..2
    kCapsAutoDetect = 307,
    kCapsAlwaysOn = 308,
    kCapsIgnore = 309,
};

void checkOne(ui::Dialog& d, int first, int count, int chosen) {
    for (int i = 0; i < count; ++i) d.check(first + i, i == chosen);
}

int chosenOf(const ui::Dialog& d, int first, int count) {
    for (int i = 0; i < count; ++i)
        if (d.checked(first + i)) return i;
    return 0;
}

u8 cappedByte(const ui::Dialog& d, int id) {
    return static_cast<u8>(std::min(d.number(id).value_or(0), 255u));
}

}  // namespace

const PageControls& KeyboardWedgeDialog::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kKeyboardType, K::DropDownList}, {kCharDelay, K::Edit},
                          {kTimeout, K::Edit},              {kDigitKeys, K::CheckBox},
                          {kAppendCrLf, K::CheckBox},       {kCapsAutoDetect, K::RadioButton},
                          {kCapsAlwaysOn, K::RadioButton},  {kCapsIgnore, K::RadioButton}};
        for (int i = 0; i < 3; ++i) {
            c.push_back({kDigitLayout + i, K::RadioButton});
            c.push_back({kShiftLockType + i, K::RadioButton});
        }
        return c;
    }();
    return list;
}

void KeyboardWedgeDialog::init(ui::Dialog& d) {
    d.setItems(kKeyboardType, keyboardTypeList());
    d.select(kKeyboardType, wedge_.keyboardType);
    d.setNumber(kCharDelay, wedge_.wedgeCharDelay);
    d.setNumber(kTimeout, wedge_.wedgeTimeout);
    const WedgeChoices c = decodeWedgeFlags(wedge_.wedgeFlags);
    d.check(kDigitKeys, c.digitKeys);
    d.check(kAppendCrLf, wedge_.wedgeAppendCrLf != 0);
    checkOne(d, kDigitLayout, 3, c.digitLayout);
    checkOne(d, kShiftLockType, 3, c.shiftLockType);
    d.check(kCapsAutoDetect, c.capsLock == CapsLockMode::AutoDetect);
    d.check(kCapsAlwaysOn, c.capsLock == CapsLockMode::AlwaysOn);
    d.check(kCapsIgnore, c.capsLock == CapsLockMode::Ignore);
}

void KeyboardWedgeDialog::command(ui::Dialog& d, const ui::Notification& n) {
    // Boxes and buttons set themselves; only the numbers are looked at before OK.
    if (n.code != ui::Notify::Changed || (n.id != kCharDelay && n.id != kTimeout)) return;
    if (!d.number(n.id) && !d.text(n.id).empty()) d.setText(n.id, "0");
}

void KeyboardWedgeDialog::ok(ui::Dialog& d) {
    if (const int k = d.selection(kKeyboardType); k >= 0) wedge_.keyboardType = static_cast<u8>(k);
    WedgeChoices c;
    c.digitKeys = d.checked(kDigitKeys);
    c.digitLayout = chosenOf(d, kDigitLayout, 3);
    c.shiftLockType = chosenOf(d, kShiftLockType, 3);
    c.capsLock = d.checked(kCapsAlwaysOn) ? CapsLockMode::AlwaysOn
                 : d.checked(kCapsIgnore) ? CapsLockMode::Ignore
                                          : CapsLockMode::AutoDetect;
    wedge_.wedgeFlags = encodeWedgeFlags(c);
    wedge_.wedgeAppendCrLf = d.checked(kAppendCrLf) ? 1 : 0;
    wedge_.wedgeCharDelay = cappedByte(d, kCharDelay);
    wedge_.wedgeTimeout = cappedByte(d, kTimeout);
    ws_.project.wedge = wedge_;
    ws_.setModified();
    d.end(1);
}

int openKeyboardWedge(WedgeSettings& pageWedge, Workspace& ws, ui::Services& ui) {
    KeyboardWedgeDialog handler(pageWedge, ws);
    ui::Dialog d(ui::dialogTemplate("KeyboardWedgeDlg"), handler);
    return ui.runDialog(d);
}

}  // namespace appgen::editor
