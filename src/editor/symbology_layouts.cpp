#include "editor/symbology_layouts.h"

namespace appgen::editor {

int plainChoice(unsigned value, int count) {
    return value < static_cast<unsigned>(count) ? static_cast<int>(value) : -1;
}

unsigned plainValue(int choice) { return static_cast<unsigned>(choice); }

namespace {

// Codabar keeps "characters sent" in bit 3 and the format in bits 5-4 of
// byte 7; a clear bit 3 means "None" whatever the format bits hold.
constexpr BitField kCodabarStartStop{7, 3, 3};
int codabarChoice(unsigned value, int) { return (value & 1u) ? 1 + static_cast<int>(value >> 1) : 0; }
unsigned codabarValue(int choice) {
    return choice == 0 ? 0u : (static_cast<unsigned>(choice - 1) << 1) | 1u;
}

// The original numeric variant is the set bit, and the first radio.
int telepenChoice(unsigned value, int) { return value ? 0 : 1; }
unsigned telepenValue(int choice) { return choice == 0 ? 1u : 0u; }

// The 2-of-5 dialogs differ only in where their bits are.
SymbologyLayout twoOfFive(int button, const char* name, BitField startStop, BitField verify,
                          BitField send, int lengthByte) {
    return {button, name, {{101, verify}, {102, send}}, {{301, 3, startStop}},
            LengthLimits{304, lengthByte, true}};
}

std::vector<SymbologyLayout> buildLayouts() {
    return {
        {201, "Code39Dlg",
         {{101, bitAt(5, 7)}, {102, bitAt(5, 6)}, {103, bitAt(5, 5)}, {104, bitAt(5, 4)}}, {}, {}},
        {202, "ItalyPharmaDlg", {{101, bitAt(5, 3)}}, {}, {}},
        {203, "FrenchPharmaDlg", {{101, bitAt(5, 2)}}, {}, {}},
        twoOfFive(204, "Industrial25Dlg", {6, 0, 2}, bitAt(6, 7), bitAt(6, 6), 12),
        twoOfFive(205, "Interleave25Dlg", {6, 2, 2}, bitAt(5, 1), bitAt(5, 0), 14),
        twoOfFive(206, "Matrix25Dlg", {7, 6, 2}, bitAt(6, 5), bitAt(6, 4), 16),
        {207, "CodabarDlg", {}, {{301, 5, kCodabarStartStop, codabarChoice, codabarValue}}, {}},
        {208, "MSIDlg", {}, {{301, 3, {9, 6, 2}}, {304, 3, {9, 4, 2}}},
         LengthLimits{307, 18, false}},
        {209, "PlesseyDlg", {{101, bitAt(9, 2)}, {102, bitAt(9, 3)}}, {}, {}},
        {213, "UPCEDlg", {{101, bitAt(9, 1)}, {102, bitAt(10, 1)}, {103, bitAt(10, 5)}}, {}, {}},
        {216, "EAN8Dlg", {{101, bitAt(11, 7)}, {102, bitAt(10, 3)}}, {}, {}},
        {219, "EAN13Dlg",
         {{101, bitAt(10, 7)},
          {102, bitAt(10, 6)},
          {103, bitAt(10, 2)},
          {104, bitAt(10, 0)},
          {105, bitAt(10, 4)},
          {106, bitAt(9, 0)}},
         {}, {}},
        {223, "TelepenDlg", {}, {{301, 2, bitAt(2, 1), telepenChoice, telepenValue}}, {}},
    };
}

}  // namespace

const std::vector<SymbologyLayout>& symbologyLayouts() {
    static const std::vector<SymbologyLayout> layouts = buildLayouts();
    return layouts;
}

const SymbologyLayout* symbologyFor(int button) {
    for (const SymbologyLayout& l : symbologyLayouts())
        if (l.button == button) return &l;
    return nullptr;
}

}  // namespace appgen::editor
