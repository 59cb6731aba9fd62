// The PC keys that work the terminal while its window has the keyboard, named
// apart from any toolkit: each front end maps its own key codes to PcKey and
// its modifier flags to PcModifiers. A PC key goes the way a click on the
// terminal key would, at a point of the picture inside that key.
#pragma once

#include <span>

#include "simulator/keypad.h"

namespace appgen::simulator {

// The keys the program answers: those of the terminal's table and those of
// the accelerators.
enum class PcKey {
    None,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Minus, Period, Comma,
    Return,  // the main Enter key
    Enter,   // the numeric keypad's Enter key
    Escape, Backspace, Tab,
    Left, Up, Right, Down,
    F1, F2, F4, F10,
    LetterE, LetterN, LetterO, LetterS,
};

// Flags, or-ed together.
using PcModifiers = unsigned;
inline constexpr PcModifiers kNoModifier = 0;
inline constexpr PcModifiers kShiftModifier = 1;
inline constexpr PcModifiers kControlModifier = 2;
inline constexpr PcModifiers kAltModifier = 4;
inline constexpr PcModifiers kMetaModifier = 8;
inline constexpr PcModifiers kKeypadModifier = 16;  // the key is on the numeric keypad

struct PcKeyBinding {
    PcKey key;
    bool keypad;  // only on the numeric keypad; otherwise either
    int code;     // the terminal key, 1..23
};

// Digits, '-', '.', both Enter keys, Esc, Backspace, the arrows, Tab for
// ALPHA, F2 for FN and F10 for POWER.
std::span<const PcKeyBinding> pcKeyboard();

// The terminal key a PC key works; 0 for none (and for any key held with
// Ctrl, Alt or Meta, which belong to the accelerators).
int terminalKeyFor(PcKey key, PcModifiers modifiers);

// A point of the picture that a click on the key hits, in client pixels;
// (-1, -1) for a code that is no key.
Point clickPointOf(int code);

// What the keyboard does, in a few lines (UTF-8), for the picture's tooltip.
const char* keyboardHint();

}  // namespace appgen::simulator
