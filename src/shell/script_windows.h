// What the desktop programs' --script windows share, without their toolkit:
// a script action becomes a person's input on the window on top (a tab, OK
// or Cancel, Enter or Esc, a control that must exist, show and be enabled
// before it takes anything), its answer becomes the script's message, and a
// click on a transfer window's Cancel asks the transfer to stop. Each front
// end derives from it and only makes, reads and writes its own windows.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/headless_services.h"

namespace appgen::shell {

// The real window of one dialog (or of a sheet's page) as a script's input
// reaches it. Made for each action, so that an action that opens another
// dialog, whose actions run before it returns, still reads its own answer.
class DialogInput {
public:
    struct Point {
        int x = 0;
        int y = 0;
    };

    virtual ~DialogInput() = default;

    virtual const ui::Dialog& dialog() = 0;
    // The controls as the window shows them.
    virtual std::vector<ui::ControlState> readBack() = 0;
    // From expectInput() on, lastResult() is the dialog's answer to the input
    // the window passed on (nothing when none reached it); Done when the
    // input closed the window.
    virtual void expectInput() = 0;
    virtual std::optional<ui::UserResult> lastResult() = 0;
    // Enter (ok) or Esc, as the window passes them on.
    virtual void pressEnterOrEsc(bool ok) = 0;
    // Done when control `id` can take input, else why not (NoSuchControl,
    // Hidden, Disabled).
    virtual ui::UserResult reach(int id) = 0;
    // A person's input on control `id` (the text in Windows-1251; the point
    // of a painted control in the dialog's own pixels): Done when given,
    // else why not (WrongKind, OutOfRange).
    virtual ui::UserResult type(int id, const std::string& text) = 0;
    virtual ui::UserResult click(int id, const std::optional<Point>& at) = 0;
    virtual ui::UserResult select(int id, int index) = 0;
};

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
    void transferStarts() override;
    bool cancelRequested() override;

protected:
    // What a transfer window's Cancel button sets.
    std::atomic<bool>& cancelFlag() { return cancel_; }

    // Delivers the events waiting, so what the input changed is drawn.
    virtual void pump() = 0;

    // Whether a real window is on top (a dialog that ended before it showed
    // has none), and its sheet when it is a sheet's window.
    virtual bool windowOnTop() const = 0;
    virtual ui::PropertySheet* sheetOnTop() = 0;
    // A click on the sheet window's tab `index`, and on its OK or Cancel.
    virtual void clickTab(int index) = 0;
    virtual void clickSheetButton(bool ok) = 0;

    // The window that takes the input: the dialog's on top, or the shown
    // page's of the sheet on top; none without such a window.
    virtual std::unique_ptr<DialogInput> inputWindow() = 0;

    // The transfer windows, shown while the services' progress and
    // connecting requests are open; clickCancel clicks the Cancel button of
    // each one shown.
    virtual void openProgress(const ui::ProgressRequest& request) = 0;
    virtual void setProgress(int value) = 0;
    virtual void closeProgress() = 0;
    virtual void openConnecting(const ui::ProgressRequest& request) = 0;
    virtual void closeConnecting() = 0;
    virtual void clickCancel() = 0;

private:
    std::string onControl(const ui::ScriptAction& action, DialogInput& window);
    std::string pressOkOrCancel(const ui::ScriptAction& action);

    std::atomic<bool> cancel_{false};
};

}  // namespace appgen::shell
