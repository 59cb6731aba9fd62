// The services of appgen --script: answers, files and transfers as the
// command line's script session has them, but every dialog and the editor
// sheet is a real Qt window, and the script's actions are a person's input on
// its real widgets (the edit's text and its change notification, a button
// click, a list selection and its notification); a dump reads the real
// widgets back. What the actions mean is shell::ScriptWindows'.
#pragma once

#include <memory>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/progress_windows.h"
#include "gui/sheet_window.h"
#include "shell/script_windows.h"

namespace appgen::gui {

class ScriptWindows : public shell::ScriptWindows {
public:
    ScriptWindows();
    ~ScriptWindows() override;

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
    QWidget* owner() const;

    std::vector<Shown> shown_;
    std::unique_ptr<ProgressWindow> bar_;
    std::unique_ptr<CountBox> count_;
    std::unique_ptr<ProgressWindow> connecting_;
};

// Delivers the events waiting, so what the actions changed is drawn.
void pumpEvents();

}  // namespace appgen::gui
