#include "win32/control_binding.h"

#include "win32/common_controls.h"
#include <windowsx.h>

#include "win32/wide_text.h"
#include "win32/window_messages.h"

namespace appgen::win32 {
namespace {

std::wstring comboText(HWND combo, int index) {
    const LRESULT n = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
}

// A person's click on an edit reaches the dialog before the edit takes it
// (a dialog may open a picker for the box instead).
LRESULT CALLBACK editSubclass(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_LBUTTONDOWN) SendMessageW(GetParent(edit), kMsgEditClick, GetDlgCtrlID(edit), 0);
    return DefSubclassProc(edit, message, wParam, lParam);
}

constexpr UINT_PTR kEditSubclassId = 1;

}  // namespace

ControlBinding::ControlBinding(ui::Dialog& dialog, HWND window, bool modelSizes)
    : dialog_(dialog), window_(window) {
    // What the window was created with: the template's state.
    for (const ui::ControlTemplate& t : dialog.layout().controls) {
        ui::ControlState s;
        s.id = t.id;
        s.kind = t.kind;
        s.text = t.text;
        s.enabled = !t.has(ui::kStyleDisabled);
        s.visible = !t.has(ui::kStyleHidden);
        shown_.push_back(std::move(s));
    }
    for (const ui::ControlState& c : dialog.controls()) {
        if (c.id == ui::kNoId) continue;
        HWND control = GetDlgItem(window_, c.id);
        if (!control) continue;
        if (modelSizes && c.kind == ui::ControlKind::Custom) {
            SetWindowPos(control, nullptr, 0, 0, c.pixelWidth, c.pixelHeight, SWP_NOMOVE | SWP_NOZORDER);
        } else {
            RECT r;
            GetClientRect(control, &r);
            dialog_.setPixelSize(c.id, r.right, r.bottom);
        }
        if (c.kind == ui::ControlKind::Edit) SetWindowSubclass(control, editSubclass, kEditSubclassId, 0);
    }
    dialog_.onChanged = [this](int id) { sync(id); };
    syncAll();
}

ControlBinding::~ControlBinding() {
    dialog_.onChanged = nullptr;
    for (const ui::ControlState& c : dialog_.controls())
        if (c.kind == ui::ControlKind::Edit && c.id != ui::kNoId)
            if (HWND edit = GetDlgItem(window_, c.id)) RemoveWindowSubclass(edit, editSubclass, kEditSubclassId);
    for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

bool ControlBinding::route(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            result = TRUE;
            return true;
        case kMsgAreaPaint:
            *reinterpret_cast<ui::PaintList*>(lParam) = dialog_.paint(static_cast<int>(wParam));
            result = TRUE;
            return true;
        case kMsgAreaClick:
            if (!syncing_)
                taken(dialog_.userClickAt(static_cast<int>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            result = TRUE;
            return true;
        case kMsgEditClick:
            if (!syncing_) taken(dialog_.userClick(static_cast<int>(wParam)));
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = fillBrush(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                result = reinterpret_cast<INT_PTR>(brush);
                return true;
            }
            return false;
        default:
            return false;
    }
}

void ControlBinding::command(int id, int code, HWND control) {
    if (syncing_) return;  // our own write to a control, not the user's
    const bool modal = dialog_.role() == ui::Dialog::Role::Modal;
    if (modal && id == IDCANCEL && code == BN_CLICKED) {
        // The Cancel button, Esc or the close box: the dialog may refuse.
        taken(dialog_.userCancel());
        return;
    }
    if (modal && id == IDOK && code == BN_CLICKED && !control) {
        taken(dialog_.userOk());  // Enter with no default button to press
        return;
    }
    const ui::ControlState* c = dialog_.control(id);
    if (!c || !control) return;
    std::size_t index = static_cast<std::size_t>(c - dialog_.controls().data());
    switch (c->kind) {
        case ui::ControlKind::Edit:
            if (code == EN_CHANGE) {
                std::string text = cp1251FromWide(windowText(control));
                shown_[index].text = text;
                taken(dialog_.userType(id, text));
                sync(id);  // a refused change is taken back
            }
            break;
        case ui::ControlKind::Button:
        case ui::ControlKind::CheckBox:
        case ui::ControlKind::RadioButton:
            if (code == BN_CLICKED) taken(dialog_.userClick(id));
            break;
        case ui::ControlKind::DropDownList:
            if (code == CBN_SELCHANGE) {
                const int selected = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
                shown_[index].selected = selected;
                taken(dialog_.userSelect(id, selected));
                sync(id);
            }
            break;
        default:
            break;
    }
}

void ControlBinding::syncAll() {
    for (const ui::ControlState& c : dialog_.controls())
        if (c.id != ui::kNoId) sync(c.id);
}

void ControlBinding::sync(int id) {
    if (id == ui::kNoId) {
        if (dialog_.ended() && onEnded) onEnded();
        return;
    }
    const ui::ControlState* c = dialog_.control(id);
    HWND control = GetDlgItem(window_, id);
    if (!c || !control) return;
    ui::ControlState& s = shown_[static_cast<std::size_t>(c - dialog_.controls().data())];
    ++syncing_;
    using K = ui::ControlKind;
    if (c->kind == K::DropDownList) {
        if (c->items != s.items) {
            SendMessageW(control, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : c->items)
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromCp1251(item).c_str()));
            s.items = c->items;
            s.selected = -1;
        }
        if (c->selected != s.selected) {
            SendMessageW(control, CB_SETCURSEL, c->selected, 0);
            s.selected = c->selected;
        }
    } else if (c->kind != K::Icon && c->text != s.text) {
        SetWindowTextW(control, wideFromCp1251(c->text).c_str());
        s.text = c->text;
    }
    if ((c->kind == K::CheckBox || c->kind == K::RadioButton) && c->checked != s.checked) {
        SendMessageW(control, BM_SETCHECK, c->checked ? BST_CHECKED : BST_UNCHECKED, 0);
        s.checked = c->checked;
    }
    if (c->enabled != s.enabled) {
        EnableWindow(control, c->enabled);
        s.enabled = c->enabled;
    }
    if (c->visible != s.visible) {
        ShowWindow(control, c->visible ? SW_SHOWNA : SW_HIDE);
        s.visible = c->visible;
    }
    if (c->fill != s.fill || c->kind == K::Custom) {
        s.fill = c->fill;
        InvalidateRect(control, nullptr, TRUE);
    }
    --syncing_;
    if (dialog_.focus() != focus_) {
        focus_ = dialog_.focus();
        HWND target = GetDlgItem(window_, focus_);
        // Only while the dialog has the user's attention, not under a box it opened.
        if (target && IsWindowEnabled(GetAncestor(window_, GA_ROOT)) && GetFocus() != target) {
            ++syncing_;
            SetFocus(target);
            --syncing_;
        }
    }
}

HBRUSH ControlBinding::fillBrush(HDC dc, HWND control) {
    const ui::ControlState* c = dialog_.control(GetDlgCtrlID(control));
    if (!c || !c->fill) return nullptr;
    const COLORREF colour = RGB(c->fill->r, c->fill->g, c->fill->b);
    // Painted as a solid rectangle: the text in the same colour as the ground.
    SetTextColor(dc, colour);
    SetBkColor(dc, colour);
    HBRUSH& brush = brushes_[colour];
    if (!brush) brush = CreateSolidBrush(colour);
    return brush;
}

std::vector<ui::ControlState> ControlBinding::readBack() const {
    std::vector<ui::ControlState> out = dialog_.controls();
    for (ui::ControlState& c : out) {
        if (c.id == ui::kNoId) continue;
        HWND control = GetDlgItem(window_, c.id);
        if (!control) continue;
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        c.enabled = !(style & WS_DISABLED);
        c.visible = (style & WS_VISIBLE) != 0;
        using K = ui::ControlKind;
        if (c.kind == K::DropDownList) {
            c.items.clear();
            const int n = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < n; ++i) c.items.push_back(cp1251FromWide(comboText(control, i)));
            c.selected = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        } else if (c.kind != K::Icon) {
            c.text = cp1251FromWide(windowText(control));
        }
        if (c.kind == K::CheckBox || c.kind == K::RadioButton)
            c.checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return out;
}

}  // namespace appgen::win32
