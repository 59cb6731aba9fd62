#include "win32/main_window.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "shell/command_menu.h"
#include "shell/terminal_picture.h"
#include "simulator/keypad.h"
#include "simulator/pc_keyboard.h"
#include "win32/dpi.h"
#include "win32/drawing_player.h"
#include "win32/wide_text.h"

namespace appgen::win32 {
namespace {

using simulator::PcKey;

constexpr wchar_t kClass[] = L"AppgenTerminal";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 100;
constexpr WORD kCloseAccelerator = 1;  // the accelerator that closes the window (Alt+F4)

COLORREF colourOf(std::uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

struct KeyName {
    PcKey key;
    WORD vk;
};
constexpr KeyName kKeys[] = {
    {PcKey::Digit0, '0'}, {PcKey::Digit1, '1'}, {PcKey::Digit2, '2'}, {PcKey::Digit3, '3'},
    {PcKey::Digit4, '4'}, {PcKey::Digit5, '5'}, {PcKey::Digit6, '6'}, {PcKey::Digit7, '7'},
    {PcKey::Digit8, '8'}, {PcKey::Digit9, '9'}, {PcKey::Minus, VK_OEM_MINUS}, {PcKey::Period, VK_OEM_PERIOD},
    {PcKey::Comma, VK_OEM_COMMA}, {PcKey::Escape, VK_ESCAPE}, {PcKey::Backspace, VK_BACK}, {PcKey::Tab, VK_TAB},
    {PcKey::Left, VK_LEFT}, {PcKey::Up, VK_UP}, {PcKey::Right, VK_RIGHT}, {PcKey::Down, VK_DOWN},
    {PcKey::F1, VK_F1}, {PcKey::F2, VK_F2}, {PcKey::F4, VK_F4}, {PcKey::F10, VK_F10},
    {PcKey::LetterE, 'E'}, {PcKey::LetterN, 'N'}, {PcKey::LetterO, 'O'}, {PcKey::LetterS, 'S'},
};

WORD vkOf(PcKey key) {
    if (key == PcKey::Return || key == PcKey::Enter) return VK_RETURN;
    for (const KeyName& k : kKeys)
        if (k.key == key) return k.vk;
    return 0;
}

// The PC key of a key message, with whether it is on the numeric keypad.
PcKey pcKeyOf(WPARAM vk, LPARAM lParam, simulator::PcModifiers& modifiers) {
    const bool extended = (lParam & (1 << 24)) != 0;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        modifiers |= simulator::kKeypadModifier;
        return static_cast<PcKey>(static_cast<int>(PcKey::Digit0) + static_cast<int>(vk - VK_NUMPAD0));
    }
    switch (vk) {
        case VK_SUBTRACT: modifiers |= simulator::kKeypadModifier; return PcKey::Minus;
        case VK_DECIMAL: modifiers |= simulator::kKeypadModifier; return PcKey::Period;
        case VK_RETURN:
            if (extended) modifiers |= simulator::kKeypadModifier;
            return extended ? PcKey::Enter : PcKey::Return;
        default: break;
    }
    for (const KeyName& k : kKeys)
        if (k.vk == vk) return k.key;
    return PcKey::None;
}

simulator::PcModifiers modifiersNow() {
    simulator::PcModifiers m = simulator::kNoModifier;
    if (GetKeyState(VK_SHIFT) & 0x8000) m |= simulator::kShiftModifier;
    if (GetKeyState(VK_CONTROL) & 0x8000) m |= simulator::kControlModifier;
    if (GetKeyState(VK_MENU) & 0x8000) m |= simulator::kAltModifier;
    return m;
}

HACCEL makeAccelerators() {
    std::vector<ACCEL> keys;
    for (const shell::Accelerator& a : shell::terminalAccelerators()) {
        BYTE flags = FVIRTKEY;
        if (a.modifiers & simulator::kControlModifier) flags |= FCONTROL;
        if (a.modifiers & simulator::kAltModifier) flags |= FALT;
        if (a.modifiers & simulator::kShiftModifier) flags |= FSHIFT;
        const WORD command = a.command == shell::kCloseWindow ? kCloseAccelerator : static_cast<WORD>(a.command);
        keys.push_back({flags, vkOf(a.key), command});
    }
    return CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

HMENU makeMenu(const std::vector<shell::MenuEntry>& entries) {
    HMENU menu = CreatePopupMenu();
    for (const shell::MenuEntry& e : entries) {
        const std::wstring text = wideFromUtf8(e.text);
        switch (e.kind) {
            case shell::MenuEntry::Kind::Separator: AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); break;
            case shell::MenuEntry::Kind::Submenu:
                AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(makeMenu(e.items)), text.c_str());
                break;
            case shell::MenuEntry::Kind::Command:
                AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(e.command), text.c_str());
                break;
        }
    }
    return menu;
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    shell::TerminalInput* input = self->input_.get();
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            if (self->frameDc_)
                BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                       ps.rcPaint.bottom - ps.rcPaint.top, self->frameDc_, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (input && wParam == kTimerId) input->timer();
            return 0;
        case WM_LBUTTONDOWN:
            if (input) input->leftPress(self->logical(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (input) {
                POINT p;
                GetCursorPos(&p);
                input->mouseMove({p.x, p.y});
            }
            return 0;
        case WM_LBUTTONUP:
            if (input) input->leftRelease();
            return 0;
        case WM_RBUTTONDOWN:
            if (input) input->rightPress(self->logical(lParam));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (self->key(wParam, lParam, true)) return 0;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (self->key(wParam, lParam, false)) return 0;
            break;
        case WM_KILLFOCUS:
            if (input) input->focusLost();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, self->busy_ ? IDC_WAIT : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) == 1) {  // an accelerator
                if (LOWORD(wParam) == kCloseAccelerator)
                    PostMessageW(window, WM_CLOSE, 0, 0);
                else
                    self->runCommand(LOWORD(wParam));
            }
            return 0;
        case WM_DPICHANGED: {
            self->scale_ = HIWORD(wParam) / 96.0;
            const auto* r = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            self->rebuildArt();
            self->paintFull();
            return 0;
        }
        case WM_CLOSE:
            if (!input || input->mayClose()) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            KillTimer(window, kTimerId);
            self->window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

MainWindow::MainWindow(Win32Services& services)
    : services_(services), accelerators_(makeAccelerators()), menu_(makeMenu(shell::commandMenuEntries())) {
    // Borderless: the terminal's picture is the whole window.
    window_ = CreateWindowExW(WS_EX_APPWINDOW, kClass, wideFromUtf8(shell::kMainWindowTitle).c_str(),
                              WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, simulator::kTerminalStart.x,
                              simulator::kTerminalStart.y, simulator::kTerminalWidth, simulator::kTerminalHeight,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
    scale_ = dpiOf(window_) / 96.0;
    // At a large scale the screen may be too small for the start position.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &mi);
    const int w = static_cast<int>(std::ceil(simulator::kTerminalWidth * scale_));
    const int h = static_cast<int>(std::ceil(simulator::kTerminalHeight * scale_));
    const int x = std::max<int>(mi.rcWork.left, std::min<int>(simulator::kTerminalStart.x, mi.rcWork.right - w));
    const int y = std::max<int>(mi.rcWork.top, std::min<int>(simulator::kTerminalStart.y, mi.rcWork.bottom - h));
    SetWindowPos(window_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    rebuildArt();
    services_.setMainWindow(window_);
    services_.onCommand = [this](int id) { runCommand(id); };
}

MainWindow::~MainWindow() {
    services_.onCommand = nullptr;
    services_.setMainWindow(nullptr);
    input_.reset();
    if (window_) DestroyWindow(window_);
    for (auto& [id, bitmap] : pictures_) DeleteObject(bitmap);
    if (frameDc_) {
        SelectObject(frameDc_, oldFrame_);
        DeleteDC(frameDc_);
    }
    if (frame_) DeleteObject(frame_);
    if (displayFont_) DeleteObject(displayFont_);
    if (menu_) DestroyMenu(menu_);
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void MainWindow::attach(shell::Application& app, int show) {
    app_ = &app;
    input_ = std::make_unique<shell::TerminalInput>(app, static_cast<simulator::WindowSurface&>(*this),
                                                    static_cast<shell::InputHost&>(*this));
    paintFull();
    SetTimer(window_, kTimerId, kTimerMs, nullptr);
    ShowWindow(window_, show);
    UpdateWindow(window_);
}

int MainWindow::run() {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (services_.dialogMessage(m)) continue;
        if (window_ && TranslateAcceleratorW(window_, accelerators_, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return static_cast<int>(m.wParam);
}

void MainWindow::runCommand(int id) {
    if (input_) input_->command(id);
}

bool MainWindow::key(WPARAM vk, LPARAM lParam, bool down) {
    if (!input_) return false;
    simulator::PcModifiers modifiers = modifiersNow();
    const PcKey key = pcKeyOf(vk, lParam, modifiers);
    if (key == PcKey::None) return false;
    const bool repeat = down && (lParam & (1 << 30)) != 0;
    return down ? input_->keyPress(key, modifiers, repeat) : input_->keyRelease(key, false);
}

simulator::Point MainWindow::logical(LPARAM lParam) const {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    return {static_cast<int>(std::floor(x / scale_)), static_cast<int>(std::floor(y / scale_))};
}

HBITMAP MainWindow::picture(int id) {
    auto it = pictures_.find(id);
    if (it != pictures_.end()) return it->second;
    HBITMAP b = renderDrawing(shell::terminalPicture(id), scale_, [](int p) { return shell::terminalPicture(p); });
    pictures_[id] = b;
    return b;
}

void MainWindow::blitPicture(HDC dc, int id, simulator::Point at) {
    HBITMAP b = picture(id);
    if (!b) return;
    BITMAP info;
    GetObjectW(b, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, b);
    BitBlt(dc, static_cast<int>(std::lround(at.x * scale_)), static_cast<int>(std::lround(at.y * scale_)),
           info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void MainWindow::rebuildArt() {
    for (auto& [id, bitmap] : pictures_) DeleteObject(bitmap);
    pictures_.clear();
    if (frameDc_) {
        SelectObject(frameDc_, oldFrame_);
        DeleteDC(frameDc_);
        DeleteObject(frame_);
    }
    HDC screen = GetDC(window_);
    frameDc_ = CreateCompatibleDC(screen);
    frame_ = CreateCompatibleBitmap(screen, static_cast<int>(std::ceil(simulator::kTerminalWidth * scale_)),
                                    static_cast<int>(std::ceil(simulator::kTerminalHeight * scale_)));
    ReleaseDC(window_, screen);
    oldFrame_ = SelectObject(frameDc_, frame_);
    if (displayFont_) DeleteObject(displayFont_);
    // The screens were laid out for Courier New's metrics: its glyphs in a
    // cell of 15 pixels, narrowed to the display's 6-pixel characters. Where
    // it is missing the system gives its metric twin.
    displayFont_ = CreateFontW(-static_cast<int>(std::lround(12 * scale_)),
                               static_cast<int>(std::lround(simulator::kCharPitch * scale_)), 0, 0, FW_NORMAL, FALSE,
                               FALSE, FALSE, RUSSIAN_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                               FIXED_PITCH | FF_MODERN, L"Courier New");
}

void MainWindow::paintFull() {
    for (const simulator::PicturePlacement& place : simulator::fullRepaintPictures())
        blitPicture(frameDc_, place.picture, place.at);
    if (app_) play(simulator::displayStrokes(app_->simulator()));
    InvalidateRect(window_, nullptr, FALSE);
}

void MainWindow::play(const simulator::DisplayStrokes& strokes) {
    HGDIOBJ oldFont = SelectObject(frameDc_, displayFont_);
    SetBkMode(frameDc_, TRANSPARENT);
    SetTextAlign(frameDc_, TA_TOP | TA_LEFT);
    for (const simulator::DisplayStroke& s : strokes) {
        switch (s.kind) {
            case simulator::DisplayStroke::Kind::Backdrop: {
                HBITMAP terminal = picture(simulator::kTerminalPicture);
                HDC source = CreateCompatibleDC(frameDc_);
                HGDIOBJ old = SelectObject(source, terminal);
                const int l = static_cast<int>(std::floor(s.area.left * scale_));
                const int t = static_cast<int>(std::floor(s.area.top * scale_));
                const int r = static_cast<int>(std::ceil(s.area.right * scale_));
                const int b = static_cast<int>(std::ceil(s.area.bottom * scale_));
                BitBlt(frameDc_, l, t, r - l, b - t, source, l, t, SRCCOPY);
                SelectObject(source, old);
                DeleteDC(source);
                break;
            }
            case simulator::DisplayStroke::Kind::Picture: blitPicture(frameDc_, s.picture, s.at); break;
            case simulator::DisplayStroke::Kind::Glyph: {
                SetTextColor(frameDc_, colourOf(s.ink));
                const std::wstring glyph = wideFromCp1251(std::string(1, s.byte));
                TextOutW(frameDc_, static_cast<int>(std::lround(s.at.x * scale_)),
                         static_cast<int>(std::lround(s.at.y * scale_)), glyph.c_str(), 1);
                break;
            }
        }
    }
    SelectObject(frameDc_, oldFont);
}

void MainWindow::invalidate(const simulator::Rect& r) {
    RECT d{static_cast<LONG>(std::floor(r.left * scale_)), static_cast<LONG>(std::floor(r.top * scale_)),
           static_cast<LONG>(std::ceil(r.right * scale_)), static_cast<LONG>(std::ceil(r.bottom * scale_))};
    InvalidateRect(window_, &d, FALSE);
}

void MainWindow::repaint(simulator::DisplayArea area, int line) {
    if (!app_ || !window_) return;
    const simulator::DisplayModel& d = app_->simulator().display();
    const simulator::Rect r = simulator::displayAreaRect(area, line, d);
    switch (area) {
        case simulator::DisplayArea::ClockLine:
            play(simulator::clockLineStrokes(app_->simulator().clockLine()));
            invalidate(simulator::kClockCell);
            return;
        case simulator::DisplayArea::PendingChar:
            play(simulator::pendingCharStrokes(d, app_->simulator().multiTap().pendingChar));
            break;
        default: {
            // The display from the model, within the area asked for.
            SaveDC(frameDc_);
            IntersectClipRect(frameDc_, static_cast<int>(std::floor(r.left * scale_)),
                              static_cast<int>(std::floor(r.top * scale_)), static_cast<int>(std::ceil(r.right * scale_)),
                              static_cast<int>(std::ceil(r.bottom * scale_)));
            play(simulator::displayStrokes(app_->simulator()));
            RestoreDC(frameDc_, -1);
            break;
        }
    }
    invalidate(r);
}

void MainWindow::drawPicture(int id, simulator::Point at) {
    blitPicture(frameDc_, id, at);
    const simulator::Size size = simulator::pictureSize(id);
    invalidate({at.x, at.y, at.x + size.width, at.y + size.height});
}

simulator::Rect MainWindow::windowOnScreen() {
    RECT r;
    GetWindowRect(window_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The window itself follows the mouse instead of an outline on the screen:
// drawing a frame moves the window there, and drawing it again to erase it
// changes nothing.
void MainWindow::drawDragOutline(const simulator::Rect& frame) {
    SetWindowPos(window_, nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::moveWindow(const simulator::Rect& frame) {
    SetWindowPos(window_, nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void MainWindow::openCommandMenu(simulator::Point at) {
    POINT p{static_cast<LONG>(std::lround(at.x * scale_)), static_cast<LONG>(std::lround(at.y * scale_))};
    ClientToScreen(window_, &p);
    SetForegroundWindow(window_);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, window_,
                       nullptr));
    PostMessageW(window_, WM_NULL, 0, 0);
    if (input_) input_->menuChosen(chosen);
}

void MainWindow::showBusy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::closeWindow() {
    if (window_) DestroyWindow(window_);
}

}  // namespace appgen::win32
