// The option byte of the keyboard wedge (`wedgeFlags`) and the choices the
// keyboard-wedge dialog shows for it.
#pragma once

#include "project/project.h"

namespace appgen::editor {

enum class CapsLockMode { AutoDetect, AlwaysOn, Ignore };

struct WedgeChoices {
    bool digitKeys = false;   // bit 0: the digit keys send the digits
    int shiftLockType = 0;    // bits 1..2: 0 normal, 1 capital-lock, 2 shift-lock keyboard
    int digitLayout = 0;      // bits 3..4: 0 normal, 1 digits below, 2 digits above
    CapsLockMode capsLock = CapsLockMode::AutoDetect;  // bits 7, 6, 5: exactly one is set
};

// A two-bit field holding 3 (no choice of its own) reads as "normal"; with no
// caps-lock bit set the wedge detects the state itself; "always on" wins over "ignore".
WedgeChoices decodeWedgeFlags(u8 flags);
u8 encodeWedgeFlags(const WedgeChoices& c);

}  // namespace appgen::editor
