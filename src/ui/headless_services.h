// Services for tests and the command line: answers come from a queue, modal
// dialogs and sheets are driven by a script source in nested loops, every
// request is recorded, nothing is drawn.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/script.h"
#include "ui/services.h"

namespace appgen::ui {

struct RecordedEvent {
    enum class Kind {
        Box, File, ProgressOpen, ProgressSet, ProgressClose, Launch, Help, Post,
        DialogOpen, DialogClose, Dump, Rejected, Connecting, Cancel,
    };
    Kind kind;
    // Box: caption; File: "open" or "save"; Launch/Help: path;
    // DialogOpen/DialogClose/Dump/Rejected: the dialog's template name (a sheet's: its first page's)
    std::string caption;
    // Box: text; File: the answer ("" when cancelled); Dump: the JSON state
    // (dialogStateJson); Rejected: why the action was not taken
    std::string text;
    int value = 0;  // ProgressSet: value; Post: command; DialogClose: the result;
                    // ProgressOpen: 0 bar, 1 count; Connecting: 1 shown, 0 gone
    Answer answer = Answer::Ok;
    std::string detail{};  // Box: its second paragraph; Connecting: the device line
};

// When a script presses the Cancel button of a transfer's window: as soon as
// the connecting window shows, or once the progress (percent, or records)
// reaches `value`.
struct CancelPress {
    enum class When { Connecting, Progress } when = When::Connecting;
    int value = 0;
};

class HeadlessServices : public Services {
public:
    // Queued answers for boxes that offer a choice, and for file dialogs.
    void queueAnswer(Answer a) { answers_.push_back(a); }
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    std::size_t pendingFiles() const { return files_.size(); }
    // Cancel pressed in the window that runs now, or at the moment queued.
    virtual void pressCancel();
    void queueCancel(CancelPress when) { cancels_.push_back(when); }

    // Called for a box that offers a choice when no answer is queued; the
    // default answers the box's last button (Cancel, No).
    std::function<Answer(const MessageBoxRequest&)> onUnanswered;
    // Called for every recorded event as it happens.
    std::function<void(const RecordedEvent&)> onEvent;
    // Where a launched viewer or help request goes; default: recorded only.
    std::function<bool(const std::string&)> launcher;

    const std::vector<RecordedEvent>& events() const { return events_; }
    std::vector<int> takePostedCommands();
    void clearEvents() { events_.clear(); }

    Answer messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
    void progressOpen(const ProgressRequest& request) override;
    void progressSet(int value) override;
    void progressClose() override;
    void connectingOpen(const ProgressRequest& request) override;
    void connectingClose() override;
    void transferStarts() override { cancelled_ = false; }
    bool cancelRequested() override { return cancelled_; }
    bool launchViewer(const std::string& path) override;
    void showHelp(const std::string& path, bool finder) override;
    void postCommand(int command) override;

    int runDialog(Dialog& dialog) override;
    int runSheet(PropertySheet& sheet) override;

    // Where the nested modal loops take their input; without one (or once it
    // has ended) a dialog is destroyed with result 0 as soon as it opens.
    void setScript(ScriptSource* source) { script_ = source; }
    bool inputEnded() const { return inputEnded_; }
    // The window the user acts on: the topmost dialog, or the shown page of
    // the topmost sheet; nothing when none is open.
    Dialog* topmostDialog();
    PropertySheet* topmostSheet();
    // Carries out one action on the topmost window as the loops do; empty
    // when it was taken, else why not. A desktop program that shows the
    // windows acts on their real controls instead.
    virtual std::string perform(const ScriptAction& action);

    std::vector<FileDialogRequest> fileRequests;  // every file dialog asked for

protected:
    void record(RecordedEvent e);
    // The topmost window has started (shown) and is about to go (hidden):
    // a desktop program shows it as a real window in between.
    virtual void shown() {}
    virtual void hidden() {}

private:
    struct Window {
        Dialog* dialog = nullptr;
        PropertySheet* sheet = nullptr;
    };

    // Pulls actions until `done` or the input ends.
    template <typename Done>
    void loop(Done done);

    std::vector<Window> windows_;
    ScriptSource* script_ = nullptr;
    bool inputEnded_ = false;

    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<CancelPress> cancels_;
    bool cancelled_ = false;
    std::vector<RecordedEvent> events_;
    std::vector<int> posted_;
};

}  // namespace appgen::ui
