#include "win32/dialog_window.h"

#include "win32/dialog_template_builder.h"
#include "win32/placement.h"

namespace appgen::win32 {

INT_PTR CALLBACK dialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        if (!self->dialog_.started()) self->dialog_.start();
        self->binding_ = std::make_unique<ControlBinding>(self->dialog_, window, !self->modal_);
        placeOverTerminal(window);
        if (self->modal_) {
            self->binding_->onEnded = [self] { EndDialog(self->window_, self->dialog_.result()); };
            if (self->dialog_.ended()) EndDialog(window, self->dialog_.result());
        }
        const HWND focus = GetDlgItem(window, self->dialog_.focus());
        if (!focus) return TRUE;  // the first control that takes Tab
        SetFocus(focus);
        return FALSE;
    }
    if (!self || !self->binding_) return FALSE;
    if (message == WM_DESTROY) {
        self->binding_.reset();
        return FALSE;
    }
    INT_PTR result = 0;
    if (self->binding_->route(message, wParam, lParam, result)) {
        if (message == WM_COMMAND) return TRUE;
        return result;
    }
    return FALSE;
}

int runDialogWindow(ui::Dialog& dialog, HWND owner) {
    const std::vector<DWORD> layout = buildDialogTemplate(dialog.layout(), TemplateRole::Modal);
    DialogWindow self(dialog, DialogWindow::ModalTag{});
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(layout.data()),
                            owner, dialogWindowProc, reinterpret_cast<LPARAM>(&self));
    self.window_ = nullptr;  // EndDialog destroyed it
    dialog.end(0);  // the window went without an answer: destroyed
    return dialog.result();
}

DialogWindow::DialogWindow(ui::Dialog& dialog, HWND owner) : dialog_(dialog) {
    const std::vector<DWORD> layout = buildDialogTemplate(dialog.layout(), TemplateRole::Modal);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(layout.data()),
                               owner, dialogWindowProc, reinterpret_cast<LPARAM>(this));
    if (window_) ShowWindow(window_, SW_SHOW);
}

DialogWindow::~DialogWindow() {
    if (window_) DestroyWindow(window_);
}

}  // namespace appgen::win32
