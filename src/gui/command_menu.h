// The shell's command menu and accelerators as Qt builds them.
#pragma once

#include <QKeySequence>
#include <QMenu>

#include "shell/command_menu.h"

namespace appgen::gui {

// The menu as Qt actions; each command action carries its identifier as data.
void fillCommandMenu(QMenu& menu);

// The identifier of a chosen action, 0 for none.
int commandOf(const QAction* action);

// An accelerator's keys.
QKeySequence keySequenceOf(const shell::Accelerator& accelerator);

}  // namespace appgen::gui
