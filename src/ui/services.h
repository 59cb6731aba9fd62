// What the core asks of the desktop: message boxes, file dialogs, progress, a
// viewer, help, posting commands, and running modal dialogs and property
// sheets. The core says what happens; the front end (the Qt GUI, the command
// line or a test script) decides how it looks.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace appgen::ui {

class Dialog;
class PropertySheet;

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// Texts are UTF-8; the Windows-1251 bytes of the project are converted before.
struct MessageBoxRequest {
    std::string caption;
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    bool hasOwner = true;  // false: shown with no owner window
    std::string detail{};  // optional second paragraph: a cause or a fix, e.g. the system's reason
};

struct FileFilter {
    std::string description;  // "Файлы Генератора Приложений (*.TGP)"
    std::string pattern;      // "*.TGP"
};

enum FileDialogOption : unsigned {
    kFileMustExist = 1u << 0,
    kHideReadOnly = 1u << 1,
    kOverwritePrompt = 1u << 2,
    kPathMustExist = 1u << 3,
};

struct FileDialogRequest {
    enum class Kind { Open, Save } kind = Kind::Open;
    std::vector<FileFilter> filters;
    int filterIndex = 0;           // the filter selected at first
    std::string defaultExtension;  // "TGP", without the dot; empty for none
    std::string initialName;
    unsigned options = 0;
};

// The download progress window and the upload count box; also the window
// that shows a transfer waiting for the terminal's first answer.
struct ProgressRequest {
    enum class Kind { Bar, Count } kind = Kind::Bar;
    std::string caption;  // "Прогресс" for the bar
    std::string text;     // "Загрузка..." for the bar
    std::string detail{}; // connecting: the device and speed
};

class Services {
public:
    virtual ~Services() = default;

    virtual Answer messageBox(const MessageBoxRequest& request) = 0;
    // The chosen path, or nothing when the operator cancels.
    virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;

    // Progress: opened, stepped (percent for the bar, records for the count), closed.
    virtual void progressOpen(const ProgressRequest& request) = 0;
    virtual void progressSet(int value) = 0;
    virtual void progressClose() = 0;

    // While a transfer waits for the terminal's first answer: "Соединение с
    // терминалом..." with the device, until connectingClose().
    virtual void connectingOpen(const ProgressRequest& request) { (void)request; }
    virtual void connectingClose() {}

    // The Cancel button of the connecting window, the progress window and the
    // count box. The transfer forgets earlier presses when it starts, then
    // asks between units and during its waits, maybe from a thread of its own.
    virtual void transferStarts() {}
    virtual bool cancelRequested() { return false; }

    // Opens a text file for the operator to read; does not wait for the viewer.
    virtual bool launchViewer(const std::string& path) = 0;
    // Shows the help document; `finder` asks for its index rather than its contents.
    virtual void showHelp(const std::string& path, bool finder) = 0;
    // Posts a command to the main window, handled after the current one returns.
    virtual void postCommand(int command) = 0;

    // Runs a dialog modally: starts it, lets the user work in it until it ends,
    // and returns its result. -1 when this front end cannot show dialogs.
    virtual int runDialog(Dialog& dialog) {
        (void)dialog;
        return -1;
    }
    // Runs a property sheet modally; 1 after OK, 0 after Cancel, -1 as above.
    virtual int runSheet(PropertySheet& sheet) {
        (void)sheet;
        return -1;
    }
};

}  // namespace appgen::ui
