#include "editor/lookup_page.h"

#include <cstring>

#include "editor/dialog_fields.h"
#include "editor/editor_lists.h"
#include "editor/lookup_layout.h"

namespace appgen::editor {
namespace {

enum : int {
    kLookupChoice = 690,
    kRecLen = 509,
    kFieldCount = 601,
    kNotFound = 602,
    kFixedLength = 311,
    kSeparated = 312,
    kSeparator = 519,
    kUploadAllowed = 101,
    kLengthHeader = 401,
    kResetButton = 201,
    kOffset = 501,  // + field
    kLength = 511,  // + field
    kKey = 301,     // + field
};

constexpr unsigned kMaxLayoutValue = 250;
constexpr unsigned kMaxSeparator = 255;

int fieldOf(int id, int base) {
    return id >= base && id < base + kLookupFields ? id - base : -1;
}

List lookupNameList() { return {cp("1ая база"), cp("2ая база"), cp("3я база")}; }

List fieldCountList() {
    List out;
    for (char digit = '0'; digit <= '0' + kLookupFields; ++digit) out.push_back({' ', digit});
    return out;
}

List notFoundList() {
    return {cp("Продолжить"), cp("Предупредить"), cp("Вставить в базу"),
            cp("Предупредить и вставить")};
}

// A layout number box: what is not a number stores 0 (and shows "0" unless the
// box is empty); a number above the bound is ignored and stays in the box.
void storeBoundedBox(ui::Dialog& d, int id, u8& field, unsigned bound) {
    if (const auto n = d.number(id)) {
        if (*n <= bound) field = static_cast<u8>(*n);
        return;
    }
    field = 0;
    if (!d.text(id).empty()) d.setText(id, "0");
}

}  // namespace

const PageControls& LookupPage::controls() {
    using K = ui::ControlKind;
    static const PageControls list = [] {
        PageControls c = {{kLookupChoice, K::DropDownList}, {kRecLen, K::Edit},
                          {kFieldCount, K::DropDownList},   {kNotFound, K::DropDownList},
                          {kFixedLength, K::RadioButton},   {kSeparated, K::RadioButton},
                          {kSeparator, K::Edit},            {kUploadAllowed, K::CheckBox},
                          {kLengthHeader, K::Label},        {kResetButton, K::Button}};
        for (int i = 0; i < kLookupFields; ++i) {
            c.insert(c.end(),
                     {{kOffset + i, K::Edit}, {kLength + i, K::Edit}, {kKey + i, K::RadioButton}});
        }
        return c;
    }();
    return list;
}

void LookupPage::init(ui::Dialog& d) {
    std::memcpy(work_, ws_.project.lookups, sizeof work_);
    d.setItems(kLookupChoice, lookupNameList());
    d.setItems(kNotFound, notFoundList());
    d.setItems(kFieldCount, fieldCountList());
    current_ = 0;
    fill(d);
}

void LookupPage::fill(ui::Dialog& d) {
    const LookupDef& l = lookup();
    d.select(kLookupChoice, current_);
    const bool separated = l.separator != 0;
    d.check(kFixedLength, !separated);
    d.check(kSeparated, separated);
    d.setText(kLengthHeader, separated ? "Max Length" : "   Length");
    d.setNumber(kSeparator, l.separator);
    d.enable(kRecLen, !separated);
    d.enable(kSeparator, separated);
    d.setNumber(kRecLen, lookup().recLen);
    d.select(kFieldCount, l.fieldCount);
    d.check(kUploadAllowed, l.uploadAllowed != 0);
    d.select(kNotFound, l.notFound);
    for (int i = 0; i < kLookupFields; ++i) {
        d.setNumber(kOffset + i, lookup().fieldOffset[i]);
        d.setNumber(kLength + i, lookup().fieldLen[i]);
        d.check(kKey + i, i == l.keyField);
    }
    fieldRule(d, separated);
}

// The fields the lookup has are editable; their offsets only when the record
// is fixed-length, since a separated record places its fields itself.
void LookupPage::fieldRule(ui::Dialog& d, bool separated) {
    const int count = lookup().fieldCount;
    for (int i = 0; i < kLookupFields; ++i) {
        d.enable(kLength + i, i < count);
        d.enable(kKey + i, i < count);
    }
    offsetBoxesRule(d, separated);
}

void LookupPage::offsetBoxesRule(ui::Dialog& d, bool separated) {
    const int count = lookup().fieldCount;
    for (int i = 0; i < kLookupFields; ++i) d.enable(kOffset + i, !separated && i < count);
}

void LookupPage::fixedLengthChosen(ui::Dialog& d) {
    lookup().separator = 0;
    d.check(kFixedLength, true);
    d.check(kSeparated, false);
    d.setText(kLengthHeader, "   Length");
    d.enable(kRecLen, true);
    d.enable(kSeparator, false);
    offsetBoxesRule(d, false);
}

void LookupPage::separatorChosen(ui::Dialog& d) {
    d.check(kSeparated, true);
    d.check(kFixedLength, false);
    // The box keeps the last separator shown, so going back to a separator
    // after "Фиксированная длина" brings the old one back.
    storeBoundedBox(d, kSeparator, lookup().separator, kMaxSeparator);
    d.setText(kLengthHeader, "Max Length");
    d.enable(kRecLen, false);
    d.enable(kSeparator, true);
    offsetBoxesRule(d, true);
}

void LookupPage::keyChosen(ui::Dialog& d, int field) {
    lookup().keyField = static_cast<u8>(field);
    for (int i = 0; i < kLookupFields; ++i) d.check(kKey + i, i == field);
}

void LookupPage::command(ui::Dialog& d, const ui::Notification& n) {
    LookupDef& l = lookup();
    if (n.code == ui::Notify::SelChanged) {
        const int index = d.selection(n.id);
        if (index < 0) return;
        switch (n.id) {
            case kLookupChoice:
                current_ = index;
                fill(d);
                break;
            case kFieldCount:
                l.fieldCount = static_cast<u8>(index);
                fieldRule(d, l.separator != 0 || d.checked(kSeparated));
                break;
            case kNotFound: l.notFound = static_cast<u8>(index); break;
            default: break;
        }
    } else if (n.code == ui::Notify::Changed) {
        int i = -1;
        if (n.id == kRecLen) storeBoundedBox(d, n.id, l.recLen, kMaxLayoutValue);
        if (n.id == kSeparator) storeBoundedBox(d, n.id, l.separator, kMaxSeparator);
        if ((i = fieldOf(n.id, kOffset)) >= 0)
            storeBoundedBox(d, n.id, l.fieldOffset[i], kMaxLayoutValue);
        if ((i = fieldOf(n.id, kLength)) >= 0)
            storeBoundedBox(d, n.id, l.fieldLen[i], kMaxLayoutValue);
    } else if (n.code == ui::Notify::Clicked) {
        if (const int i = fieldOf(n.id, kKey); i >= 0) {
            keyChosen(d, i);
            return;
        }
        switch (n.id) {
            case kUploadAllowed: toggleCheck(d, kUploadAllowed, l.uploadAllowed); break;
            case kFixedLength: fixedLengthChosen(d); break;
            case kSeparated: separatorChosen(d); break;
            case kResetButton:
                for (LookupDef& each : work_) resetLookup(each);
                current_ = 0;
                fill(d);
                break;
            default: break;
        }
    }
}

void LookupPage::apply(ui::Dialog&) {
    for (LookupDef& l : work_) completeSeparatedLookup(l);
    std::memcpy(ws_.project.lookups, work_, sizeof work_);
}

}  // namespace appgen::editor
