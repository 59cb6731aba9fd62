// Qt's key codes and modifiers as the core's PC keys, both ways.
#pragma once

#include <QString>
#include <Qt>

#include "simulator/pc_keyboard.h"

namespace appgen::gui {

simulator::PcKey pcKeyOf(int qtKey);
int qtKeyOf(simulator::PcKey key);
simulator::PcModifiers pcModifiersOf(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers qtModifiersOf(simulator::PcModifiers modifiers);

// The terminal key a Qt key works; 0 for none.
int terminalKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

// What the keyboard does, for the picture's tooltip.
QString keyboardHint();

}  // namespace appgen::gui
