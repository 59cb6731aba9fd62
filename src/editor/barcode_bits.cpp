#include "editor/barcode_bits.h"

namespace appgen::editor {

unsigned readBits(const BarcodeSettings& b, BitField f) {
    return (b.bytes[f.byte] & f.mask()) >> f.shift;
}

void writeBits(BarcodeSettings& b, BitField f, unsigned value) {
    u8& byte = b.bytes[f.byte];
    byte = static_cast<u8>((byte & ~f.mask()) | ((value << f.shift) & f.mask()));
}

}  // namespace appgen::editor
