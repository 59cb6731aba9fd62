// The command menu the terminal picture opens on a right click and on the
// power key: its items in order with their texts and command identifiers.
#pragma once

#include <QMenu>
#include <vector>

namespace appgen::gui {

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu } kind = Kind::Command;
    const char* text = "";  // UTF-8; a tab parts the text from its accelerator
    int command = 0;
    std::vector<MenuEntry> items{};  // a submenu's commands
};

const std::vector<MenuEntry>& commandMenuEntries();

// The menu as Qt actions; each command action carries its identifier as data.
void fillCommandMenu(QMenu& menu);

// The identifier of a chosen action, 0 for none.
int commandOf(const QAction* action);

}  // namespace appgen::gui
