#include "win32/win32_services.h"

#include <exception>
#include <thread>
#include <vector>

#include <commdlg.h>

#include "platform/viewer.h"
#include "ui/dialog.h"
#include "ui/property_sheet.h"
#include "win32/common_controls.h"
#include "win32/dialog_window.h"
#include "win32/paint_area.h"
#include "win32/sheet_window.h"
#include "win32/wide_text.h"

namespace appgen::win32 {
namespace {

constexpr wchar_t kMessagesClass[] = L"AppgenServices";
constexpr UINT kMsgRun = WM_APP + 10;       // lParam: the std::function<void()> to run
constexpr UINT kMsgCommand = WM_APP + 11;   // wParam: a posted command
constexpr UINT kMsgProgress = WM_APP + 12;  // wParam: a progress value
constexpr UINT kMsgTransferDone = WM_APP + 13;

UINT buttonsOf(ui::Buttons b) {
    switch (b) {
        case ui::Buttons::Ok: return MB_OK;
        case ui::Buttons::OkCancel: return MB_OKCANCEL;
        case ui::Buttons::YesNo: return MB_YESNO;
        case ui::Buttons::YesNoCancel: return MB_YESNOCANCEL;
        case ui::Buttons::RetryCancel: return MB_RETRYCANCEL;
    }
    return MB_OK;
}

UINT iconOf(ui::Icon i) {
    switch (i) {
        case ui::Icon::None: return 0;
        case ui::Icon::Information: return MB_ICONINFORMATION;
        case ui::Icon::Warning: return MB_ICONWARNING;
        case ui::Icon::Error: return MB_ICONERROR;
        case ui::Icon::Question: return MB_ICONQUESTION;
    }
    return 0;
}

ui::Answer answerOf(int id) {
    switch (id) {
        case IDOK: return ui::Answer::Ok;
        case IDYES: return ui::Answer::Yes;
        case IDNO: return ui::Answer::No;
        case IDRETRY: return ui::Answer::Retry;
        default: return ui::Answer::Cancel;
    }
}

// "desc\0pattern\0...\0\0", as the file dialogs take their filters.
std::wstring filterList(const std::vector<ui::FileFilter>& filters) {
    std::wstring out;
    for (const ui::FileFilter& f : filters) {
        out += wideFromUtf8(f.description);
        out += L'\0';
        out += wideFromUtf8(f.pattern);
        out += L'\0';
    }
    out += L'\0';
    return out;
}

}  // namespace

LRESULT CALLBACK servicesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Services*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case kMsgRun:
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
            return 0;
        case kMsgCommand:
            if (self && self->onCommand) self->onCommand(static_cast<int>(wParam));
            return 0;
        case kMsgProgress:
            if (self && self->bar_) self->bar_->set(static_cast<int>(wParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Services::registerClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = servicesWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kMessagesClass;
    RegisterClassExW(&wc);
    registerPaintArea(instance);
    TransferWindow::registerClass(instance);
    HelpWindow::registerClass(instance);
}

Win32Services::Win32Services() : uiThread_(GetCurrentThreadId()) {
    messages_ = CreateWindowExW(0, kMessagesClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), this);
}

Win32Services::~Win32Services() {
    bar_.reset();
    connecting_.reset();
    if (messages_) DestroyWindow(messages_);
}

void Win32Services::onUiThread(const std::function<void()>& f) {
    if (GetCurrentThreadId() == uiThread_) {
        f();
        return;
    }
    // SendMessage waits until the window's thread has run it; that thread
    // takes sent messages inside every message loop, modal ones too.
    SendMessageW(messages_, kMsgRun, 0, reinterpret_cast<LPARAM>(&f));
}

HWND Win32Services::owner() const {
    HWND active = GetActiveWindow();
    DWORD process = 0;
    if (active && GetWindowThreadProcessId(active, &process) == uiThread_) return active;
    return main_;
}

void Win32Services::runTransfer(const std::function<void()>& job) {
    if (transferRunning_.exchange(true)) return;
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        PostMessageW(messages_, kMsgTransferDone, 0, 0);  // wakes the loop below
    });
    // The windows keep working: this thread pumps until the worker is done.
    MSG m;
    while (!done && GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (dialogMessage(m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    worker.join();
    transferRunning_ = false;
    if (failure) std::rethrow_exception(failure);
}

bool Win32Services::dialogMessage(MSG& m) {
    for (const auto* w : {bar_.get(), connecting_.get()})
        if (w && IsDialogMessageW(w->window(), &m)) return true;
    return false;
}

ui::Answer Win32Services::messageBox(const ui::MessageBoxRequest& request) {
    ++modalsRun_;
    ui::Answer answer = ui::Answer::Cancel;
    onUiThread([&] {
        std::wstring text = wideFromUtf8(request.text);
        if (!request.detail.empty()) text += L"\n\n" + wideFromUtf8(request.detail);
        UINT flags = buttonsOf(request.buttons) | iconOf(request.icon);
        HWND parent = request.hasOwner ? owner() : nullptr;
        if (!parent) flags |= MB_TASKMODAL;
        answer = answerOf(MessageBoxW(parent, text.c_str(), wideFromUtf8(request.caption).c_str(), flags));
    });
    return answer;
}

std::optional<std::string> Win32Services::fileDialog(const ui::FileDialogRequest& request) {
    ++modalsRun_;
    std::optional<std::string> chosen;
    if (request.kind == ui::FileDialogRequest::Kind::Open && nextOpen_) {
        chosen.swap(nextOpen_);
        return chosen;
    }
    onUiThread([&] {
        const std::wstring filters = filterList(request.filters);
        const std::wstring extension = wideFromUtf8(request.defaultExtension);
        std::vector<wchar_t> name(32768, L'\0');
        const std::wstring initial = wideFromUtf8(request.initialName);
        initial.copy(name.data(), std::min(initial.size(), name.size() - 1));
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner();
        ofn.lpstrFilter = filters.c_str();
        ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex + 1);
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = static_cast<DWORD>(name.size());
        ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
        if (request.options & ui::kFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
        if (request.options & ui::kHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
        if (request.options & ui::kOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
        if (request.options & ui::kPathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
        const bool save = request.kind == ui::FileDialogRequest::Kind::Save;
        if (save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)) chosen = utf8FromWide(name.data());
    });
    return chosen;
}

void Win32Services::setTransferWindow(std::unique_ptr<TransferWindow>& slot, std::unique_ptr<TransferWindow> w) {
    slot = std::move(w);
    // Modal for the whole program: the terminal takes no input meanwhile.
    const bool any = bar_ || connecting_;
    if (main_) EnableWindow(main_, !any);
}

void Win32Services::progressOpen(const ui::ProgressRequest& request) {
    onUiThread([&] {
        const auto kind = request.kind == ui::ProgressRequest::Kind::Bar ? TransferWindow::Kind::Bar
                                                                        : TransferWindow::Kind::Count;
        setTransferWindow(bar_, std::make_unique<TransferWindow>(kind, request.caption, request.text, std::string{},
                                                                 main_, cancel_));
    });
}

// Steps do not wait for the screen: the link goes on at once. Posted, they
// arrive in order, before a later close.
void Win32Services::progressSet(int value) {
    if (GetCurrentThreadId() == uiThread_) {
        if (bar_) bar_->set(value);
    } else {
        PostMessageW(messages_, kMsgProgress, static_cast<WPARAM>(value), 0);
    }
}

void Win32Services::progressClose() {
    onUiThread([&] {
        // Steps still on their way land before the window goes.
        MSG m;
        while (PeekMessageW(&m, messages_, kMsgProgress, kMsgProgress, PM_REMOVE)) DispatchMessageW(&m);
        setTransferWindow(bar_, nullptr);
    });
}

void Win32Services::connectingOpen(const ui::ProgressRequest& request) {
    onUiThread([&] {
        setTransferWindow(connecting_, std::make_unique<TransferWindow>(TransferWindow::Kind::Connecting,
                                                                        request.caption, request.text,
                                                                        request.detail, main_, cancel_));
    });
}

void Win32Services::connectingClose() {
    onUiThread([&] { setTransferWindow(connecting_, nullptr); });
}

bool Win32Services::launchViewer(const std::string& path) { return platform::launchViewer(path); }

void Win32Services::showHelp(const std::string& path, bool finder) {
    onUiThread([&] { help_.show(path, finder, main_); });
}

void Win32Services::postCommand(int command) {
    PostMessageW(messages_, kMsgCommand, static_cast<WPARAM>(command), 0);
}

int Win32Services::runDialog(ui::Dialog& dialog) {
    ++modalsRun_;
    int result = 0;
    onUiThread([&] { result = runDialogWindow(dialog, owner()); });
    return result;
}

int Win32Services::runSheet(ui::PropertySheet& sheet) {
    ++modalsRun_;
    int result = 0;
    onUiThread([&] { result = SheetWindow(sheet).runModal(owner()); });
    return result;
}

}  // namespace appgen::win32
