// Where the Barcode page and its symbology dialogs keep their choices inside
// the 23-byte BarcodeSettings block: bit fields, most significant bit 7.
#pragma once

#include "project/project.h"

namespace appgen::editor {

struct BitField {
    int byte;   // 0..22
    int shift;  // lowest bit of the field
    int width;  // 1..8 bits

    unsigned mask() const { return ((1u << width) - 1u) << shift; }
};

constexpr BitField bitAt(int byte, int bit) { return {byte, bit, 1}; }

unsigned readBits(const BarcodeSettings& b, BitField f);
// Only the field's bits change; the value is cut to the field's width.
void writeBits(BarcodeSettings& b, BitField f, unsigned value);

inline constexpr BitField kScanMode{20, 4, 4};
inline constexpr BitField kReadRedundancy{11, 2, 2};
inline constexpr BitField kScanTimeout{21, 0, 8};

// The page's check boxes and the bits they stand for.
struct PageCheck {
    int id;
    BitField field;
};
inline constexpr PageCheck kPageChecks[] = {
    {101, bitAt(0, 7)},  // Code 39
    {102, bitAt(0, 6)},  // Italian Pharmacode
    {103, bitAt(0, 5)},  // French Pharmacode
    {104, bitAt(0, 4)},  // Industrial 25
    {105, bitAt(0, 3)},  // Interleave 25
    {106, bitAt(0, 2)},  // Matrix 25
    {107, bitAt(0, 1)},  // Codabar
    {108, bitAt(2, 5)},  // MSI
    {109, bitAt(2, 4)},  // Plessey
    {110, bitAt(0, 0)},  // Code 93
    {111, bitAt(1, 7)},  // Code 128
    {113, bitAt(1, 6)},  // UPCE
    {114, bitAt(1, 5)},  // UPCE Addon 2
    {115, bitAt(1, 4)},  // UPCE Addon 5
    {116, bitAt(1, 3)},  // EAN8
    {117, bitAt(1, 2)},  // EAN8 Addon 2
    {118, bitAt(1, 1)},  // EAN8 Addon 5
    {119, bitAt(1, 0)},  // EAN13 & UPCA
    {120, bitAt(2, 7)},  // EAN13 Addon 2
    {121, bitAt(2, 6)},  // EAN13 Addon 5
    {122, bitAt(11, 4)},  // inverted barcode
    {123, bitAt(2, 2)},  // Telepen
};

}  // namespace appgen::editor
