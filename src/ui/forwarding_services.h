// Services that hand every call on to another: a wrapper that changes one
// or two calls derives from it and overrides only those, so a call added
// to Services later is forwarded without anyone remembering to.
#pragma once

#include "ui/services.h"

namespace appgen::ui {

class ForwardingServices : public Services {
public:
    explicit ForwardingServices(Services& inner) : inner_(inner) {}

    Answer messageBox(const MessageBoxRequest& r) override { return inner_.messageBox(r); }
    std::optional<std::string> fileDialog(const FileDialogRequest& r) override { return inner_.fileDialog(r); }
    void progressOpen(const ProgressRequest& r) override { inner_.progressOpen(r); }
    void progressSet(int value) override { inner_.progressSet(value); }
    void progressClose() override { inner_.progressClose(); }
    void connectingOpen(const ProgressRequest& r) override { inner_.connectingOpen(r); }
    void connectingClose() override { inner_.connectingClose(); }
    void transferStarts() override { inner_.transferStarts(); }
    bool cancelRequested() override { return inner_.cancelRequested(); }
    bool launchViewer(const std::string& path) override { return inner_.launchViewer(path); }
    void showHelp(const std::string& path, bool finder) override { inner_.showHelp(path, finder); }
    void postCommand(int command) override { inner_.postCommand(command); }
    int runDialog(Dialog& dialog) override { return inner_.runDialog(dialog); }
    int runSheet(PropertySheet& sheet) override { return inner_.runSheet(sheet); }

protected:
    Services& inner() { return inner_; }

private:
    Services& inner_;
};

}  // namespace appgen::ui
