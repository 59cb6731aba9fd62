#include "win32/help_window.h"

#include <fstream>
#include <sstream>

#include "project/utf8_path.h"
#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace appgen::win32 {
namespace {

constexpr wchar_t kClass[] = L"AppgenHelp";
constexpr UINT_PTR kKeysSubclass = 1;

// Esc and Ctrl+W close the window from its text, where the keys land.
LRESULT CALLBACK textKeys(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_KEYDOWN &&
        (wParam == VK_ESCAPE || (wParam == 'W' && (GetKeyState(VK_CONTROL) & 0x8000)))) {
        PostMessageW(GetParent(text), WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && (wParam == 27 || wParam == 23)) return 0;  // no beep for Esc, Ctrl+W
    return DefSubclassProc(text, message, wParam, lParam);
}

std::wstring documentText(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) return L"Файл справки не найден: " + wideFromUtf8(path);
    std::ostringstream all;
    all << in.rdbuf();
    std::wstring text;
    for (const wchar_t c : wideFromUtf8(all.str())) {
        if (c == L'\n') text += L'\r';
        if (c != L'\r') text += c;
    }
    return text;
}

}  // namespace

LRESULT CALLBACK helpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_SIZE:
            if (self && self->text_) MoveWindow(self->text_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (self && self->text_) SetFocus(self->text_);
            return 0;
        case WM_DESTROY:
            if (self) {
                self->window_ = nullptr;
                self->text_ = nullptr;
                if (self->font_) DeleteObject(self->font_);
                self->font_ = nullptr;
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void HelpWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = helpWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

void HelpWindow::show(const std::string& path, bool finder, HWND beside) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!window_) {
        window_ = CreateWindowExW(0, kClass, L"Справка", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  scaled(beside, 640), scaled(beside, 560), nullptr, nullptr, instance, this);
        text_ = CreateWindowExW(0, L"EDIT", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
                                0, 10, 10, window_, nullptr, instance, nullptr);
        SetWindowSubclass(text_, textKeys, kKeysSubclass, 0);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
        SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        RECT client;
        GetClientRect(window_, &client);
        MoveWindow(text_, 0, 0, client.right, client.bottom, FALSE);
    }
    SendMessageW(text_, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(text_, documentText(path).c_str());
    // The finder opens on the list of topics at the top of the document.
    if (finder) {
        SendMessageW(text_, EM_SETSEL, 0, 0);
        SendMessageW(text_, EM_SCROLLCARET, 0, 0);
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(text_);
}

}  // namespace appgen::win32
