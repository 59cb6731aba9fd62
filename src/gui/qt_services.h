// The core's requests to the desktop, answered with Qt: message boxes, file
// dialogs, the progress displays, the viewer, help, posted commands, and the
// modal dialogs and property sheets. Calls from a transfer's worker thread are
// carried over to the user-interface thread and wait for their answer there.
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

#include "gui/help_window.h"
#include "gui/progress_windows.h"
#include "ui/services.h"

namespace appgen::gui {

// A file dialog set up as the request says: filters (matched in either case
// on this file system), the first filter, default extension, initial name,
// and the existence and overwrite rules.
void configureFileDialog(QFileDialog& dialog, const ui::FileDialogRequest& request);

class QtServices : public ui::Services {
public:
    QtServices();
    ~QtServices() override;

    // The main window: owner of the boxes when nothing else is active, and
    // where posted commands go.
    void setOwner(QWidget* owner) { owner_ = owner; }
    void setCommandSink(std::function<void(int)> sink) { commandSink_ = std::move(sink); }
    // What starts the viewer of a file or a folder; the desktop's own by default.
    void setViewerLauncher(std::function<bool(const std::string&)> launcher) { viewer_ = std::move(launcher); }

    ui::Answer messageBox(const ui::MessageBoxRequest& request) override;
    std::optional<std::string> fileDialog(const ui::FileDialogRequest& request) override;
    void progressOpen(const ui::ProgressRequest& request) override;
    void progressSet(int value) override;
    void progressClose() override;
    void connectingOpen(const ui::ProgressRequest& request) override;
    void connectingClose() override;
    void transferStarts() override { cancel_ = false; }
    bool cancelRequested() override { return cancel_.load(); }
    bool launchViewer(const std::string& path) override;
    void showHelp(const std::string& path, bool finder) override;
    void postCommand(int command) override;
    int runDialog(ui::Dialog& dialog) override;
    int runSheet(ui::PropertySheet& sheet) override;

    // What is up at the moment, for the tests and the benchmark.
    ProgressWindow* progressWindow() const { return bar_.get(); }
    ProgressWindow* connectingWindow() const { return connecting_.get(); }
    CountBox* countBox() const { return count_.get(); }
    HelpWindow* helpWindow() const { return help_.get(); }
    int sheetsRun() const { return sheetsRun_; }
    // Boxes and dialogs run so far; each takes the mouse while it is up.
    int modalsRun() const { return modalsRun_.load(); }

private:
    // Runs f on the user-interface thread and returns its result.
    template <class F>
    auto onUiThread(F f) -> decltype(f());
    QWidget* activeOwner() const;

    std::unique_ptr<QObject> anchor_;  // lives on the user-interface thread
    QPointer<QWidget> owner_;
    std::function<void(int)> commandSink_;
    std::function<bool(const std::string&)> viewer_;
    std::unique_ptr<ProgressWindow> bar_;
    std::unique_ptr<CountBox> count_;
    std::unique_ptr<ProgressWindow> connecting_;
    std::unique_ptr<HelpWindow> help_;
    int sheetsRun_ = 0;
    std::atomic<int> modalsRun_{0};
    std::atomic<bool> cancel_{false};  // set on the user-interface thread, read by the transfer
};

}  // namespace appgen::gui
