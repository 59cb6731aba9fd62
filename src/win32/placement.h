// Dialogs and the sheet open centred on the terminal window, wholly inside
// the available area of its monitor (the core's placement arithmetic).
#pragma once

#include <windows.h>

namespace appgen::win32 {

// Moves a top-level window over the window that owns it all (the terminal);
// a window without an owner stays where the system put it.
void placeOverTerminal(HWND window);

}  // namespace appgen::win32
