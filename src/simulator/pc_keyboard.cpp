#include "simulator/pc_keyboard.h"

#include <algorithm>
#include <array>

#include "simulator/key_codes.h"
#include "simulator/terminal_layout.h"

namespace appgen::simulator {
namespace {

constexpr PcKeyBinding kKeys[] = {
    {PcKey::Digit1, false, 1},
    {PcKey::Digit2, false, 2},
    {PcKey::Digit3, false, 3},
    {PcKey::Digit4, false, 4},
    {PcKey::Digit5, false, 5},
    {PcKey::Digit6, false, 6},
    {PcKey::Digit7, false, 7},
    {PcKey::Digit8, false, 8},
    {PcKey::Digit9, false, 9},
    {PcKey::Digit0, false, kKey0},
    {PcKey::Minus, false, kKeyDash},
    {PcKey::Period, false, kKeyDot},
    // The keypad's decimal key gives a comma in the Russian layout.
    {PcKey::Comma, true, kKeyDot},
    {PcKey::Return, false, kKeyEnter},
    {PcKey::Enter, true, kKeyRightEnter},
    {PcKey::Escape, false, kKeyEsc},
    {PcKey::Backspace, false, kKeyBackspace},
    {PcKey::Left, false, kKeyLeft},
    {PcKey::Up, false, kKeyUp},
    {PcKey::Right, false, kKeyRight},
    {PcKey::Down, false, kKeyDown},
    {PcKey::Tab, false, kKeyAlpha},
    {PcKey::F2, false, kKeyFn},
    {PcKey::F10, false, kKeyPower},
};

}  // namespace

std::span<const PcKeyBinding> pcKeyboard() { return kKeys; }

int terminalKeyFor(PcKey key, PcModifiers modifiers) {
    if (modifiers & (kControlModifier | kAltModifier | kMetaModifier)) return 0;
    const bool keypad = (modifiers & kKeypadModifier) != 0;
    for (const PcKeyBinding& k : kKeys)
        if (k.key == key && (keypad || !k.keypad)) return k.code;
    return 0;
}

Point clickPointOf(int code) {
    // The middle of the points that hit the key, found once; every key's hit
    // area is a rectangle, so its middle hits it too.
    static const std::array<Point, kKeyCount + 1> points = [] {
        struct Span {
            int left = kTerminalWidth, top = kTerminalHeight, right = -1, bottom = -1;  // inclusive
        };
        std::array<Span, kKeyCount + 1> areas{};
        for (int y = 0; y < kTerminalHeight; ++y)
            for (int x = 0; x < kTerminalWidth; ++x)
                if (const int c = keyAt(x, y).code) {
                    Span& s = areas[static_cast<std::size_t>(c)];
                    s = {std::min(s.left, x), std::min(s.top, y), std::max(s.right, x), std::max(s.bottom, y)};
                }
        std::array<Point, kKeyCount + 1> out{};
        for (std::size_t c = 0; c < areas.size(); ++c)
            out[c] = {(areas[c].left + areas[c].right) / 2, (areas[c].top + areas[c].bottom) / 2};
        return out;
    }();
    return code >= 1 && code <= kKeyCount ? points[static_cast<std::size_t>(code)] : Point{-1, -1};
}

const char* keyboardHint() {
    return "Клавиатура ПК: цифры, «-» и «.»; Enter — ввод (Enter цифрового блока — правый ввод);\n"
           "Esc; Backspace — забой; стрелки; Tab — ALPHA; F2 — FN; F10 — POWER (меню команд).\n"
           "Правая кнопка мыши — меню команд; F1 — справка.";
}

}  // namespace appgen::simulator
