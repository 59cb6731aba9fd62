#include "win32/script_windows.h"

#include "win32/common_controls.h"

#include "ui/dialog_json.h"
#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace appgen::win32 {
namespace {

using A = ui::ScriptAction;

std::string why(ui::UserResult r, const A& a) {
    if (r == ui::UserResult::Done) return {};
    const bool aboutControl =
        a.kind == A::Kind::Type || a.kind == A::Kind::Click || a.kind == A::Kind::ClickAt || a.kind == A::Kind::Select;
    return aboutControl ? "control " + std::to_string(a.id) + ": " + ui::describe(r) : ui::describe(r);
}

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

ControlBinding* ScriptWindows::binding() {
    if (shown_.empty()) return nullptr;
    Shown& top = shown_.back();
    if (top.dialog) return top.dialog->binding();
    if (top.sheet) return top.sheet->currentBinding();
    return nullptr;
}

std::string ScriptWindows::perform(const A& a) {
    if (shown_.empty() || (!shown_.back().dialog && !shown_.back().sheet))
        return HeadlessServices::perform(a);
    Shown& top = shown_.back();
    switch (a.kind) {
        case A::Kind::Page: {
            if (!top.sheet) return HeadlessServices::perform(a);
            ui::PropertySheet& sheet = top.sheet->sheet();
            const int index = a.text.empty() ? a.index : sheet.findPage(a.text);
            if (index < 0) return "no page " + a.text;
            if (sheet.ended()) return why(ui::UserResult::Closed, a);
            if (index >= sheet.pageCount()) return why(ui::UserResult::OutOfRange, a);
            // The tab a person clicks.
            SendMessageW(top.sheet->window(), PSM_SETCURSEL, index, 0);
            pumpMessages();
            return {};
        }
        case A::Kind::Ok:
        case A::Kind::Cancel: {
            const bool ok = a.kind == A::Kind::Ok;
            if (top.sheet) {
                if (top.sheet->sheet().ended()) return why(ui::UserResult::Closed, a);
                SendMessageW(top.sheet->window(), PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
                pumpMessages();
                return {};
            }
            ControlBinding* b = binding();
            if (!b || b->dialog().role() != ui::Dialog::Role::Modal) return HeadlessServices::perform(a);
            // Enter or Esc, as the dialog manager passes them on.
            b->expectInput();
            SendMessageW(b->window(), WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
            const auto r = b->lastResult();
            pumpMessages();
            return r ? why(*r, a) : std::string{};
        }
        case A::Kind::Dump: {
            ControlBinding* b = binding();
            if (!b) return HeadlessServices::perform(a);
            record({ui::RecordedEvent::Kind::Dump, b->dialog().name(),
                    ui::dialogStateJson(b->dialog().name(), b->readBack())});
            return {};
        }
        case A::Kind::Type:
        case A::Kind::Click:
        case A::Kind::ClickAt:
        case A::Kind::Select:
            if (ControlBinding* b = binding()) return onControl(a, *b);
            return HeadlessServices::perform(a);
        default:
            return HeadlessServices::perform(a);
    }
}

std::string ScriptWindows::onControl(const A& a, ControlBinding& b) {
    using R = ui::UserResult;
    if (b.dialog().ended()) return why(R::Closed, a);
    HWND control = a.id == ui::kNoId ? nullptr : GetDlgItem(b.window(), a.id);
    if (!control || !b.dialog().control(a.id)) return why(R::NoSuchControl, a);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return why(R::Hidden, a);
    if (style & WS_DISABLED) return why(R::Disabled, a);
    const RealKind kind = realKind(control);
    HWND window = b.window();
    b.expectInput();
    switch (a.kind) {
        case A::Kind::Type: {
            if (kind != RealKind::Edit) return why(R::WrongKind, a);
            SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideFromCp1251(a.text).c_str()));
            // Typing always announces a change, also when the text stays as it was.
            if (!b.lastResult())
                SendMessageW(window, WM_COMMAND, MAKEWPARAM(a.id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
            break;
        }
        case A::Kind::Click:
        case A::Kind::ClickAt:
            if (kind == RealKind::PushButton || kind == RealKind::Check)
                SendMessageW(control, BM_CLICK, 0, 0);
            else if (kind == RealKind::Edit)
                mouseClick(control, 1, 1);
            else if (kind == RealKind::Area && a.kind == A::Kind::ClickAt)
                mouseClick(control, a.x, a.y);
            else
                return why(R::WrongKind, a);
            break;
        case A::Kind::Select: {
            if (kind != RealKind::List) return why(R::WrongKind, a);
            const int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
            if (a.index < 0 || a.index >= count) return why(R::OutOfRange, a);
            SendMessageW(control, CB_SETCURSEL, a.index, 0);
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(a.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
            break;
        }
        default:
            break;
    }
    const auto r = b.lastResult();
    pumpMessages();
    if (!r) return "control " + std::to_string(a.id) + ": the window did not pass the input on";
    return why(*r, a);
}

}  // namespace appgen::win32

namespace appgen::win32 {

void ScriptWindows::progressOpen(const ui::ProgressRequest& request) {
    HeadlessServices::progressOpen(request);
    const auto kind = request.kind == ui::ProgressRequest::Kind::Bar ? TransferWindow::Kind::Bar
                                                                    : TransferWindow::Kind::Count;
    bar_ = std::make_unique<TransferWindow>(kind, request.caption, request.text, std::string{}, owner(), cancel_);
    pumpMessages();
}

void ScriptWindows::progressSet(int value) {
    if (bar_) bar_->set(value);
    HeadlessServices::progressSet(value);  // may press Cancel at this value
    pumpMessages();
}

void ScriptWindows::progressClose() {
    HeadlessServices::progressClose();
    bar_.reset();
    pumpMessages();
}

void ScriptWindows::connectingOpen(const ui::ProgressRequest& request) {
    connecting_ = std::make_unique<TransferWindow>(TransferWindow::Kind::Connecting, request.caption, request.text,
                                                   request.detail, owner(), cancel_);
    pumpMessages();
    HeadlessServices::connectingOpen(request);  // may press Cancel at once
}

void ScriptWindows::connectingClose() {
    HeadlessServices::connectingClose();
    connecting_.reset();
    pumpMessages();
}

void ScriptWindows::pressCancel() {
    // The button of the window that shows, as a person clicks it.
    for (const auto* w : {connecting_.get(), bar_.get()})
        if (w) SendMessageW(w->cancelButton(), BM_CLICK, 0, 0);
    HeadlessServices::pressCancel();
}

}  // namespace appgen::win32
