// The thirteen symbology dialogs of the Barcode page as data: which controls
// each has and the bits of BarcodeSettings they stand for.
#pragma once

#include <optional>
#include <vector>

#include "editor/barcode_bits.h"

namespace appgen::editor {

// A plain check box that stands for one bit.
struct CheckOption {
    int id;
    BitField field;
};

int plainChoice(unsigned value, int count);  // the value is the index; -1 past the group
unsigned plainValue(int choice);

// Radio buttons firstId .. firstId + count - 1 choosing the value of one field.
struct RadioChoice {
    int firstId;
    int count;
    BitField field;
    // The radio a stored value selects (-1: none of them) and the value a radio stores.
    int (*choiceOf)(unsigned value, int count) = plainChoice;
    unsigned (*valueOf)(int choice) = plainValue;
};

// Two length boxes, 501 and 502 with labels 401 and 402, and two mode radios:
// `fixedRadio` for fixed lengths (bit 7 of `byte` clear), the one after it for
// maximum/minimum. Bits 6-0 of `byte` hold length 1, the next byte length 2.
struct LengthLimits {
    int fixedRadio;
    int byte;
    bool labelsOnOpen;  // a fixed pair shows the fixed-length labels at once
};

struct SymbologyLayout {
    int button;  // the page's "Параметры..." button that opens it
    const char* templateName;
    std::vector<CheckOption> checks;
    std::vector<RadioChoice> radios;
    std::optional<LengthLimits> lengths;
};

const std::vector<SymbologyLayout>& symbologyLayouts();
// Nothing when no dialog belongs to that button.
const SymbologyLayout* symbologyFor(int button);

}  // namespace appgen::editor
