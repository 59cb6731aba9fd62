// The length limits of the 2-of-5 and MSI dialogs: a fixed or maximum/minimum
// mode and two length boxes, held while typing and corrected when stored.
#pragma once

#include "editor/symbology_layouts.h"
#include "ui/dialog.h"

namespace appgen::editor {

class LengthBoxes {
public:
    static constexpr unsigned kLongest = 127;  // seven bits beside the mode bit

    explicit LengthBoxes(LengthLimits where) : where_(where) {}

    void load(ui::Dialog& d, const BarcodeSettings& b);
    // True when the notification was one of its controls'.
    bool command(ui::Dialog& d, const ui::Notification& n);
    // Length 1 in 1..127, length 2 in 1..length 1, in either mode.
    void store(const ui::Dialog& d, BarcodeSettings& b) const;

    unsigned length1() const { return length1_; }
    unsigned length2() const { return length2_; }

private:
    void label(ui::Dialog& d, bool fixed);

    LengthLimits where_;
    unsigned length1_ = 0;  // what the boxes hold, as stored on OK before its corrections
    unsigned length2_ = 0;
};

}  // namespace appgen::editor
