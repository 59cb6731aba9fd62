#include "win32/placement.h"

#include "ui/window_placement.h"

namespace appgen::win32 {

void placeOverTerminal(HWND window) {
    HWND terminal = GetAncestor(window, GA_ROOTOWNER);
    if (!terminal || terminal == window) return;
    RECT frame;
    RECT anchor;
    GetWindowRect(window, &frame);
    GetWindowRect(terminal, &anchor);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(terminal, MONITOR_DEFAULTTONEAREST), &mi);
    const ui::ScreenRect placed =
        ui::placeFrame(frame.right - frame.left, frame.bottom - frame.top,
                       {anchor.left, anchor.top, anchor.right - anchor.left, anchor.bottom - anchor.top},
                       {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right - mi.rcWork.left,
                        mi.rcWork.bottom - mi.rcWork.top});
    SetWindowPos(window, nullptr, placed.x, placed.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace appgen::win32
