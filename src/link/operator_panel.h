// What a transfer shows the operator and asks of them: its messages, the file
// it sends or fills, its progress and connecting windows, and their Cancel.
// The link says what to show; the shell hands each request on to the front end.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace appgen::link {

enum class Icon { None, Warning, Question };

// Texts are UTF-8.
struct OperatorMessage {
    std::string caption;
    std::string text;
    Icon icon = Icon::None;
    std::string detail{};  // a second paragraph: a cause or a fix, e.g. the system's reason
    bool hasOwner = true;  // false: shown with no owner window
};

struct FileFilter {
    std::string description;  // "Lookup data files {*.TXT}"
    std::string pattern;      // "*.TXT"
};

// Open: a file to send, which must exist. Save: where the records go; an
// existing file is replaced only once the operator agrees.
struct FileQuestion {
    enum class Kind { Open, Save } kind = Kind::Open;
    std::vector<FileFilter> filters;  // the first is selected at first
    std::string defaultExtension;     // "TXT", without the dot
    std::string initialName{};
};

// The download's progress bar, the upload's record count, and the window that
// shows a transfer waiting for the terminal's first answer.
struct ProgressWindow {
    enum class Kind { Bar, Count } kind = Kind::Bar;
    std::string caption;
    std::string text;
    std::string detail{};  // connecting: the device and speed
};

class OperatorPanel {
public:
    virtual ~OperatorPanel() = default;

    // A message with its OK button.
    virtual void tell(const OperatorMessage& message) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const OperatorMessage& question) = 0;
    // The chosen path, or nothing when the operator cancels.
    virtual std::optional<std::string> chooseFile(const FileQuestion& question) = 0;

    // Opened, stepped (percent for the bar, records for the count), closed.
    virtual void progressOpen(const ProgressWindow& window) = 0;
    virtual void progressSet(int value) = 0;
    virtual void progressClose() = 0;
    // Up from the open (or the cradle set-up) until the first answer.
    virtual void connectingOpen(const ProgressWindow& window) = 0;
    virtual void connectingClose() = 0;

    // The Cancel button of those windows: presses before transferStarts() are
    // forgotten; asked between units and during waits, maybe from a thread of
    // the transfer's own.
    virtual void transferStarts() = 0;
    virtual bool cancelRequested() = 0;

    // Opens the received file for the operator to read; does not wait.
    virtual void launchViewer(const std::string& path) = 0;
};

}  // namespace appgen::link
