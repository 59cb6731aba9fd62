// The entries of the Settings page's lists and of its two dialogs, in code
// order, as Windows-1251 bytes. The index of an entry is the value stored.
#pragma once

#include "editor/editor_lists.h"

namespace appgen::editor {

List fnKeyList();          // " FN+0" .. " FN+9"
List fnFunctionList();     // "nil", "Collect data" .. "View Settings", 19 entries
List uploadPortList();     // "Direct-RS232", "Cradle-IR", "IrDA", "Keyboard Wedge", "Modem"
List downloadPortList();   // "Direct-RS232", "Cradle-IR", "IrDA", "Modem"
List terminalBaudList();   // "115200 bps" .. "9600 bps"
List backlightList();      // "Turn off", "Turn on"
List dataDeletionList();   // "Manual", "Automatic"
List entryMessageList();   // "No prompt", "Show record count", "Show record"
List keyboardTypeList();   // the 32 keyboards a wedge can imitate

}  // namespace appgen::editor
