// Pixels per inch of the monitor a window is on. Windows 10 tells each
// monitor's; older systems one figure for all, which is what they scale by.
#pragma once

#include <windows.h>

namespace appgen::win32 {

UINT dpiOf(HWND window);
inline int scaled(HWND window, int pixelsAt96) { return MulDiv(pixelsAt96, static_cast<int>(dpiOf(window)), 96); }

}  // namespace appgen::win32
