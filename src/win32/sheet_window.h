// A ui::PropertySheet as the common controls' property sheet: a page for each
// of its pages, created when first shown, OK and Cancel (no Apply button).
// Modal for the operator, modeless for the windows a script drives.
#pragma once

#include "win32/common_controls.h"

#include <memory>
#include <string>
#include <vector>

#include "ui/property_sheet.h"
#include "win32/control_binding.h"

namespace appgen::win32 {

class SheetWindow {
public:
    explicit SheetWindow(ui::PropertySheet& sheet);
    ~SheetWindow();
    SheetWindow(const SheetWindow&) = delete;
    SheetWindow& operator=(const SheetWindow&) = delete;

    // 1 after OK, 0 after Cancel, as ui::Services::runSheet returns.
    int runModal(HWND owner);
    // Shows the sheet and returns; the window goes with this object, or
    // once the sheet has ended and close() is called.
    void openModeless(HWND owner);
    void close();

    HWND window() const { return window_; }
    ui::PropertySheet& sheet() { return sheet_; }
    // The binding of the page shown now; nothing before it has been created.
    ControlBinding* currentBinding();

private:
    struct Page {
        SheetWindow* owner = nullptr;
        int index = 0;
        std::vector<DWORD> layout;
        std::wstring title;
        std::unique_ptr<ControlBinding> binding;
    };
    friend INT_PTR CALLBACK sheetPageProc(HWND, UINT, WPARAM, LPARAM);

    PROPSHEETHEADERW header(HWND owner, bool modeless);

    ui::PropertySheet& sheet_;
    std::wstring caption_;
    std::vector<std::unique_ptr<Page>> pages_;
    std::vector<PROPSHEETPAGEW> descriptions_;
    HWND window_ = nullptr;
    bool modeless_ = false;  // a script's: the painted areas keep the dialog's sizes
};

}  // namespace appgen::win32
