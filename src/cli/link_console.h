// The front end of a transfer run from the command line: message boxes as
// "caption: text" lines on stderr, the file dialog answered by the path the
// operator gave, the retry question answered Yes a set number of times, and
// progress as a percentage or a record count.
#pragma once

#include <cstdio>
#include <string>

#include "ui/services.h"

namespace appgen::cli {

class LinkConsole : public ui::Services {
public:
    LinkConsole(std::string path, int retries, std::FILE* out = stderr);

    ui::Answer messageBox(const ui::MessageBoxRequest& request) override;
    std::optional<std::string> fileDialog(const ui::FileDialogRequest& request) override;
    void progressOpen(const ui::ProgressRequest& request) override;
    void progressSet(int value) override;
    void progressClose() override;
    void connectingOpen(const ui::ProgressRequest& request) override;
    void connectingClose() override;
    bool launchViewer(const std::string& path) override;
    void showHelp(const std::string&, bool) override {}
    void postCommand(int) override {}

private:
    void endProgressLine();

    std::string path_;
    int retriesLeft_;
    std::FILE* out_;
    bool tty_;
    ui::ProgressRequest::Kind kind_ = ui::ProgressRequest::Kind::Bar;
    bool progressShown_ = false;  // a progress line is open on a terminal
    int last_ = -1;
};

}  // namespace appgen::cli
