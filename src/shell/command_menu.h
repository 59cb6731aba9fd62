// The command menu the terminal picture opens on a right click and on the
// power key, and the accelerators of the terminal window: the items in order
// with their texts and command identifiers, as data each front end builds
// its own menu and shortcuts from.
#pragma once

#include <vector>

#include "simulator/pc_keyboard.h"

namespace appgen::shell {

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu } kind = Kind::Command;
    const char* text = "";  // UTF-8; a tab parts the text from its accelerator
    int command = 0;
    std::vector<MenuEntry> items{};  // a submenu's commands
};

// The menu's entries in the order shown.
const std::vector<MenuEntry>& commandMenuEntries();

// The commands that talk to the terminal: they run off the user-interface
// thread, and the window refuses every other command meanwhile.
bool isTransferCommand(int id);

// Not a command: the accelerator closes the window, as its close box does.
inline constexpr int kCloseWindow = -1;

struct Accelerator {
    simulator::PcKey key;
    simulator::PcModifiers modifiers;
    int command;  // or kCloseWindow
};

// Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+E as their menu items name them, Alt+F4 (a
// borderless window gets no close from every desktop on it) and F1 for the
// help, which has no menu item.
const std::vector<Accelerator>& terminalAccelerators();

}  // namespace appgen::shell
