#include "gui/pc_keyboard.h"

#include <QRect>
#include <array>

#include "simulator/key_codes.h"
#include "simulator/keypad.h"

namespace appgen::gui {
namespace {

using namespace appgen::simulator;

constexpr PcKey kKeys[] = {
    {Qt::Key_1, false, 1},
    {Qt::Key_2, false, 2},
    {Qt::Key_3, false, 3},
    {Qt::Key_4, false, 4},
    {Qt::Key_5, false, 5},
    {Qt::Key_6, false, 6},
    {Qt::Key_7, false, 7},
    {Qt::Key_8, false, 8},
    {Qt::Key_9, false, 9},
    {Qt::Key_0, false, kKey0},
    {Qt::Key_Minus, false, kKeyDash},
    {Qt::Key_Period, false, kKeyDot},
    // The keypad's decimal key gives a comma in the Russian layout.
    {Qt::Key_Comma, true, kKeyDot},
    {Qt::Key_Return, false, kKeyEnter},
    {Qt::Key_Enter, true, kKeyRightEnter},
    {Qt::Key_Escape, false, kKeyEsc},
    {Qt::Key_Backspace, false, kKeyBackspace},
    {Qt::Key_Left, false, kKeyLeft},
    {Qt::Key_Up, false, kKeyUp},
    {Qt::Key_Right, false, kKeyRight},
    {Qt::Key_Down, false, kKeyDown},
    {Qt::Key_Tab, false, kKeyAlpha},
    {Qt::Key_F2, false, kKeyFn},
    {Qt::Key_F10, false, kKeyPower},
};

}  // namespace

std::span<const PcKey> pcKeyboard() { return kKeys; }

int terminalKeyFor(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    const bool keypad = modifiers & Qt::KeypadModifier;
    for (const PcKey& k : kKeys)
        if (k.key == qtKey && (keypad || !k.keypad)) return k.code;
    return 0;
}

QPoint clickPointOf(int code) {
    // The middle of the points that hit the key, found once; every key's
    // hit area is a rectangle, so its middle hits it too.
    static const std::array<QPoint, kKeyCount + 1> points = [] {
        std::array<QRect, kKeyCount + 1> areas{};
        for (int y = 0; y < 459; ++y)
            for (int x = 0; x < 200; ++x)
                if (const int c = keyAt(x, y).code) areas[static_cast<std::size_t>(c)] |= QRect(x, y, 1, 1);
        std::array<QPoint, kKeyCount + 1> out{};
        for (std::size_t c = 0; c < areas.size(); ++c) out[c] = areas[c].center();
        return out;
    }();
    return code >= 1 && code <= kKeyCount ? points[static_cast<std::size_t>(code)] : QPoint(-1, -1);
}

QString keyboardHint() {
    return QStringLiteral(
        "Клавиатура ПК: цифры, «-» и «.»; Enter — ввод (Enter цифрового блока — правый ввод);\n"
        "Esc; Backspace — забой; стрелки; Tab — ALPHA; F2 — FN; F10 — POWER (меню команд).\n"
        "Правая кнопка мыши — меню команд; F1 — справка.");
}

}  // namespace appgen::gui
