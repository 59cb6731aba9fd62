// The services of appgen --script: answers, files and transfers as the
// command line's script session has them, but every dialog and the editor
// sheet is a real Qt window, and the script's actions are a person's input on
// its real widgets (the edit's text and its change notification, a button
// click, a list selection and its notification); a dump reads the real
// widgets back.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "gui/dialog_host.h"
#include "gui/progress_windows.h"
#include "gui/sheet_window.h"
#include "ui/headless_services.h"

namespace appgen::gui {

class ScriptWindows : public ui::HeadlessServices {
public:
    ScriptWindows();
    ~ScriptWindows() override;

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
    // The panel an action goes to: the dialog's, or the sheet's shown page's.
    DialogPanel* panel();
    std::string onControl(const ui::ScriptAction& action, DialogPanel& panel);
    QWidget* owner() const;

    std::vector<Shown> shown_;
    std::unique_ptr<ProgressWindow> bar_;
    std::unique_ptr<CountBox> count_;
    std::unique_ptr<ProgressWindow> connecting_;
    std::atomic<bool> cancel_{false};
};

// Delivers the events waiting, so what the actions changed is drawn.
void pumpEvents();

}  // namespace appgen::gui
