// A simulator run for the command line: a virtual clock that advances 100 ms
// a timer tick, message boxes and posted commands collected as events, key
// tokens as clicks on the keypad, and the state as one JSON object.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/project.h"
#include "simulator/simulator.h"

namespace appgen::shell {

// Local time that moves only when the session ticks.
class VirtualLocalClock : public simulator::LocalClock {
public:
    explicit VirtualLocalClock(const simulator::LocalDateTime& start) : start_(start) {}
    simulator::LocalDateTime now() override;
    void advanceMs(long long ms) { elapsedMs_ += ms; }

private:
    simulator::LocalDateTime start_;
    long long elapsedMs_ = 0;
};

// "YYYY-MM-DDTHH:MM:SS", a real calendar date and time of day.
std::optional<simulator::LocalDateTime> parseLocalDateTime(std::string_view text);

// One key token: a click on the keypad (code), or a number of timer ticks.
struct KeyToken {
    enum class Kind { Click, Ticks } kind = Kind::Click;
    int value = 0;  // the key code, or the number of ticks
};
std::optional<KeyToken> parseKeyToken(std::string_view token);
// Splits on blanks; nothing when a token is not understood (its text in `bad`).
std::optional<std::vector<KeyToken>> parseKeyTokens(std::string_view keys, std::string* bad = nullptr);

// The simulator's state as `simulate` prints it, with the events given.
std::string simulatorStateJson(const simulator::Simulator& sim, const std::vector<std::string>& events);

class SimulateSession : private simulator::SimulatorHost {
public:
    SimulateSession(Project& project, const simulator::LocalDateTime& start);

    void apply(const KeyToken& token);
    // The state and the events since the previous call, as one line of JSON.
    std::string stateJson();

    simulator::Simulator& simulator() { return sim_; }

private:
    void warningBox(const std::string& text, const std::string& caption) override;
    void postCommand(int command) override;

    VirtualLocalClock clock_;
    simulator::NoRepaint repaint_;
    simulator::Simulator sim_;
    std::vector<std::string> events_;  // composed JSON objects
};

}  // namespace appgen::shell
