// The run of the project: preparing it, following targets, and its menus.
#include "project/text.h"
#include "simulator/display_line.h"
#include "simulator/key_codes.h"
#include "simulator/simulator.h"

namespace appgen::simulator {
namespace {

bool isDataLine(u8 type) { return type >= kLineText && type <= kLineLogical; }

// Items that show something: a character above the space within the width.
int visibleItems(const MenuDef& m) {
    const std::size_t width = m.font != 0 ? 15 : 20;
    int count = 0;
    for (const auto& item : m.itemText) {
        const std::string_view text = slotText(item).substr(0, width);
        for (char c : text) {
            if (static_cast<unsigned char>(c) > 32) {
                ++count;
                break;
            }
        }
    }
    return count;
}

}  // namespace

void Simulator::prepareRun() {
    for (auto& m : project_.menus) m.itemCount = static_cast<u8>(visibleItems(m));
    for (auto& f : project_.forms) {
        int last = 0;
        for (int i = 0; i < kFormLines; ++i) {
            const u8 type = f.lineType[i];
            if (type == kLineEmpty || type == kLineContinuation) {
                f.prompt[i][0] = '\0';
                f.searchIn[i] = 0;
            } else if (type >= kLineFixed) {
                f.searchIn[i] = 0;
            }
            if (isDataLine(type)) last = i + 1;
        }
        f.lastInputLine = static_cast<u8>(last);
    }
}

void Simulator::goToTarget(int target, bool keepSelection) {
    if (target == kTargetMainMenu) {
        display_.highlightLine = 1;
        showMainScreen(true);
    } else if (target >= kTargetFirstForm && target < kTargetFirstMenu) {
        startForm(target);
    } else if (target >= kTargetFirstMenu && target <= kTargetLast) {
        if (keepSelection)
            showMenu(target);
        else
            enterMenu(target);
    }
    // A target above 20 leads nowhere: the key has no effect.
}

MenuDef& Simulator::menu(int n) {
    const int index = n - kTargetFirstMenu;
    return project_.menus[(index >= 0 && index < kMenuCount) ? index : 0];
}

void Simulator::enterMenu(int n) {
    MenuDef& m = menu(n);
    m.selection = 0;
    m.scratch = 0;
    showMenu(n);
}

// The number of items a menu shows: seven below a title, else eight.
static int shownItems(const MenuDef& m) {
    const int room = m.titleOn != 0 ? 7 : 8;
    return m.itemCount < room ? m.itemCount : room;
}

void Simulator::showMenu(int n) {
    const MenuDef& m = menu(n);
    display_.state = SimState::MenuScreen;
    display_.currentScreen = n;
    display_.widePitch = false;
    int r = 0;
    if (m.titleOn != 0) setLine(line(r++), slotText(m.title));
    const int k = shownItems(m);
    for (int item = 0; item < k; ++item) setLine(line(r++), slotText(m.itemText[item]));
    for (; r < kDisplayLines; ++r) line(r).clear();
    display_.highlightLine = m.selection + (m.titleOn != 0 ? 2 : 1);
    repaintAll();
}

void Simulator::menuKey(int code) {
    const int n = display_.currentScreen;
    MenuDef& m = menu(n);
    int item = 0;  // 1-based item chosen by a digit key
    if (code >= 1 && code <= 9) item = code;
    if (code == kKey0) item = 10;
    if (item != 0) {
        if (item > m.itemCount) return;
        m.selection = static_cast<u8>(item - 1);
        goToTarget(m.itemTarget[item - 1], false);
        return;
    }
    switch (code) {
        case kKeyEnter:
        case kKeyRightEnter:
            // A selection byte from a file may point past the table.
            if (m.selection < kMenuItems) goToTarget(m.itemTarget[m.selection], false);
            break;
        case kKeyUp:
            if (m.selection > 0) {
                --m.selection;
                showMenu(n);
            }
            break;
        case kKeyDown:
            if (m.selection + 1 < shownItems(m)) {
                ++m.selection;
                showMenu(n);
            }
            break;
        case kKeyEsc: goToTarget(m.escTarget, true); break;
        default: break;
    }
}

}  // namespace appgen::simulator
