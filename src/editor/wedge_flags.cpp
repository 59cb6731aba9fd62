#include "editor/wedge_flags.h"

namespace appgen::editor {
namespace {

constexpr u8 kDigitKeys = 0x01;
constexpr int kShiftLockShift = 1;
constexpr int kDigitLayoutShift = 3;
constexpr u8 kCapsIgnore = 0x20;
constexpr u8 kCapsAlwaysOn = 0x40;
constexpr u8 kCapsAutoDetect = 0x80;

int twoBits(u8 flags, int shift) {
    const int v = (flags >> shift) & 0x03;
    return v == 3 ? 0 : v;
}

}  // namespace

WedgeChoices decodeWedgeFlags(u8 flags) {
    WedgeChoices c;
    c.digitKeys = (flags & kDigitKeys) != 0;
    c.shiftLockType = twoBits(flags, kShiftLockShift);
    c.digitLayout = twoBits(flags, kDigitLayoutShift);
    if (flags & kCapsAlwaysOn)
        c.capsLock = CapsLockMode::AlwaysOn;
    else if (flags & kCapsIgnore)
        c.capsLock = CapsLockMode::Ignore;
    else
        c.capsLock = CapsLockMode::AutoDetect;
    return c;
}

u8 encodeWedgeFlags(const WedgeChoices& c) {
    unsigned flags = c.digitKeys ? kDigitKeys : 0u;
    flags |= static_cast<unsigned>(c.shiftLockType & 0x03) << kShiftLockShift;
    flags |= static_cast<unsigned>(c.digitLayout & 0x03) << kDigitLayoutShift;
    switch (c.capsLock) {
        case CapsLockMode::AutoDetect: flags |= kCapsAutoDetect; break;
        case CapsLockMode::AlwaysOn: flags |= kCapsAlwaysOn; break;
        case CapsLockMode::Ignore: flags |= kCapsIgnore; break;
    }
    return static_cast<u8>(flags);
}

}  // namespace appgen::editor
