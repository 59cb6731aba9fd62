// The simulated terminal: its display model, the dispatch of key codes to the
// screen that is up, the terminal's own screens and clock, and the run of the
// project's menus and forms with the record a completed form builds.
//
// The simulator works on the one Project by reference. It reads the project
// afresh whenever it builds a screen and writes only the run-time and derived
// bytes (itemCount, lastInputLine, selection, currentLine) and, when a run
// starts, the clean-up of empty and continuation lines.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "project/project.h"
#include "simulator/sim_interfaces.h"

namespace appgen::simulator {

inline constexpr int kDisplayLines = 8;
inline constexpr int kDisplayColumns = 20;
inline constexpr std::size_t kRecordBufferSize = 407;  // characters, without the NUL
inline constexpr std::size_t kEntryTextSize = 160;

enum class SimState {
    MainScreen = 10,
    MenuScreen = 100,
    FormScreen = 110,
    UtilitiesScreen = 200,
    SettingsScreen = 300,
    ConnectScreen = 500,
    ErrorScreen = 999,
};
const char* stateName(SimState s);
inline int stateCode(SimState s) { return static_cast<int>(s); }

// What the window draws. Lines hold Windows-1251 bytes, at most 20 each.
struct DisplayModel {
    std::array<std::string, kDisplayLines> screenLines;
    int highlightLine = 0;  // 1-based; 0 or beyond 8 shows no inverted line
    bool widePitch = false;
    int cursorRow = 0;
    int cursorCol = 0;
    bool alphaMode = false;
    SimState state = SimState::MainScreen;
    int currentScreen = 0;  // running form 1..10 or menu 11..20; 0 on the main screen
    int recordCount = 0;
    int clockTick = 0;  // 0..9, one step per 100 ms
    bool keyDown = false;
};

// Multi-tap letter entry in alpha mode.
struct MultiTap {
    bool charPending = false;
    char pendingChar = 0;
    int tapIndex = 0;
    int tapTicks = 0;
    int lastKey = 0;
};

// Run-time state of one line of the running form.
struct LineEntry {
    std::string entryText;
    int entryStart = 0;  // column where the entry area begins
    int entryPos = 0;    // column of the next character; may pass the edge while scrolling
    int scrollCount = 0;
    bool signShown = false;
};

class Simulator {
public:
    Simulator(Project& project, SimulatorHost& host, LocalClock& clock, RepaintSink& repaint);

    // The start of the window: the main screen with item 1 highlighted.
    void start();
    // One key code, or the reset command 51.
    void pressKey(int code);
    // The alpha key toggles the alpha mode, but only on a form; the window does
    // this before it dispatches the code. True when the mode changed.
    bool toggleAlphaOnForm(int code);
    // A key as a mouse click on the keypad gives it: the toggle, then the code.
    void clickKey(int code);
    // The 100 ms timer: the clock line and the commit of a pending letter.
    void tick();

    // The Utilities menu shows 7 entries, or 8 with lookup 1 defined; the
    // shell sets it whenever the Form page applies its changes.
    void setUtilitiesEntries(int n) { utilitiesEntries_ = (n == 8) ? 8 : 7; }
    int utilitiesEntries() const { return utilitiesEntries_; }
    // The main window clears the count when it starts or opens a project.
    void setRecordCount(int n) { display_.recordCount = n < 0 ? 0 : n; }
    void setKeyDown(bool down) { display_.keyDown = down; }

    const DisplayModel& display() const { return display_; }
    const MultiTap& multiTap() const { return tap_; }
    const LineEntry& entry(int line) const { return entries_[static_cast<std::size_t>(line & 7)]; }
    const std::string& recordBuffer() const { return recordBuffer_; }
    // The last clock line composed; empty before the first tick on the main screen.
    const std::string& clockLine() const { return clockLine_; }

    // The terminal's own screens.
    void showMainScreen(bool full);
    void showConnectScreen();
    void showUtilities();
    void showSettings();
    void showError(int kind);
    void tapLetter(char base);

    // The project's menus and forms.
    void prepareRun();
    void enterMenu(int n);
    void showMenu(int n);
    void startForm(int n);
    void showForm(int n);
    void acceptChar(char ch);
    void backspace();
    void clearField();
    void showSign(int i);
    void showMarks(int i);

    // The record of a completed form and the previous-form lines.
    void assembleRecord();
    void appendStamp();
    void layoutPrevious(int i);

private:
    void mainMenuKey(int code);
    void startProject();
    void connectKey(int code);
    void utilitiesKey(int code);
    void settingsKey(int code);
    void menuKey(int code);
    void formKey(int code);
    void formEnter();
    void formUp();
    void composeClockLine();
    void commitPending();

    // Follows a target byte; menus are entered afresh unless keepSelection.
    void goToTarget(int target, bool keepSelection);
    int nextInputLine(int c) const;
    int prevInputLine(int c) const;

    // The running form (currentScreen 1..10); form 1 when none runs, so that
    // every access stays inside the table.
    FormDef& form();
    const FormDef& form() const;
    MenuDef& menu(int n);
    int width() const;  // W: 15 for a big-font form, else 20
    int edge() const { return width() - 1; }
    u8 lineType(int i) const;
    std::string_view prompt(int i) const;
    LineEntry& at(int i) { return entries_[static_cast<std::size_t>(i)]; }
    std::string& line(int i) { return display_.screenLines[static_cast<std::size_t>(i)]; }
    bool isContinuation(int i) const;
    void appendRecord(std::string_view bytes);
    void appendSeparators();

    void repaintAll() { repaint_.repaint(DisplayArea::WholeDisplay, 0); }
    void repaintLine(int i) { repaint_.repaint(DisplayArea::Line, i); }

    Project& project_;
    SimulatorHost& host_;
    LocalClock& clock_;
    RepaintSink& repaint_;

    DisplayModel display_;
    MultiTap tap_;
    std::array<LineEntry, kFormLines> entries_{};
    std::string recordBuffer_;
    std::string clockLine_;
    int utilitiesEntries_ = 7;
};

}  // namespace appgen::simulator
