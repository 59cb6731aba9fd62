// A simulator on a freshly reset project, with a settable clock and hosts that
// record what the simulator asks of the window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "project/project.h"
#include "project/text.h"
#include "simulator/key_codes.h"
#include "simulator/simulator.h"

namespace appgen::simulator::testing {

class SetClock : public LocalClock {
public:
    LocalDateTime now() override { return time; }
    LocalDateTime time{2026, 3, 5, 9, 7, 30};
};

class RecordingHost : public SimulatorHost {
public:
    void warningBox(const std::string& text, const std::string& caption) override {
        boxes.push_back(caption + ": " + text);
    }
    void postCommand(int command) override { posted.push_back(command); }
    void releaseMouse() override { ++releases; }
    std::vector<std::string> boxes;
    std::vector<int> posted;
    int releases = 0;
};

struct Repaint {
    DisplayArea area;
    int line;
};

class RecordingRepaint : public RepaintSink {
public:
    void repaint(DisplayArea area, int line) override { requests.push_back({area, line}); }
    std::vector<Repaint> requests;
};

// One line of a form as the tests describe it; the prompt is UTF-8.
struct LineSpec {
    u8 type;
    std::string prompt = "";
    u8 maxLen = 50;
    u8 minLen = 0;
};

class SimTest : public ::testing::Test {
protected:
    SimTest() {
        resetBarcodeSettings(project);
        resetProject(project);
    }

    FormDef& form(int n) { return project.forms[n - 1]; }
    MenuDef& menu(int n) { return project.menus[n - 1]; }

    void defineLine(int n, int i, const LineSpec& line) {
        FormDef& f = form(n);
        f.lineType[i] = line.type;
        setSlotText(f.prompt[i], utf8ToCp1251(line.prompt));
        f.maxLen[i] = line.maxLen;
        f.minLen[i] = line.minLen;
    }
    void defineForm(int n, const std::vector<LineSpec>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) defineLine(n, static_cast<int>(i), lines[i]);
    }

    // "Collect data" from the main screen.
    void collect() {
        sim.start();
        sim.pressKey(1);
    }
    void press(std::initializer_list<int> codes) {
        for (int c : codes) sim.clickKey(c);
    }
    // Digit-mode characters typed with their keys: 0-9, '-' and '.'.
    void type(std::string_view chars) {
        for (char ch : chars) {
            int code = ch == '0' ? kKey0 : ch == '-' ? kKeyDash : ch == '.' ? kKeyDot : ch - '0';
            sim.clickKey(code);
        }
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) sim.tick();
    }

    std::string lineText(int row) const { return cp1251ToUtf8(sim.display().screenLines[row]); }
    SimState state() const { return sim.display().state; }
    std::pair<int, int> cursor() const { return {sim.display().cursorRow, sim.display().cursorCol}; }
    std::string record() const { return cp1251ToUtf8(sim.recordBuffer()); }

    Project project{};
    SetClock clock;
    RecordingHost host;
    RecordingRepaint repaint;
    Simulator sim{project, host, clock, repaint};
};

}  // namespace appgen::simulator::testing
