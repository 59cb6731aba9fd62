#include "editor/field_properties.h"

#include <cstring>

#include "editor/char_table.h"
#include "editor/dialog_fields.h"
#include "editor/editor_lists.h"
#include "project/text.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

// Control ids of both dialogs.
enum : int {
    kFormNumber = 401,
    kLineNumber = 402,
    kFixedLenOn = 101,  // AdvanceDlg
    kInitialOn = 102,
    kPrefixOn = 103,
    kSuffixOn = 104,
    kMarking = 105,
    kPartialOn = 111,
    kCheckPrefixOn = 114,
    kFixedLen = 501,
    kInitialValue = 502,
    kPrefixBox = 503,
    kSuffixBox = 504,
    kMarkBox = 505,
    kPartialStart = 512,
    kPartialLen = 513,
    kCheckPrefix = 514,
    kAlign = 601,
    kAutoEnter = 615,
    kSaveData = 101,  // LookupAdvanceDlg
    kLookupFixedLenOn = 102,
    kLookupFixedLen = 502,
    kLookupAlign = 602,
};

void showNumbers(ui::Dialog& d, const FormPageState& s) {
    d.setNumber(kFormNumber, static_cast<unsigned>(s.currentForm + 1));
    d.setNumber(kLineNumber, static_cast<unsigned>(s.selectedLine + 1));
}

// A check box from its field, and the boxes that belong to it enabled with it.
void showCheck(ui::Dialog& d, int checkId, u8 field, std::initializer_list<int> boxes) {
    d.check(checkId, field != 0);
    for (const int box : boxes) d.enable(box, field != 0);
}

void enableWith(ui::Dialog& d, bool on, std::initializer_list<int> boxes) {
    for (const int box : boxes) d.enable(box, on);
}

}  // namespace

const PageControls& AdvanceDialog::formControls() {
    using K = ui::ControlKind;
    static const PageControls list = {
        {kFormNumber, K::Label},   {kLineNumber, K::Label},   {kFixedLenOn, K::CheckBox},
        {kInitialOn, K::CheckBox}, {kPrefixOn, K::CheckBox},  {kSuffixOn, K::CheckBox},
        {kMarking, K::CheckBox},   {kPartialOn, K::CheckBox}, {kCheckPrefixOn, K::CheckBox},
        {kFixedLen, K::Edit},      {kInitialValue, K::Edit},  {kPrefixBox, K::Edit},
        {kSuffixBox, K::Edit},     {kMarkBox, K::Edit},       {kPartialStart, K::Edit},
        {kPartialLen, K::Edit},    {kCheckPrefix, K::Edit},   {kAlign, K::DropDownList},
        {kAutoEnter, K::DropDownList}};
    return list;
}

const PageControls& AdvanceDialog::lookupControls() {
    using K = ui::ControlKind;
    static const PageControls list = {
        {kFormNumber, K::Label},          {kLineNumber, K::Label},
        {kSaveData, K::CheckBox},         {kLookupFixedLenOn, K::CheckBox},
        {kLookupFixedLen, K::Edit},       {kLookupAlign, K::DropDownList},
        {kPrefixOn, K::CheckBox},         {kPrefixBox, K::Edit},
        {kSuffixOn, K::CheckBox},         {kSuffixBox, K::Edit}};
    return list;
}

void AffixBoxes::show(ui::Services& ui, ui::Dialog& d, const FormDef& f, int line) {
    std::memcpy(prefix_, f.prefix[line], kPickerCapacity);
    std::memcpy(suffix_, f.suffix[line], kPickerCapacity);
    attachPickerBox(ui, d, kPrefixBox, prefix_);
    attachPickerBox(ui, d, kSuffixBox, suffix_);
    d.setText(kPrefixBox, charTokenText(prefix_));
    d.setText(kSuffixBox, charTokenText(suffix_));
}

void AffixBoxes::store(FormDef& f, int line) const {
    std::memcpy(f.prefix[line], prefix_, kPickerCapacity);
    std::memcpy(f.suffix[line], suffix_, kPickerCapacity);
}

void AdvanceDialog::init(ui::Dialog& d) {
    FormDef& f = form();
    const int i = line();
    state_.takeBackup();
    state_.markingFlag() = f.inputMark[i] != 0;
    showNumbers(d, state_);

    showCheck(d, kFixedLenOn, f.fixedLenOn[i], {kFixedLen, kAlign});
    d.setNumber(kFixedLen, f.fixedLen[i]);
    fillList(d, kAlign, alignListRussian(), f.align[i]);

    showCheck(d, kInitialOn, f.initialOn[i], {kInitialValue});
    d.setText(kInitialValue, slotText(f.initialValue[i]));

    showCheck(d, kPrefixOn, f.prefixOn[i], {kPrefixBox});
    showCheck(d, kSuffixOn, f.suffixOn[i], {kSuffixBox});
    affixes_.show(ui_, d, f, i);

    d.check(kMarking, state_.markingFlag());
    d.enable(kMarkBox, state_.markingFlag());
    d.setText(kMarkBox, f.inputMark[i] ? std::string(1, static_cast<char>(f.inputMark[i])) : "");

    if (f.partialStart[i] < 1) f.partialStart[i] = 1;
    if (f.partialLen[i] == 0 || f.partialLen[i] > kMaxFieldLen) f.partialLen[i] = kMaxFieldLen;
    showCheck(d, kPartialOn, f.partialOn[i], {kPartialStart, kPartialLen});
    d.setNumber(kPartialStart, f.partialStart[i]);
    d.setNumber(kPartialLen, f.partialLen[i]);

    showCheck(d, kCheckPrefixOn, f.checkPrefixOn[i], {kCheckPrefix});
    d.setText(kCheckPrefix, slotText(f.checkPrefix[i]));

    fillList(d, kAutoEnter, autoEnterList(), f.autoEnter[i]);
}

void AdvanceDialog::command(ui::Dialog& d, const ui::Notification& n) {
    FormDef& f = form();
    const int i = line();
    if (n.code == ui::Notify::Clicked) {
        switch (n.id) {
            case kFixedLenOn:
                enableWith(d, toggleCheck(d, n.id, f.fixedLenOn[i]), {kFixedLen, kAlign});
                break;
            case kInitialOn:
                enableWith(d, toggleCheck(d, n.id, f.initialOn[i]), {kInitialValue});
                break;
            case kPrefixOn:
                enableWith(d, toggleCheck(d, n.id, f.prefixOn[i]), {kPrefixBox});
                break;
            case kSuffixOn:
                enableWith(d, toggleCheck(d, n.id, f.suffixOn[i]), {kSuffixBox});
                break;
            case kMarking: {
                const bool on = !d.checked(n.id);
                d.check(n.id, on);
                state_.markingFlag() = on;
                d.enable(kMarkBox, on);
                break;
            }
            case kPartialOn:
                enableWith(d, toggleCheck(d, n.id, f.partialOn[i]), {kPartialStart, kPartialLen});
                break;
            case kCheckPrefixOn:
                enableWith(d, toggleCheck(d, n.id, f.checkPrefixOn[i]), {kCheckPrefix});
                break;
            default:
                break;
        }
    } else if (n.code == ui::Notify::SelChanged) {
        if (n.id == kAlign) f.align[i] = static_cast<u8>(d.selection(n.id));
        if (n.id == kAutoEnter) f.autoEnter[i] = static_cast<u8>(d.selection(n.id));
    } else if (n.code == ui::Notify::Changed) {
        switch (n.id) {
            case kFixedLen:
                storeByteBox(d, n.id, f.fixedLen[i], "1");
                break;
            case kInitialValue:
                setSlotText(f.initialValue[i], d.text(n.id, 9));
                break;
            case kMarkBox: {
                const std::string t = d.text(n.id, 1);
                f.inputMark[i] = t.empty() ? 0 : static_cast<u8>(t[0]);
                break;
            }
            case kPartialStart:
                storeByteBox(d, n.id, f.partialStart[i], "1");
                break;
            case kPartialLen:
                storeByteBox(d, n.id, f.partialLen[i], "0");
                break;
            case kCheckPrefix: {
                const std::string t = d.text(n.id, 9);
                if (t.size() > 6)
                    d.setText(n.id, t.substr(0, 6));
                else
                    setSlotBytes(f.checkPrefix[i], t);
                break;
            }
            default:  // the picker boxes: only their buffers count
                break;
        }
    }
}

void AdvanceDialog::ok(ui::Dialog& d) {
    FormDef& f = form();
    const int i = line();
    if (!state_.markingFlag()) f.inputMark[i] = 0;
    if (f.partialStart[i] == 0) f.partialStart[i] = 1;
    if (f.partialLen[i] == 0 || f.partialLen[i] > kMaxFieldLen) f.partialLen[i] = kMaxFieldLen;
    affixes_.store(f, i);
    d.end(1);
}

void AdvanceDialog::cancel(ui::Dialog& d) {
    state_.restoreBackup();
    d.end(0);
}

void LookupAdvanceDialog::enableSaveOptions(ui::Dialog& d, bool on) {
    enableWith(d, on, {kLookupFixedLenOn, kPrefixOn, kSuffixOn});
}

void LookupAdvanceDialog::init(ui::Dialog& d) {
    FormDef& f = form();
    const int i = line();
    state_.takeBackup();
    showNumbers(d, state_);
    d.check(kSaveData, f.initialOn[i] != 0);

    showCheck(d, kLookupFixedLenOn, f.fixedLenOn[i], {kLookupFixedLen, kLookupAlign});
    d.setNumber(kLookupFixedLen, f.fixedLen[i]);
    fillList(d, kLookupAlign, alignListEnglish(), f.align[i]);

    showCheck(d, kPrefixOn, f.prefixOn[i], {kPrefixBox});
    showCheck(d, kSuffixOn, f.suffixOn[i], {kSuffixBox});
    affixes_.show(ui_, d, f, i);

    enableSaveOptions(d, f.initialOn[i] != 0);
}

void LookupAdvanceDialog::command(ui::Dialog& d, const ui::Notification& n) {
    FormDef& f = form();
    const int i = line();
    if (n.code == ui::Notify::Clicked) {
        switch (n.id) {
            case kSaveData:
                enableSaveOptions(d, toggleCheck(d, n.id, f.initialOn[i]));
                break;
            case kLookupFixedLenOn:
                enableWith(d, toggleCheck(d, n.id, f.fixedLenOn[i]),
                           {kLookupFixedLen, kLookupAlign});
                break;
            case kPrefixOn:
                enableWith(d, toggleCheck(d, n.id, f.prefixOn[i]), {kPrefixBox});
                break;
            case kSuffixOn:
                enableWith(d, toggleCheck(d, n.id, f.suffixOn[i]), {kSuffixBox});
                break;
            default:
                break;
        }
    } else if (n.code == ui::Notify::SelChanged && n.id == kLookupAlign) {
        f.align[i] = static_cast<u8>(d.selection(n.id));
    } else if (n.code == ui::Notify::Changed && n.id == kLookupFixedLen) {
        storeByteBox(d, n.id, f.fixedLen[i], "1");
    }
}

void LookupAdvanceDialog::ok(ui::Dialog& d) {
    FormDef& f = form();
    const int i = line();
    f.inputMark[i] = 0;
    affixes_.store(f, i);
    d.end(1);
}

void LookupAdvanceDialog::cancel(ui::Dialog& d) {
    state_.restoreBackup();
    d.end(0);
}

int openFieldProperties(FormPageState& state, ui::Services& ui) {
    if (state.form().lineType[state.selectedLine] == kLineLookup) {
        LookupAdvanceDialog handler(state, ui);
        ui::Dialog d(ui::dialogTemplate("LookupAdvanceDlg"), handler);
        return ui.runDialog(d);
    }
    AdvanceDialog handler(state, ui);
    ui::Dialog d(ui::dialogTemplate("AdvanceDlg"), handler);
    return ui.runDialog(d);
}

}  // namespace appgen::editor
