// Services for tests and the command line: answers come from a queue, every
// request is recorded, nothing is drawn.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/services.h"

namespace appgen::ui {

struct RecordedEvent {
    enum class Kind { Box, File, ProgressOpen, ProgressSet, ProgressClose, Launch, Help, Post };
    Kind kind;
    std::string caption;  // Box: caption; File: "open" or "save"; Launch/Help: path
    std::string text;     // Box: text; File: the answer ("" when cancelled)
    int value = 0;        // ProgressSet: value; Post: command
    Answer answer = Answer::Ok;
};

class HeadlessServices : public Services {
public:
    // Queued answers for boxes that offer a choice, and for file dialogs.
    void queueAnswer(Answer a) { answers_.push_back(a); }
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    std::size_t pendingFiles() const { return files_.size(); }

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
    bool launchViewer(const std::string& path) override;
    void showHelp(const std::string& path, bool finder) override;
    void postCommand(int command) override;

    std::vector<FileDialogRequest> fileRequests;  // every file dialog asked for

private:
    void record(RecordedEvent e);

    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<RecordedEvent> events_;
    std::vector<int> posted_;
};

}  // namespace appgen::ui
