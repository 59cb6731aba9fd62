// The 26 groups of the terminal's own screen texts: order, slot widths, rows,
// list names and the two default tables (Russian, and English for the big font).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "project/project.h"

namespace appgen {

inline constexpr int kMessageGroupCount = 26;

struct MessageGroupInfo {
    const char* name;      // as listed without the big font, "Utilities (8x20)"
    int slot;              // 16 ("x15") or 21 ("x20")
    int slots;             // slots stored in the project
    int rows;              // rows the operator edits
    int rowsBigFont;       // the same with the big font
    std::size_t offset;    // offset of the group inside SystemMessages
};

const MessageGroupInfo& messageGroup(int group);

// "x20" groups have 21-byte slots and English big-font defaults.
inline bool isWideGroup(int group) { return messageGroup(group).slot == 21; }
int editableRows(int group, bool bigFont);
int maxRowLength(int group, bool bigFont);
// "Utilities (8x20)", or with the big font "Utilities (8x15)" (UTF-8).
std::string groupListName(int group, bool bigFont);

// Slot `row` of `group` inside the project; row < slots.
char* messageSlot(Project& p, int group, int row);
const char* messageSlot(const Project& p, int group, int row);

// Default texts in Windows-1251, padded with spaces as the defaults are stored.
// The Russian table has a text for every slot of every group.
std::string_view russianDefault(int group, int row);
// The English big-font table has rows only for the "x20" groups.
int bigFontDefaultRows(int group);
std::string_view bigFontDefault(int group, int row);
// The default the Startup page shows for a row in the given font state.
std::string_view defaultMessage(int group, int row, bool bigFont);

// The four start-up screen lines, 15 characters each, in Windows-1251.
std::string_view startupScreenDefault(int line);

}  // namespace appgen
