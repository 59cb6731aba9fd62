#include "win32/sheet_window.h"

#include "win32/common_controls.h"

#include "win32/dialog_template_builder.h"
#include "win32/placement.h"
#include "win32/wide_text.h"

namespace appgen::win32 {

INT_PTR CALLBACK sheetPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* page = reinterpret_cast<SheetWindow::Page*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        page = reinterpret_cast<SheetWindow::Page*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        SheetWindow& self = *page->owner;
        if (!self.window_) {
            self.window_ = GetParent(window);
            placeOverTerminal(self.window_);  // once its first page has sized it
        }
        // The sheet creates a page's dialog when it is first shown.
        if (!self.sheet_.page(page->index)) self.sheet_.showPage(page->index);
        if (ui::Dialog* d = self.sheet_.page(page->index))
            page->binding = std::make_unique<ControlBinding>(*d, window, self.modeless_);
        return TRUE;
    }
    if (!page) return FALSE;
    ui::PropertySheet& sheet = page->owner->sheet_;
    if (message == WM_NOTIFY) {
        const auto* n = reinterpret_cast<const NMHDR*>(lParam);
        LONG_PTR answer = 0;
        switch (n->code) {
            case PSN_SETACTIVE:
                if (!sheet.ended() && sheet.currentIndex() != page->index) sheet.showPage(page->index);
                break;
            case PSN_APPLY:
                // Sent to every page that was shown; the sheet applies them all at once.
                if (!sheet.ended()) sheet.ok();
                answer = PSNRET_NOERROR;
                break;
            case PSN_RESET:
                if (!sheet.ended()) sheet.cancel();
                break;
            case PSN_KILLACTIVE:
            case PSN_QUERYCANCEL:
                answer = FALSE;
                break;
            default:
                return FALSE;
        }
        SetWindowLongPtrW(window, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        page->binding.reset();
        return FALSE;
    }
    INT_PTR result = 0;
    if (page->binding && page->binding->route(message, wParam, lParam, result))
        return message == WM_COMMAND ? TRUE : result;
    return FALSE;
}

SheetWindow::SheetWindow(ui::PropertySheet& sheet) : sheet_(sheet), caption_(wideFromCp1251(sheet.caption())) {
    for (int i = 0; i < sheet.pageCount(); ++i) {
        auto page = std::make_unique<Page>();
        page->owner = this;
        page->index = i;
        page->layout = buildDialogTemplate(sheet.pageLayout(i), TemplateRole::Page);
        page->title = wideFromCp1251(sheet.pageLayout(i).caption);
        PROPSHEETPAGEW d{};
        d.dwSize = sizeof d;
        d.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        d.hInstance = GetModuleHandleW(nullptr);
        d.pResource = reinterpret_cast<const DLGTEMPLATE*>(page->layout.data());
        d.pszTitle = page->title.c_str();
        d.pfnDlgProc = sheetPageProc;
        d.lParam = reinterpret_cast<LPARAM>(page.get());
        descriptions_.push_back(d);
        pages_.push_back(std::move(page));
    }
}

SheetWindow::~SheetWindow() { close(); }

PROPSHEETHEADERW SheetWindow::header(HWND owner, bool modeless) {
    if (!sheet_.started()) sheet_.start();
    PROPSHEETHEADERW h{};
    h.dwSize = sizeof h;
    h.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | (modeless ? PSH_MODELESS : 0);
    h.hwndParent = owner;
    h.hInstance = GetModuleHandleW(nullptr);
    h.pszCaption = caption_.c_str();
    h.nPages = static_cast<UINT>(descriptions_.size());
    h.nStartPage = static_cast<UINT>(sheet_.currentIndex());
    h.ppsp = descriptions_.data();
    return h;
}

int SheetWindow::runModal(HWND owner) {
    PROPSHEETHEADERW h = header(owner, false);
    PropertySheetW(&h);
    window_ = nullptr;
    sheet_.destroy();  // closed without OK or Cancel reaching the pages
    return sheet_.result();
}

void SheetWindow::openModeless(HWND owner) {
    modeless_ = true;
    PROPSHEETHEADERW h = header(owner, true);
    window_ = reinterpret_cast<HWND>(PropertySheetW(&h));
}

void SheetWindow::close() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

ControlBinding* SheetWindow::currentBinding() {
    const int i = sheet_.currentIndex();
    return i >= 0 && i < static_cast<int>(pages_.size()) ? pages_[i]->binding.get() : nullptr;
}

}  // namespace appgen::win32
