// Draws the simulated display from the simulator's model: the cursor block,
// the alpha indicator, the eight lines with the highlight bar, the clock line
// and a pending multi-tap character, each at its place on the terminal.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <string_view>

#include "gui/terminal_art.h"
#include "simulator/simulator.h"

namespace appgen::gui {

// The clock line's cell: twenty characters of the display font, as it is
// drawn and shown on each tick.
inline constexpr QRect kClockCell(39, 105, 120, 15);

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

    // The whole display area from the model; the clock line and a pending
    // letter are put back too, so that a repaint does not blank them until
    // the next tick.
    void paintDisplay(QPainter& p, const simulator::Simulator& sim) const;
    // The clock line over its background, straight onto the window.
    void paintClockLine(QPainter& p, std::string_view text) const;
    // The pending letter over the cursor block.
    void paintPendingChar(QPainter& p, const simulator::DisplayModel& d, char ch) const;

    // Windows-1251 bytes at a cell origin, one character every 6 pixels.
    void drawText(QPainter& p, int x, int y, std::string_view bytes, QColor ink) const;

private:
    const TerminalArt& art_;
    const DisplayFont& font_;
};

}  // namespace appgen::gui
