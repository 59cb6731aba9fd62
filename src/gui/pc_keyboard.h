// The PC keys that work the terminal while its window has the keyboard, and
// a point of the picture inside each terminal key, so that a PC key goes the
// way a click on the key would.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>
#include <span>

namespace appgen::gui {

struct PcKey {
    Qt::Key key;
    bool keypad;  // only on the numeric keypad; otherwise either
    int code;     // the terminal key, 1..23
};

// Digits, '-', '.', both Enter keys, Esc, Backspace, the arrows, Tab for
// ALPHA, F2 for FN and F10 for POWER.
std::span<const PcKey> pcKeyboard();

// The terminal key a PC key works; 0 for none (and for any key held with
// Ctrl, Alt or Meta, which belong to the accelerators).
int terminalKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

// A point of the picture that a click on the key hits, in client pixels.
QPoint clickPointOf(int code);

// What the keyboard does, in a few lines, for the picture's tooltip.
QString keyboardHint();

}  // namespace appgen::gui
