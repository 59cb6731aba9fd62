#include "link/image_normalize.h"

#include <cstring>

namespace appgen::link {
namespace {

constexpr std::size_t kMenuSlot = 21;

}  // namespace

int menuWidth(const MenuDef& m) { return m.font != 0 ? 15 : 20; }

void padText(char* slot, int width) {
    const auto w = static_cast<std::size_t>(width);
    const void* nul = std::memchr(slot, 0, w);
    const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - slot) : w;
    std::memset(slot + len, ' ', w - len);
    slot[w] = '\0';
}

bool hasVisibleText(const char* slot, int width) {
    for (int i = 0; i < width && slot[i] != '\0'; ++i)
        if (static_cast<unsigned char>(slot[i]) > 0x20) return true;
    return false;
}

u8 lastInputLine(const FormDef& f) {
    u8 last = 0;
    for (int i = 0; i < kFormLines; ++i)
        if (f.lineType[i] >= kLineText && f.lineType[i] <= kLineLogical) last = static_cast<u8>(i + 1);
    return last;
}

void normalizeForCompile(Project& p) {
    normalizeForms(p);
    for (int k = 0; k < kMenuCount; ++k) {
        MenuDef& m = p.menus[k];
        const int width = menuWidth(m);
        static_assert(sizeof(m.title) == kMenuSlot && sizeof(m.itemText[0]) == kMenuSlot);
        // A hidden title keeps its bytes exactly as the editor left them.
        if (m.titleOn != 0) padText(m.title, width);
        u8 count = 0;
        for (auto& item : m.itemText) {
            // Counted before padding: the padding itself is spaces only.
            if (hasVisibleText(item, width)) ++count;
            padText(item, width);
        }
        m.itemCount = count;
        // normalizeForms() has just cleared prompts and lookup links by line
        // type, and nothing since has changed a line type, so the second pass
        // over the same rules would change nothing.
        p.forms[k].lastInputLine = lastInputLine(p.forms[k]);
    }
}

}  // namespace appgen::link
