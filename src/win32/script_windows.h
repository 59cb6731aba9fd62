// The services of appgen.exe --script: answers, files and transfers as the
// command line's script session has them, but every dialog and the editor
// sheet is a real window, and the script's actions are a person's input on
// its real controls (the edit's text and its change notification, a button
// click, a list selection and its notification); a dump reads the real
// controls back. What the actions mean is shell::ScriptWindows'.
#pragma once

#include <memory>
#include <vector>

#include "shell/script_windows.h"
#include "win32/dialog_window.h"
#include "win32/sheet_window.h"
#include "win32/transfer_windows.h"

namespace appgen::win32 {

class ScriptWindows : public shell::ScriptWindows {
protected:
    void shown() override;
    void hidden() override;

    void pump() override;
    bool windowOnTop() const override;
    ui::PropertySheet* sheetOnTop() override;
    void clickTab(int index) override;
    void clickSheetButton(bool ok) override;
    std::unique_ptr<shell::DialogInput> inputWindow() override;

    void openProgress(const ui::ProgressRequest& request) override;
    void setProgress(int value) override;
    void closeProgress() override;
    void openConnecting(const ui::ProgressRequest& request) override;
    void closeConnecting() override;
    void clickCancel() override;

private:
    struct Shown {
        std::unique_ptr<DialogWindow> dialog;
        std::unique_ptr<SheetWindow> sheet;
    };
    HWND owner() const;

    std::vector<Shown> shown_;
    std::unique_ptr<TransferWindow> bar_;
    std::unique_ptr<TransferWindow> connecting_;
};

// Delivers the window messages waiting, so what the actions changed is drawn.
void pumpMessages();

}  // namespace appgen::win32
