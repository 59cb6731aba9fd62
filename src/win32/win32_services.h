// What the core asks of the desktop, done with Windows' own windows: message
// boxes, the open and save dialogs, the transfer windows, Notepad for
// received data, the help window, and the dialogs and the editor sheet built
// from their templates. A transfer runs on a worker thread while this thread
// keeps pumping messages; what the transfer asks of the desktop is carried
// out on this thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/services.h"
#include "win32/help_window.h"
#include "win32/transfer_windows.h"

namespace appgen::win32 {

class Win32Services : public ui::Services {
public:
    Win32Services();
    ~Win32Services() override;
    Win32Services(const Win32Services&) = delete;
    Win32Services& operator=(const Win32Services&) = delete;

    // Registers the window classes; once, before any window.
    static void registerClasses(HINSTANCE instance);

    // The terminal window: the owner of boxes when no dialog is up.
    void setMainWindow(HWND window) { main_ = window; }
    // A project given to the program (a .TGP opened from Explorer): the
    // next open dialog answers it without showing itself.
    void answerNextOpen(std::string path) { nextOpen_ = std::move(path); }
    // Where posted commands go, on this thread after the current one returns.
    std::function<void(int command)> onCommand;

    // Runs `job` on a worker thread and returns when it has finished; the
    // windows keep working meanwhile. One at a time.
    void runTransfer(const std::function<void()>& job);
    bool transferRunning() const { return transferRunning_; }
    // How many boxes and dialogs have been up so far.
    int modalsRun() const { return modalsRun_; }
    // The message loop's keyboard handling for the help window.
    bool dialogMessage(MSG& message);

    ui::Answer messageBox(const ui::MessageBoxRequest& request) override;
    std::optional<std::string> fileDialog(const ui::FileDialogRequest& request) override;
    void progressOpen(const ui::ProgressRequest& request) override;
    void progressSet(int value) override;
    void progressClose() override;
    void connectingOpen(const ui::ProgressRequest& request) override;
    void connectingClose() override;
    void transferStarts() override { cancel_ = false; }
    bool cancelRequested() override { return cancel_; }
    bool launchViewer(const std::string& path) override;
    void showHelp(const std::string& path, bool finder) override;
    void postCommand(int command) override;
    int runDialog(ui::Dialog& dialog) override;
    int runSheet(ui::PropertySheet& sheet) override;

private:
    friend LRESULT CALLBACK servicesWindowProc(HWND, UINT, WPARAM, LPARAM);
    // Runs f on the thread that owns the windows, waiting for it.
    void onUiThread(const std::function<void()>& f);
    // The window that has the operator's attention: a dialog or box of ours, else the terminal.
    HWND owner() const;
    void setTransferWindow(std::unique_ptr<TransferWindow>& slot, std::unique_ptr<TransferWindow> window);

    DWORD uiThread_;
    HWND messages_ = nullptr;  // a message-only window of the user-interface thread
    HWND main_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> transferRunning_{false};
    std::unique_ptr<TransferWindow> bar_;
    std::unique_ptr<TransferWindow> connecting_;
    HelpWindow help_;
    std::optional<std::string> nextOpen_;
    std::atomic<int> modalsRun_{0};
};

}  // namespace appgen::win32
