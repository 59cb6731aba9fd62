// The link's operator panel on the front end's Services: each message, file
// question and window of a transfer becomes the message box, file dialog or
// progress window the Qt, Win32 and command-line front ends and the scripts
// already show.
#pragma once

#include <optional>
#include <string>

#include "link/operator_panel.h"
#include "ui/services.h"

namespace appgen::shell {

class ServicesOperatorPanel : public link::OperatorPanel {
public:
    explicit ServicesOperatorPanel(ui::Services& ui) : ui_(ui) {}

    void tell(const link::OperatorMessage& message) override;
    bool ask(const link::OperatorMessage& question) override;
    std::optional<std::string> chooseFile(const link::FileQuestion& question) override;
    void progressOpen(const link::ProgressWindow& window) override;
    void progressSet(int value) override { ui_.progressSet(value); }
    void progressClose() override { ui_.progressClose(); }
    void connectingOpen(const link::ProgressWindow& window) override;
    void connectingClose() override { ui_.connectingClose(); }
    void transferStarts() override { ui_.transferStarts(); }
    bool cancelRequested() override { return ui_.cancelRequested(); }
    void launchViewer(const std::string& path) override { ui_.launchViewer(path); }

private:
    ui::Services& ui_;
};

}  // namespace appgen::shell
