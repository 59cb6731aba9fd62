// The upload offers to show the received data and goes on whatever the viewer
// did. When none could show them the operator learns where the data are, and
// is offered their folder only where a folder opener is known to work: never
// through the opener that has just failed. Every other call goes through
// unchanged (the connecting window and Cancel among them).
#pragma once

#include <functional>
#include <string>

#include "ui/services.h"

namespace appgen::shell {

using FolderOpener = std::function<bool(const std::string& folder)>;

class ViewerFallback : public ui::Services {
public:
    // folderOpener is asked for only when the viewer failed; it gives an
    // empty function when no folder opener is known to work.
    ViewerFallback(ui::Services& inner, std::function<FolderOpener()> folderOpener)
        : inner_(inner), folderOpener_(std::move(folderOpener)) {}

    bool launchViewer(const std::string& path) override;

    ui::Answer messageBox(const ui::MessageBoxRequest& r) override { return inner_.messageBox(r); }
    std::optional<std::string> fileDialog(const ui::FileDialogRequest& r) override { return inner_.fileDialog(r); }
    void progressOpen(const ui::ProgressRequest& r) override { inner_.progressOpen(r); }
    void progressSet(int value) override { inner_.progressSet(value); }
    void progressClose() override { inner_.progressClose(); }
    void connectingOpen(const ui::ProgressRequest& r) override { inner_.connectingOpen(r); }
    void connectingClose() override { inner_.connectingClose(); }
    void transferStarts() override { inner_.transferStarts(); }
    bool cancelRequested() override { return inner_.cancelRequested(); }
    void showHelp(const std::string& path, bool finder) override { inner_.showHelp(path, finder); }
    void postCommand(int command) override { inner_.postCommand(command); }
    int runDialog(ui::Dialog& dialog) override { return inner_.runDialog(dialog); }
    int runSheet(ui::PropertySheet& sheet) override { return inner_.runSheet(sheet); }

private:
    ui::Services& inner_;
    std::function<FolderOpener()> folderOpener_;
};

}  // namespace appgen::shell
