#include "gui/pc_keyboard.h"

#include <utility>

namespace appgen::gui {
namespace {

using simulator::PcKey;

constexpr std::pair<Qt::Key, PcKey> kKeys[] = {
    {Qt::Key_0, PcKey::Digit0},       {Qt::Key_1, PcKey::Digit1},     {Qt::Key_2, PcKey::Digit2},
    {Qt::Key_3, PcKey::Digit3},       {Qt::Key_4, PcKey::Digit4},     {Qt::Key_5, PcKey::Digit5},
    {Qt::Key_6, PcKey::Digit6},       {Qt::Key_7, PcKey::Digit7},     {Qt::Key_8, PcKey::Digit8},
    {Qt::Key_9, PcKey::Digit9},       {Qt::Key_Minus, PcKey::Minus},  {Qt::Key_Period, PcKey::Period},
    {Qt::Key_Comma, PcKey::Comma},    {Qt::Key_Return, PcKey::Return}, {Qt::Key_Enter, PcKey::Enter},
    {Qt::Key_Escape, PcKey::Escape},  {Qt::Key_Backspace, PcKey::Backspace}, {Qt::Key_Tab, PcKey::Tab},
    {Qt::Key_Left, PcKey::Left},      {Qt::Key_Up, PcKey::Up},        {Qt::Key_Right, PcKey::Right},
    {Qt::Key_Down, PcKey::Down},      {Qt::Key_F1, PcKey::F1},        {Qt::Key_F2, PcKey::F2},
    {Qt::Key_F4, PcKey::F4},          {Qt::Key_F10, PcKey::F10},      {Qt::Key_E, PcKey::LetterE},
    {Qt::Key_N, PcKey::LetterN},      {Qt::Key_O, PcKey::LetterO},    {Qt::Key_S, PcKey::LetterS},
};

constexpr std::pair<Qt::KeyboardModifier, simulator::PcModifiers> kModifiers[] = {
    {Qt::ShiftModifier, simulator::kShiftModifier}, {Qt::ControlModifier, simulator::kControlModifier},
    {Qt::AltModifier, simulator::kAltModifier},     {Qt::MetaModifier, simulator::kMetaModifier},
    {Qt::KeypadModifier, simulator::kKeypadModifier},
};

}  // namespace

PcKey pcKeyOf(int qtKey) {
    for (const auto& [qt, pc] : kKeys)
        if (qt == qtKey) return pc;
    return PcKey::None;
}

int qtKeyOf(PcKey key) {
    for (const auto& [qt, pc] : kKeys)
        if (pc == key) return qt;
    return 0;
}

simulator::PcModifiers pcModifiersOf(Qt::KeyboardModifiers modifiers) {
    simulator::PcModifiers out = simulator::kNoModifier;
    for (const auto& [qt, pc] : kModifiers)
        if (modifiers & qt) out |= pc;
    return out;
}

Qt::KeyboardModifiers qtModifiersOf(simulator::PcModifiers modifiers) {
    Qt::KeyboardModifiers out;
    for (const auto& [qt, pc] : kModifiers)
        if (modifiers & pc) out |= qt;
    return out;
}

int terminalKeyFor(int qtKey, Qt::KeyboardModifiers modifiers) {
    return simulator::terminalKeyFor(pcKeyOf(qtKey), pcModifiersOf(modifiers));
}

QString keyboardHint() { return QString::fromUtf8(simulator::keyboardHint()); }

}  // namespace appgen::gui
