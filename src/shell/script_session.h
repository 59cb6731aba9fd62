// A scripted application session (appgen-cli script, and the desktop programs'
// --script): the same application object the desktop runs, driven line by
// line from a script. Modal dialogs and the editor sheet pull their user
// actions from the lines that follow the command that opened them; every
// event is printed as a line of JSON.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "shell/script_lexer.h"
#include "shell/simulate_session.h"
#include "platform/system_serial_port.h"
#include "platform/steady_tick_clock.h"
#include "platform/system_port_directory.h"
#include "shell/application.h"
#include "ui/headless_services.h"

namespace appgen::shell {

class ScriptSession : private ui::ScriptSource {
public:
    // `lines`: the script; `out`: where events and dumps go; `err`: errors.
    // Transfers use the system's serial ports and millisecond clock.
    ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                  std::string helpFile, std::FILE* out, std::FILE* err);
    // Transfers go through `port`, timed by `ticks` (a fake terminal in virtual time).
    ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                  std::string helpFile, std::FILE* out, std::FILE* err,
                  link::SerialPort& port, link::TickClock& ticks);
    // Dialogs and sheets run through `windows`, a desktop program's services
    // that show them as real windows and act on their real controls.
    ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                  std::string helpFile, std::FILE* out, std::FILE* err,
                  link::SerialPort& port, link::TickClock& ticks, ui::HeadlessServices& windows);

    // Runs the script to its end; false when a line failed.
    bool run();

private:
    ScriptSession(std::vector<std::string> lines, const simulator::LocalDateTime& now,
                  std::string helpFile, std::FILE* out, std::FILE* err, link::SerialPort& port,
                  link::TickClock& ticks, ui::HeadlessServices* windows);

    // ScriptSource: the next action for the topmost dialog.
    ui::ScriptAction next() override;
    void rejected(const ui::ScriptAction& action, const std::string& why) override;

    // The next line with words, or false at the end (or after a failure).
    bool nextLine(std::vector<ScriptWord>& words);
    // Lines that are not about a dialog: answers, files. True when taken.
    bool queueLine(const std::vector<ScriptWord>& words);
    // A line for the main window, when no dialog is open.
    void mainWindowLine(const std::vector<ScriptWord>& words);
    // A line for the topmost dialog; End when it fails.
    ui::ScriptAction dialogLine(const std::vector<ScriptWord>& words);
    void fail(const std::string& why);
    void printEvent(const ui::RecordedEvent& e);
    void print(const std::string& json);

    std::vector<std::string> lines_;
    std::size_t lineNo_ = 0;  // of the line last read, 1-based
    bool failed_ = false;
    std::FILE* out_;
    std::FILE* err_;

    ui::HeadlessServices ownUi_;
    ui::HeadlessServices& ui_;
    VirtualLocalClock clock_;
    simulator::NoRepaint repaint_;
    platform::SystemSerialPort port_;
    platform::SteadyTickClock ticks_;
    // The machine's serial devices, until `device` lines give a fixed list.
    std::optional<std::vector<link::SerialDevice>> devices_;
    platform::SystemPortDirectory ports_;
    shell::Application app_;
};

}  // namespace appgen::shell
