// A ui::Dialog as a real Win32 dialog, built in memory from its template:
// modal (the system's loop: Tab, Enter and Esc as every Windows dialog has
// them) or modeless (for the windows a script drives).
#pragma once

#include <windows.h>

#include <memory>

#include "ui/dialog.h"
#include "win32/control_binding.h"

namespace appgen::win32 {

// Starts the dialog, lets the user work in it until it ends, and returns its
// result, as ui::Services::runDialog does.
int runDialogWindow(ui::Dialog& dialog, HWND owner);

// A shown modeless dialog window; destroying it closes the window.
class DialogWindow {
public:
    DialogWindow(ui::Dialog& dialog, HWND owner);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND window() const { return window_; }
    ControlBinding* binding() { return binding_.get(); }

private:
    friend INT_PTR CALLBACK dialogWindowProc(HWND, UINT, WPARAM, LPARAM);

    ui::Dialog& dialog_;
    bool modal_ = false;
    HWND window_ = nullptr;
    std::unique_ptr<ControlBinding> binding_;

    friend int runDialogWindow(ui::Dialog&, HWND);
    struct ModalTag {};
    DialogWindow(ui::Dialog& dialog, ModalTag) : dialog_(dialog), modal_(true) {}
};

}  // namespace appgen::win32
