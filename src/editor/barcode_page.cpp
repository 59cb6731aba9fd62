#include "editor/barcode_page.h"

#include "editor/barcode_bits.h"
#include "editor/editor_lists.h"
#include "editor/symbology_dialog.h"

namespace appgen::editor {
namespace {

enum : int { kTimeout = 501, kScanModeList = 601, kRedundancyList = 602, kResetButton = 224 };

List scanModeList() {
    return {cp("Автогашение"), cp("Непрерывный"),   cp("Автовыключение"),
            cp("Альтернативный"), cp("Разовый"),    cp("Повторяющийся"),
            cp("Лазерный"),    cp("Тестовый"),      cp("Прицеливание")};
}

List redundancyList() { return {cp("Нет"), cp("Один раз"), cp("Два раза"), cp("Три раза")}; }

bool isPageCheck(int id) {
    for (const PageCheck& c : kPageChecks)
        if (c.id == id) return true;
    return false;
}

// A list's choice into its field; with nothing chosen (a stored value past
// the list) the field keeps what it held.
void storeChoice(const ui::Dialog& d, int id, BarcodeSettings& b, BitField field) {
    if (const int sel = d.selection(id); sel >= 0) writeBits(b, field, static_cast<unsigned>(sel));
}

}  // namespace

const PageControls& BarcodePage::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kTimeout, K::Edit},
                          {kScanModeList, K::DropDownList},
                          {kRedundancyList, K::DropDownList},
                          {kResetButton, K::Button}};
        for (const PageCheck& check : kPageChecks) c.push_back({check.id, K::CheckBox});
        for (const SymbologyLayout& l : symbologyLayouts()) c.push_back({l.button, K::Button});
        return c;
    }();
    return list;
}

void BarcodePage::init(ui::Dialog& d) {
    d.setItems(kScanModeList, scanModeList());
    d.setItems(kRedundancyList, redundancyList());
    load(d);
}

void BarcodePage::load(ui::Dialog& d) {
    const BarcodeSettings& b = ws_.project.barcode;
    d.select(kScanModeList, static_cast<int>(readBits(b, kScanMode)));
    d.select(kRedundancyList, static_cast<int>(readBits(b, kReadRedundancy)));
    d.setNumber(kTimeout, readBits(b, kScanTimeout));
    for (const PageCheck& c : kPageChecks) d.check(c.id, readBits(b, c.field) != 0);
}

void BarcodePage::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.code == ui::Notify::Changed && n.id == kTimeout) {
        if (!d.number(n.id) && !d.text(n.id).empty()) d.setText(n.id, "0");
        return;
    }
    if (n.code != ui::Notify::Clicked) return;
    if (isPageCheck(n.id)) {
        d.check(n.id, !d.checked(n.id));
    } else if (n.id == kResetButton) {
        resetBarcodeSettings(ws_.project);
        // Written at once: the unsaved-changes question must cover it.
        ws_.setModified();
        load(d);
    } else if (const SymbologyLayout* layout = symbologyFor(n.id)) {
        runSymbologyDialog(ws_, ui_, *layout);
    }
}

void BarcodePage::apply(ui::Dialog& d) {
    BarcodeSettings& b = ws_.project.barcode;
    storeChoice(d, kScanModeList, b, kScanMode);
    storeChoice(d, kRedundancyList, b, kReadRedundancy);
    // An empty box stores 0; above 255 only the low byte is kept; a number
    // too large for 32 bits keeps the time-out the project has.
    if (!d.numberTooLarge(kTimeout)) writeBits(b, kScanTimeout, d.number(kTimeout).value_or(0) & 0xFFu);
    for (const PageCheck& c : kPageChecks) writeBits(b, c.field, d.checked(c.id) ? 1u : 0u);
}

}  // namespace appgen::editor
