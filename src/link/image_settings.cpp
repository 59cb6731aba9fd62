#include "link/image_settings.h"

namespace appgen::link {
namespace {

u8 plusOne(u8 v) { return static_cast<u8>(v + 1); }

// A nonzero 2-bit field at `shift` goes up by one. The editor writes 0..2; a
// stored 3 stays 3 so that it cannot carry into the neighbouring field.
u8 raiseField(u8 flags, int shift) {
    const int field = (flags >> shift) & 0x3;
    if (field == 0 || field == 3) return flags;
    const int mask = 0x3 << shift;
    return static_cast<u8>((flags & ~mask) | ((field + 1) << shift));
}

constexpr int kShiftTypeBits = 1;    // bits 1-2: shift / caps-lock type
constexpr int kDigitLayoutBits = 3;  // bits 3-4: digit layout
constexpr int kPasswordCoded = 10;   // letters of the password the terminal compares

}  // namespace

WedgeSettings wedgeForTerminal(const WedgeSettings& w) {
    WedgeSettings out = w;
    out.keyboardType = plusOne(w.keyboardType);
    out.wedgeFlags = raiseField(raiseField(w.wedgeFlags, kShiftTypeBits), kDigitLayoutBits);
    return out;
}

TerminalSettings terminalForTerminal(const TerminalSettings& t) {
    TerminalSettings out = t;
    out.startWith = t.startWith == 0 ? 1 : 11;
    out.uploadPort = plusOne(t.uploadPort);
    out.downloadPort = plusOne(t.downloadPort);
    out.terminalBaud = plusOne(t.terminalBaud);
    out.backlightOn = plusOne(t.backlightOn);
    out.autoDelete = plusOne(t.autoDelete);
    out.entryMessage = plusOne(t.entryMessage);
    out.backlightSeconds = static_cast<u8>(t.backlightSeconds + 0x30);  // 1..9 -> '1'..'9'
    for (int i = 0; i < kPasswordCoded; ++i) {
        const char c = t.password[i];
        if (c >= 'a' && c <= 'z') out.password[i] = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace appgen::link
