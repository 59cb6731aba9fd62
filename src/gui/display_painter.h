// Draws the simulated display by playing the core's display strokes: the
// terminal's own pixels, its pictures, and each glyph in the display font.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <string_view>

#include "gui/terminal_art.h"
#include "simulator/simulator.h"
#include "simulator/terminal_layout.h"

namespace appgen::gui {

// The clock line's cell, as it is drawn and shown on each tick.
inline constexpr QRect kClockCell(simulator::kClockCell.left, simulator::kClockCell.top,
                                  simulator::kClockCell.right - simulator::kClockCell.left,
                                  simulator::kClockCell.bottom - simulator::kClockCell.top);

// The display's font: "Courier New Cyr" where it is installed, else the
// nearest monospaced face with Cyrillic letters, sized to a 15-pixel cell
// and drawn on a 6-pixel pitch.
struct DisplayFont {
    QFont font;
    int ascent = 11;  // from the top of the cell to the baseline
};
DisplayFont makeDisplayFont();

class DisplayPainter {
public:
    DisplayPainter(const TerminalArt& art, const DisplayFont& font) : art_(art), font_(font) {}

    void paintDisplay(QPainter& p, const simulator::Simulator& sim) const;
    void paintClockLine(QPainter& p, std::string_view text) const;
    void paintPendingChar(QPainter& p, const simulator::DisplayModel& d, char ch) const;

    void play(QPainter& p, const simulator::DisplayStrokes& strokes) const;

private:
    const TerminalArt& art_;
    const DisplayFont& font_;
};

}  // namespace appgen::gui
