// The services of appgen.exe --script: answers, files and transfers as the
// command line's script session has them, but every dialog and the editor
// sheet is a real window, and the script's actions are a person's input on
// its real controls (the edit's text and its change notification, a button
// click, a list selection and its notification); a dump reads the real
// controls back.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "ui/headless_services.h"
#include "win32/dialog_window.h"
#include "win32/sheet_window.h"
#include "win32/transfer_windows.h"

namespace appgen::win32 {

class ScriptWindows : public ui::HeadlessServices {
public:
    std::string perform(const ui::ScriptAction& action) override;

    // The transfer's windows are real too, and the script's press-cancel is
    // a click on their Cancel button.
    void progressOpen(const ui::ProgressRequest& request) override;
    void progressSet(int value) override;
    void progressClose() override;
    void connectingOpen(const ui::ProgressRequest& request) override;
    void connectingClose() override;
    void pressCancel() override;
    void transferStarts() override {
        HeadlessServices::transferStarts();
        cancel_ = false;
    }
    bool cancelRequested() override { return HeadlessServices::cancelRequested() || cancel_; }

protected:
    void shown() override;
    void hidden() override;

private:
    struct Shown {
        std::unique_ptr<DialogWindow> dialog;
        std::unique_ptr<SheetWindow> sheet;
    };
    // The binding of the window an action goes to: the dialog, or the sheet's shown page.
    ControlBinding* binding();
    std::string onControl(const ui::ScriptAction& action, ControlBinding& binding);
    HWND owner() const;

    std::vector<Shown> shown_;
    std::unique_ptr<TransferWindow> bar_;
    std::unique_ptr<TransferWindow> connecting_;
    std::atomic<bool> cancel_{false};
};

// Delivers the window messages waiting, so what the actions changed is drawn.
void pumpMessages();

}  // namespace appgen::win32
