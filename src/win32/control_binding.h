// Keeps a dialog window's real controls and a ui::Dialog in step both ways.
// What a person does in a control (typing, a click, choosing an entry)
// reaches the dialog as the user's action; what the dialog's handler changes
// is written into the controls, and the notifications those writes cause are
// not taken for the user's (no echoes).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "ui/dialog.h"

namespace appgen::win32 {

class ControlBinding {
public:
    // `window` holds the controls of dialog's template, as created from it.
    // The painted areas tell the dialog their size; with `modelSizes` (a
    // script's windows) they take the dialog's own size instead, so that a
    // script's click points hit the same cells in every program.
    ControlBinding(ui::Dialog& dialog, HWND window, bool modelSizes = false);
    ~ControlBinding();
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    ui::Dialog& dialog() { return dialog_; }
    HWND window() const { return window_; }

    // The messages of the window's procedure that concern its controls;
    // true (and `result`) when taken.
    bool route(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    // The dialog's answer to the last action that reached it since
    // expectInput(); nothing when none did.
    void expectInput() { last_.reset(); }
    std::optional<ui::UserResult> lastResult() const { return last_; }

    // The controls as the window shows them (texts, checks, lists, enabled,
    // visible), with what a window cannot tell (kinds, fills) from the dialog.
    std::vector<ui::ControlState> readBack() const;

    // The dialog ended (its handler closed it).
    std::function<void()> onEnded;

private:
    void command(int id, int code, HWND control);
    void taken(ui::UserResult r) { last_ = r; }
    void sync(int id);
    void syncAll();
    HBRUSH fillBrush(HDC dc, HWND control);

    ui::Dialog& dialog_;
    HWND window_;
    std::vector<ui::ControlState> shown_;  // what the controls show, by the dialog's order
    std::map<COLORREF, HBRUSH> brushes_;
    std::optional<ui::UserResult> last_;
    int syncing_ = 0;
    int focus_ = ui::kNoId;
};

}  // namespace appgen::win32
