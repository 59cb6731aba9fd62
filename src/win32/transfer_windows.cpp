#include "win32/transfer_windows.h"

#include "win32/common_controls.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace appgen::win32 {
namespace {

constexpr wchar_t kClass[] = L"AppgenTransfer";
constexpr int kCancelId = IDCANCEL;
constexpr COLORREF kCountYellow = RGB(255, 255, 192);

}  // namespace

LRESULT CALLBACK transferWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TransferWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_COMMAND:
            if (self && LOWORD(wParam) == kCancelId) self->pressCancel();
            return 0;
        case WM_CLOSE:  // the close box and Esc: Cancel; the transfer closes the window
            if (self) self->pressCancel();
            return 0;
        case WM_CTLCOLORSTATIC:
            if (self && self->kind_ == TransferWindow::Kind::Count) {
                static HBRUSH yellow = CreateSolidBrush(kCountYellow);
                SetBkColor(reinterpret_cast<HDC>(wParam), kCountYellow);
                return reinterpret_cast<LRESULT>(yellow);
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TransferWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = transferWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

TransferWindow::TransferWindow(Kind kind, const std::string& caption, const std::string& text,
                               const std::string& detail, HWND owner, std::atomic<bool>& cancel)
    : kind_(kind), text_(wideFromUtf8(text)), cancel_(cancel) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const bool count = kind == Kind::Count;
    const DWORD style = count ? WS_POPUP | WS_BORDER : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClass, wideFromUtf8(caption).c_str(), style, 0, 0, 10, 10,
                              owner, nullptr, instance, this);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // The system's message font, at the size of the monitor the window is on.
    HDC screen = GetDC(nullptr);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpiOf(window_)), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    std::wstring label = count ? std::wstring{} : text_;
    if (!detail.empty()) label += L"\r\n" + wideFromUtf8(detail);
    label_ = CreateWindowExW(0, L"STATIC", label.c_str(), WS_CHILD | WS_VISIBLE | (count ? SS_CENTER | SS_CENTERIMAGE : SS_LEFT),
                             0, 0, 10, 10, window_, nullptr, instance, nullptr);
    if (!count) {
        bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr,
                               WS_CHILD | WS_VISIBLE | (kind == Kind::Connecting ? PBS_MARQUEE : 0), 0, 0, 10, 10,
                               window_, nullptr, instance, nullptr);
        SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
        if (kind == Kind::Connecting) SendMessageW(bar_, PBM_SETMARQUEE, TRUE, 30);
    }
    button_ = CreateWindowExW(0, L"BUTTON", L"Отмена", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0,
                              10, 10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId)), instance,
                              nullptr);
    for (HWND child : {label_, bar_, button_})
        if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    set(0);
    layout();
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

TransferWindow::~TransferWindow() {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
}

void TransferWindow::layout() {
    const int margin = scaled(window_, 12);
    const int width = scaled(window_, 320);
    const int labelHeight = scaled(window_, kind_ == Kind::Count ? 40 : 34);
    const int barHeight = bar_ ? scaled(window_, 18) : 0;
    const int buttonW = scaled(window_, 88);
    const int buttonH = scaled(window_, 26);
    int y = kind_ == Kind::Count ? 0 : margin;
    MoveWindow(label_, kind_ == Kind::Count ? 0 : margin, y, kind_ == Kind::Count ? width : width - 2 * margin,
               labelHeight, FALSE);
    y += labelHeight;
    if (bar_) {
        y += scaled(window_, 6);
        MoveWindow(bar_, margin, y, width - 2 * margin, barHeight, FALSE);
        y += barHeight;
    }
    y += scaled(window_, 8);
    MoveWindow(button_, (width - buttonW) / 2, y, buttonW, buttonH, FALSE);
    y += buttonH + margin;
    RECT r{0, 0, width, y};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
    // In the middle of the screen the owner is on.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &mi);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    SetWindowPos(window_, nullptr, (mi.rcWork.left + mi.rcWork.right - w) / 2,
                 (mi.rcWork.top + mi.rcWork.bottom - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TransferWindow::set(int value) {
    if (kind_ == Kind::Bar) {
        SendMessageW(bar_, PBM_SETPOS, value, 0);
    } else if (kind_ == Kind::Count) {
        count_ = value;
        std::wstring text = text_;
        if (const auto at = text.find(L"%d"); at != std::wstring::npos)
            text.replace(at, 2, std::to_wstring(count_));
        SetWindowTextW(label_, text.c_str());
    }
}

void TransferWindow::pressCancel() {
    cancel_ = true;
    EnableWindow(button_, FALSE);
}

}  // namespace appgen::win32
