// What the simulator needs from outside: the local date and time, the message
// box and the main window's command queue, and somewhere to send repaints.
// The core stays free of any window system; the GUI and the command line each
// supply their own.
#pragma once

#include <string>

namespace appgen::simulator {

struct LocalDateTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalDateTime now() = 0;
};

// The main window as the simulator sees it. Texts are UTF-8.
class SimulatorHost {
public:
    virtual ~SimulatorHost() = default;
    // A warning box owned by the main window; returns once it is closed.
    virtual void warningBox(const std::string& text, const std::string& caption) = 0;
    // Queues a command for the main window's dispatcher (1010 = new project).
    virtual void postCommand(int command) = 0;
    // A message box took the mouse away: the window lets go of its capture.
    virtual void releaseMouse() {}
};

// Parts of the display that need drawing again. The GUI maps each to its
// rectangle (see display_areas.h).
enum class DisplayArea {
    WholeDisplay,   // all eight lines, the cursor and the alpha indicator
    MainMenuLines,  // lines 1..4 of the main screen, leaving the clock alone
    Line,           // one display line, `line` 0-based
    ClockLine,      // the clock line, drawn at once rather than invalidated
    PendingChar,    // the multi-tap character over the cursor cell
};

class RepaintSink {
public:
    virtual ~RepaintSink() = default;
    virtual void repaint(DisplayArea area, int line) = 0;
};

// For callers that draw from the model afterwards and need no notices.
class NoRepaint : public RepaintSink {
public:
    void repaint(DisplayArea, int) override {}
};

}  // namespace appgen::simulator
