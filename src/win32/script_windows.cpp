#include "win32/script_windows.h"

#include "win32/common_controls.h"

#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace appgen::win32 {
namespace {

using R = ui::UserResult;

enum class RealKind { Edit, PushButton, Check, Other, List, Area };

RealKind realKind(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    const std::wstring cls = name;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (_wcsicmp(cls.c_str(), L"Edit") == 0) return RealKind::Edit;
    if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) return RealKind::List;
    if (cls == kPaintAreaClass) return RealKind::Area;
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: return RealKind::PushButton;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: return RealKind::Check;
            default: return RealKind::Other;
        }
    }
    return RealKind::Other;
}

void mouseClick(HWND control, int x, int y) {
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A dialog window's controls (the dialog's own, or a sheet's page) taking a
// script's input as the messages a person's input sends.
class BindingInput final : public shell::DialogInput {
public:
    explicit BindingInput(ControlBinding& binding) : b_(binding) {}

    const ui::Dialog& dialog() override { return b_.dialog(); }
    std::vector<ui::ControlState> readBack() override { return b_.readBack(); }
    void expectInput() override { b_.expectInput(); }
    std::optional<R> lastResult() override { return b_.lastResult(); }

    // As the dialog manager passes them on.
    void pressEnterOrEsc(bool ok) override {
        SendMessageW(b_.window(), WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
    }

    R reach(int id) override {
        HWND control = id == ui::kNoId ? nullptr : GetDlgItem(b_.window(), id);
        if (!control) return R::NoSuchControl;
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        if (!(style & WS_VISIBLE)) return R::Hidden;
        if (style & WS_DISABLED) return R::Disabled;
        return R::Done;
    }

    R type(int id, const std::string& text) override {
        HWND window = b_.window();
        HWND control = GetDlgItem(window, id);
        if (realKind(control) != RealKind::Edit) return R::WrongKind;
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideFromCp1251(text).c_str()));
        // Typing always announces a change, also when the text stays as it was.
        if (!b_.lastResult())
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
        return R::Done;
    }

    R click(int id, const std::optional<Point>& at) override {
        HWND control = GetDlgItem(b_.window(), id);
        const RealKind kind = realKind(control);
        if (kind == RealKind::PushButton || kind == RealKind::Check)
            SendMessageW(control, BM_CLICK, 0, 0);
        else if (kind == RealKind::Edit)
            mouseClick(control, 1, 1);
        else if (kind == RealKind::Area && at)
            mouseClick(control, at->x, at->y);
        else
            return R::WrongKind;
        return R::Done;
    }

    R select(int id, int index) override {
        HWND control = GetDlgItem(b_.window(), id);
        if (realKind(control) != RealKind::List) return R::WrongKind;
        const int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
        if (index < 0 || index >= count) return R::OutOfRange;
        SendMessageW(control, CB_SETCURSEL, index, 0);
        SendMessageW(b_.window(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        return R::Done;
    }

private:
    ControlBinding& b_;
};

}  // namespace

void pumpMessages() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

HWND ScriptWindows::owner() const {
    for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
        if (it->dialog && it->dialog->window()) return it->dialog->window();
        if (it->sheet && it->sheet->window()) return it->sheet->window();
    }
    return nullptr;
}

void ScriptWindows::shown() {
    Shown s;
    HWND parent = owner();
    if (ui::PropertySheet* sheet = topmostSheet()) {
        if (!sheet->ended()) {
            s.sheet = std::make_unique<SheetWindow>(*sheet);
            s.sheet->openModeless(parent);
        }
    } else if (ui::Dialog* dialog = topmostDialog()) {
        if (!dialog->ended()) s.dialog = std::make_unique<DialogWindow>(*dialog, parent);
    }
    shown_.push_back(std::move(s));
    pumpMessages();
}

void ScriptWindows::hidden() {
    if (shown_.empty()) return;
    shown_.pop_back();
    pumpMessages();
}

void ScriptWindows::pump() { pumpMessages(); }

bool ScriptWindows::windowOnTop() const {
    return !shown_.empty() && (shown_.back().dialog || shown_.back().sheet);
}

ui::PropertySheet* ScriptWindows::sheetOnTop() {
    return shown_.empty() || !shown_.back().sheet ? nullptr : &shown_.back().sheet->sheet();
}

// The tab a person clicks.
void ScriptWindows::clickTab(int index) { SendMessageW(shown_.back().sheet->window(), PSM_SETCURSEL, index, 0); }

void ScriptWindows::clickSheetButton(bool ok) {
    SendMessageW(shown_.back().sheet->window(), PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
}

std::unique_ptr<shell::DialogInput> ScriptWindows::inputWindow() {
    if (shown_.empty()) return nullptr;
    Shown& top = shown_.back();
    ControlBinding* binding = top.dialog ? top.dialog->binding() : top.sheet ? top.sheet->currentBinding() : nullptr;
    return binding ? std::make_unique<BindingInput>(*binding) : nullptr;
}

void ScriptWindows::openProgress(const ui::ProgressRequest& request) {
    const auto kind = request.kind == ui::ProgressRequest::Kind::Bar ? TransferWindow::Kind::Bar
                                                                    : TransferWindow::Kind::Count;
    bar_ = std::make_unique<TransferWindow>(kind, request.caption, request.text, std::string{}, owner(),
                                            cancelFlag());
}

void ScriptWindows::setProgress(int value) {
    if (bar_) bar_->set(value);
}

void ScriptWindows::closeProgress() { bar_.reset(); }

void ScriptWindows::openConnecting(const ui::ProgressRequest& request) {
    connecting_ = std::make_unique<TransferWindow>(TransferWindow::Kind::Connecting, request.caption, request.text,
                                                   request.detail, owner(), cancelFlag());
}

void ScriptWindows::closeConnecting() { connecting_.reset(); }

void ScriptWindows::clickCancel() {
    for (const auto* w : {connecting_.get(), bar_.get()})
        if (w) SendMessageW(w->cancelButton(), BM_CLICK, 0, 0);
}

}  // namespace appgen::win32
