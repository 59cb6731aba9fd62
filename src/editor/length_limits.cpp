#include "editor/length_limits.h"

#include <algorithm>


namespace appgen::editor {
namespace {

enum : int { kLabel1 = 401, kLabel2 = 402, kLength1 = 501, kLength2 = 502 };

constexpr u8 kMaxMinMode = 0x80;

}  // namespace

void LengthBoxes::label(ui::Dialog& d, bool fixed) {
    d.setText(kLabel1, fixed ? "Fixed Length 1:" : "Max Length :");
    d.setText(kLabel2, fixed ? "Fixed Length 2:" : "Min Length :");
}

void LengthBoxes::load(ui::Dialog& d, const BarcodeSettings& b) {
    const u8 first = b.bytes[where_.byte];
    const bool fixed = (first & kMaxMinMode) == 0;
    d.check(where_.fixedRadio, fixed);
    d.check(where_.fixedRadio + 1, !fixed);
    if (fixed && where_.labelsOnOpen) label(d, true);
    d.setNumber(kLength1, first & 0x7Fu);
    d.setNumber(kLength2, b.bytes[where_.byte + 1]);
}

bool LengthBoxes::command(ui::Dialog& d, const ui::Notification& n) {
    if (n.code == ui::Notify::Clicked) {
        if (n.id != where_.fixedRadio && n.id != where_.fixedRadio + 1) return false;
        label(d, n.id == where_.fixedRadio);
        return true;
    }
    if (n.code != ui::Notify::Changed) return false;
    // A replacement's own change notification stores it.
    if (n.id == kLength1) {
        if (const auto v = d.number(n.id))
            length1_ = std::min(*v, kLongest);
        else if (!d.text(n.id).empty())
            d.setNumber(n.id, kLongest);
        else
            length1_ = 0;
        return true;
    }
    if (n.id == kLength2) {
        if (const auto v = d.number(n.id))
            length2_ = *v;
        else if (!d.text(n.id).empty())
            d.setNumber(n.id, 1);
        else
            length2_ = 0;
        return true;
    }
    return false;
}

void LengthBoxes::store(const ui::Dialog& d, BarcodeSettings& b) const {
    u8& first = b.bytes[where_.byte];
    u8 mode = first & kMaxMinMode;
    if (d.checked(where_.fixedRadio)) mode = 0;
    if (d.checked(where_.fixedRadio + 1)) mode = kMaxMinMode;
    const unsigned one = std::max(length1_, 1u);
    const unsigned two = std::max(std::min(length2_, one), 1u);
    first = static_cast<u8>(mode | one);
    b.bytes[where_.byte + 1] = static_cast<u8>(two);
}

}  // namespace appgen::editor
