#include "win32/main_window.h"

#include "win32/dpi.h"
#include "win32/wide_text.h"

namespace appgen::win32 {
namespace {

constexpr wchar_t kClass[] = L"AppgenTerminal";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 100;
constexpr int kCloseCommand = 1;  // Alt+F4: the accelerator's id for closing

// The terminal's picture is 200 by 459 at 100 %.
constexpr int kWidth = 200;
constexpr int kHeight = 459;
constexpr COLORREF kLcd = RGB(169, 184, 148);
constexpr COLORREF kInk = RGB(38, 48, 31);

HACCEL makeAccelerators() {
    using shell::Command;
    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'N', shell::kCmdNew},  {FCONTROL | FVIRTKEY, 'O', shell::kCmdOpen},
        {FCONTROL | FVIRTKEY, 'S', shell::kCmdSave}, {FCONTROL | FVIRTKEY, 'E', shell::kCmdEdit},
        {FVIRTKEY, VK_F1, shell::kCmdHelpContents},  {FALT | FVIRTKEY, VK_F4, kCloseCommand},
    };
    return CreateAcceleratorTableW(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_PAINT:
            if (self) {
                self->paint();
                return 0;
            }
            break;
        case WM_TIMER:
            if (self && self->app_ && wParam == kTimerId) {
                if (self->services_.transferRunning())
                    self->app_->tickWhileTransferring();
                else if (!self->app_->busy())
                    self->app_->tick();
            }
            return 0;
        case WM_COMMAND:
            if (self && HIWORD(wParam) == 1) {  // an accelerator
                if (LOWORD(wParam) == kCloseCommand)
                    self->close();
                else
                    self->runCommand(LOWORD(wParam));
            }
            return 0;
        case WM_CLOSE:
            if (self) self->close();
            return 0;
        case WM_DESTROY:
            KillTimer(window, kTimerId);
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
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

MainWindow::MainWindow(Win32Services& services) : services_(services), accelerators_(makeAccelerators()) {
    window_ = CreateWindowExW(0, kClass, wideFromUtf8(shell::kMainWindowTitle).c_str(),
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                              kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    RECT r{0, 0, scaled(window_, kWidth), scaled(window_, kHeight)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE, 0);
    SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    // The display's Courier-metric face; where Courier New is missing the
    // system substitutes its own metric twin.
    displayFont_ = CreateFontW(-scaled(window_, 13), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                               OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN,
                               L"Courier New");
    services_.setMainWindow(window_);
    services_.onCommand = [this](int id) { runCommand(id); };
}

MainWindow::~MainWindow() {
    services_.onCommand = nullptr;
    services_.setMainWindow(nullptr);
    if (window_) DestroyWindow(window_);
    if (displayFont_) DeleteObject(displayFont_);
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void MainWindow::attach(shell::Application& app, int show) {
    app_ = &app;
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

bool MainWindow::isTransfer(int id) {
    switch (id) {
        case shell::kCmdDownloadDirect:
        case shell::kCmdDownloadCradle:
        case shell::kCmdLookupDirect:
        case shell::kCmdLookupCradle:
        case shell::kCmdUploadDirect:
        case shell::kCmdUploadCradle: return true;
        default: return false;
    }
}

bool MainWindow::acceptsInput() const {
    return app_ && !app_->closed() && !app_->busy() && !services_.transferRunning();
}

void MainWindow::runCommand(int id) {
    if (!acceptsInput()) return;
    if (isTransfer(id)) {
        // Nothing else touches the application until the worker is done.
        shell::Application& app = *app_;
        services_.runTransfer([&app, id] { app.command(id); });
    } else {
        app_->command(id);
    }
    if (app_->closed()) DestroyWindow(window_);
}

void MainWindow::close() {
    if (!app_ || app_->busy() || services_.transferRunning()) return;
    if (app_->requestClose()) DestroyWindow(window_);
}

void MainWindow::repaint(simulator::DisplayArea, int) {
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void MainWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT client;
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (app_) {
        const int margin = scaled(window_, 10);
        const int lineHeight = scaled(window_, 15);
        RECT lcd{margin, margin, client.right - margin, margin + 2 * margin + simulator::kDisplayLines * lineHeight};
        HBRUSH ground = CreateSolidBrush(kLcd);
        FillRect(dc, &lcd, ground);
        DeleteObject(ground);
        HGDIOBJ old = SelectObject(dc, displayFont_);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kInk);
        const auto& lines = app_->simulator().display().screenLines;
        for (int i = 0; i < simulator::kDisplayLines; ++i) {
            const std::wstring text = wideFromCp1251(lines[static_cast<std::size_t>(i)]);
            TextOutW(dc, lcd.left + margin / 2, lcd.top + margin + i * lineHeight, text.c_str(),
                     static_cast<int>(text.size()));
        }
        SelectObject(dc, old);
    }
    EndPaint(window_, &ps);
}

}  // namespace appgen::win32
