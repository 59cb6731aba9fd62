#include "gui/command_menu.h"

#include "gui/pc_keyboard.h"

namespace appgen::gui {
namespace {

void addEntries(QMenu& menu, const std::vector<shell::MenuEntry>& entries) {
    using Kind = shell::MenuEntry::Kind;
    for (const shell::MenuEntry& e : entries) {
        switch (e.kind) {
            case Kind::Separator: menu.addSeparator(); break;
            case Kind::Submenu: addEntries(*menu.addMenu(QString::fromUtf8(e.text)), e.items); break;
            case Kind::Command: menu.addAction(QString::fromUtf8(e.text))->setData(e.command); break;
        }
    }
}

}  // namespace

void fillCommandMenu(QMenu& menu) { addEntries(menu, shell::commandMenuEntries()); }

int commandOf(const QAction* action) { return action ? action->data().toInt() : 0; }

QKeySequence keySequenceOf(const shell::Accelerator& a) {
    return QKeySequence(QKeyCombination(qtModifiersOf(a.modifiers), Qt::Key(qtKeyOf(a.key))));
}

}  // namespace appgen::gui
