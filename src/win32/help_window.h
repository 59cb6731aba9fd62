// The help document in a window of its own: read-only text, closed by Esc
// and Ctrl+W; the finder opens it at its list of topics at the top.
#pragma once

#include <windows.h>

#include <string>

namespace appgen::win32 {

class HelpWindow {
public:
    static void registerClass(HINSTANCE instance);
    // Opens the window (or brings it up) with the document at `path` (UTF-8).
    void show(const std::string& path, bool finder, HWND beside);
    HWND window() const { return window_; }

private:
    friend LRESULT CALLBACK helpWindowProc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace appgen::win32
