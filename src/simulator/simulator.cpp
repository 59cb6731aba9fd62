// Key dispatch, the terminal's own screens, the clock line and multi-tap letters.
#include "simulator/simulator.h"

#include <cstdio>

#include "project/text.h"
#include "simulator/display_line.h"
#include "simulator/key_codes.h"

namespace appgen::simulator {
namespace {

constexpr char kAsterisks[] = "********************";
constexpr const char* kMonths[12] = {"JAN ", "FEB ", "MAR ", "APR ", "MAY ", "JUN ",
                                     "JUL ", "AUG ", "SEP ", "OCT ", "NOV ", "DEC "};

// A highlight that moves through first..last and wraps at both ends.
int stepUp(int hl, int first, int last) { return hl <= first ? last : hl - 1; }
int stepDown(int hl, int first, int last) { return hl >= last ? first : hl + 1; }

}  // namespace

const char* stateName(SimState s) {
    switch (s) {
        case SimState::MainScreen: return "MainScreen";
        case SimState::MenuScreen: return "MenuScreen";
        case SimState::FormScreen: return "FormScreen";
        case SimState::UtilitiesScreen: return "UtilitiesScreen";
        case SimState::SettingsScreen: return "SettingsScreen";
        case SimState::ConnectScreen: return "ConnectScreen";
        case SimState::ErrorScreen: return "ErrorScreen";
    }
    return "";
}

Simulator::Simulator(Project& project, SimulatorHost& host, LocalClock& clock, RepaintSink& repaint)
    : project_(project), host_(host), clock_(clock), repaint_(repaint) {}

void Simulator::start() {
    display_.highlightLine = 1;
    showMainScreen(true);
}

bool Simulator::toggleAlphaOnForm(int code) {
    if (code != kKeyAlpha || display_.state != SimState::FormScreen) return false;
    display_.alphaMode = !display_.alphaMode;
    return true;
}

void Simulator::clickKey(int code) {
    toggleAlphaOnForm(code);
    pressKey(code);
}

void Simulator::pressKey(int code) {
    // A letter still waiting is entered before a different key is looked at.
    if (tap_.charPending && code != tap_.lastKey) commitPending();
    tap_.lastKey = code;
    if (code == kCommandReset) {
        display_.highlightLine = 1;
        showMainScreen(true);
        return;
    }
    switch (display_.state) {
        case SimState::MainScreen: mainMenuKey(code); break;
        case SimState::MenuScreen: menuKey(code); break;
        case SimState::FormScreen:
            // Fields are left downwards only with Enter, which checks the minimum length.
            if (code != kKeyDown) formKey(code);
            break;
        case SimState::UtilitiesScreen: utilitiesKey(code); break;
        case SimState::SettingsScreen: settingsKey(code); break;
        case SimState::ConnectScreen: connectKey(code); break;
        case SimState::ErrorScreen: showForm(display_.currentScreen); break;
    }
}

void Simulator::commitPending() {
    tap_.charPending = false;
    acceptChar(tap_.pendingChar);
}

void Simulator::showMainScreen(bool full) {
    for (int r = 0; r < 4; ++r) setLine(line(r), slotText(project_.messages.mainMenu.row[r]));
    for (int r = 4; r < kDisplayLines; ++r) line(r).clear();
    display_.state = SimState::MainScreen;
    display_.currentScreen = 0;
    display_.alphaMode = false;
    display_.widePitch = true;
    repaint_.repaint(full ? DisplayArea::WholeDisplay : DisplayArea::MainMenuLines, 0);
}

void Simulator::mainMenuKey(int code) {
    if (isEnterKey(code)) code = display_.highlightLine;
    switch (code) {
        case 1: startProject(); break;
        case 2:
            display_.highlightLine = 0;
            showConnectScreen();
            break;
        case 3:
            display_.highlightLine = 1;
            showUtilities();
            break;
        case kKeyUp:
            display_.highlightLine = stepUp(display_.highlightLine, 1, 3);
            showMainScreen(false);
            break;
        case kKeyDown:
            display_.highlightLine = stepDown(display_.highlightLine, 1, 3);
            showMainScreen(false);
            break;
        default: break;
    }
}

void Simulator::startProject() {
    prepareRun();
    if (project_.terminal.startWith != 0) {
        if (project_.menus[0].itemCount != 0) {
            enterMenu(kTargetFirstMenu);
            return;
        }
    } else if (project_.forms[0].lastInputLine != 0) {
        startForm(1);
        return;
    }
    host_.warningBox("Please define your program!", "No executable program");
    host_.postCommand(kCommandNewProject);
    // The box took the mouse: the key must not stay held.
    display_.keyDown = false;
    host_.releaseMouse();
}

void Simulator::showConnectScreen() {
    for (int r = 0; r < 4; ++r) setLine(line(r), slotText(project_.messages.connecting.row[r]));
    for (int r = 4; r < kDisplayLines; ++r) line(r).clear();
    display_.state = SimState::ConnectScreen;
    display_.alphaMode = false;
    display_.widePitch = true;
    repaintAll();
}

void Simulator::connectKey(int code) {
    if (code != kKeyEsc) return;
    display_.highlightLine = 2;
    showMainScreen(true);
}

void Simulator::showUtilities() {
    const int n = utilitiesEntries_;
    for (int r = 0; r < kDisplayLines; ++r) {
        if (r < n)
            setLine(line(r), slotText(project_.messages.utilities.row[r]));
        else
            line(r).clear();
    }
    display_.state = SimState::UtilitiesScreen;
    display_.alphaMode = false;
    display_.widePitch = false;
    repaintAll();
}

void Simulator::utilitiesKey(int code) {
    // Only the first entry is simulated; Enter on the others does nothing.
    if (isEnterKey(code)) code = display_.highlightLine == 1 ? 1 : 0;
    switch (code) {
        case 1:
            display_.highlightLine = 2;
            showSettings();
            break;
        case kKeyUp:
            display_.highlightLine = stepUp(display_.highlightLine, 1, utilitiesEntries_);
            showUtilities();
            break;
        case kKeyDown:
            display_.highlightLine = stepDown(display_.highlightLine, 1, utilitiesEntries_);
            showUtilities();
            break;
        case kKeyEsc:
            display_.highlightLine = 3;
            showMainScreen(true);
            break;
        default: break;
    }
}

void Simulator::showSettings() {
    for (int r = 0; r < kDisplayLines; ++r) setLine(line(r), slotText(project_.messages.settings.row[r]));
    display_.state = SimState::SettingsScreen;
    display_.alphaMode = false;
    display_.widePitch = false;
    repaintAll();
}

void Simulator::settingsKey(int code) {
    // The settings entries are not simulated: every entry leads back.
    if ((code >= 1 && code <= 7) || isEnterKey(code) || code == kKeyEsc) {
        display_.highlightLine = 1;
        showUtilities();
    } else if (code == kKeyUp) {
        display_.highlightLine = stepUp(display_.highlightLine, 2, 8);
        showSettings();
    } else if (code == kKeyDown) {
        display_.highlightLine = stepDown(display_.highlightLine, 2, 8);
        showSettings();
    }
}

void Simulator::showError(int kind) {
    const auto& rows = project_.messages.errorMessages.row;
    setLine(line(4), kAsterisks);
    setLine(line(5), slotText(rows[kind == 2 ? 1 : 0]));
    setLine(line(6), slotText(rows[4]));
    setLine(line(7), kAsterisks);
    display_.state = SimState::ErrorScreen;
    display_.widePitch = false;
    repaintAll();
}

void Simulator::tapLetter(char base) {
    tap_.tapTicks = 0;
    const bool pair = base == '+' || base == '/' || base == '%';
    const bool four = base == 'P' || base == 'W';
    if (!tap_.charPending)
        tap_.tapIndex = 0;
    else
        tap_.tapIndex = (tap_.tapIndex + 1) % (pair ? 2 : four ? 4 : 3);
    char ch;
    if (base == ' ')
        ch = ' ';
    else if (base == '+')
        ch = tap_.tapIndex == 0 ? '+' : '$';
    else if (base == '/')
        ch = tap_.tapIndex == 0 ? '/' : '*';
    else if (base == '%')
        ch = tap_.tapIndex == 0 ? '%' : '#';
    else
        ch = static_cast<char>(base + tap_.tapIndex);
    tap_.pendingChar = ch;
    tap_.charPending = true;
    repaint_.repaint(DisplayArea::PendingChar, display_.cursorRow);
}

void Simulator::tick() {
    display_.clockTick = (display_.clockTick + 1) % 10;
    if (display_.state == SimState::MainScreen) composeClockLine();
    if (tap_.charPending) {
        // Entered on the seventh tick after the last tap.
        if (tap_.tapTicks++ > 5) commitPending();
    }
}

void Simulator::composeClockLine() {
    const LocalDateTime t = clock_.now();
    const char* month = (t.month >= 1 && t.month <= 12) ? kMonths[t.month - 1] : "??? ";
    // The colon blinks: shown in the first half of each second.
    const char* format = display_.clockTick < 5 ? "%02d, %02d:%02d  " : "%02d, %02d %02d  ";
    char text[64];
    std::snprintf(text, sizeof text, format, t.day, t.hour, t.minute);
    std::string out = month;
    out += text;
    if (project_.terminal.separateFiles == 0) {
        const int n = display_.recordCount;
        const int digits[5] = {n / 10000, (n / 1000) % 10, (n / 100) % 10, (n / 10) % 10, n % 10};
        for (int d : digits) out.push_back(static_cast<char>('0' + d));
    }
    clockLine_ = out.substr(0, kLineWidth);
    repaint_.repaint(DisplayArea::ClockLine, 0);
}

}  // namespace appgen::simulator
