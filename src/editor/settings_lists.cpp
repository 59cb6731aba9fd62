#include "editor/settings_lists.h"

#include <initializer_list>
#include <string>

namespace appgen::editor {
List fnKeyList() {
    List out;
    for (int k = 0; k <= 9; ++k) out.push_back(" FN+" + std::to_string(k));
    return out;
}

List fnFunctionList() {
    return texts({"nil", "Collect data", "Upload data", "Utilities", "Prog. Settings",
                  "Browse Data", "Delete Data", "Reader Test", "Set Date & Time",
                  "Load Application", "Memory & Power", "Load Lookup File", "Upload Interface",
                  "Download Interface", "Transmission Speed", "Backlight", "Set Data Delete",
                  "Entry Options", "View Settings"});
}

List uploadPortList() {
    return texts({"Direct-RS232", "Cradle-IR", "IrDA", "Keyboard Wedge", "Modem"});
}

List downloadPortList() { return texts({"Direct-RS232", "Cradle-IR", "IrDA", "Modem"}); }

List terminalBaudList() {
    return texts({"115200 bps", "57600 bps", "38400 bps", "19200 bps", "9600 bps"});
}

List backlightList() { return texts({"Turn off", "Turn on"}); }

List dataDeletionList() { return texts({"Manual", "Automatic"}); }

List entryMessageList() { return texts({"No prompt", "Show record count", "Show record"}); }

List keyboardTypeList() {
    return texts({"PCAT (USA)",
                  "PCAT (French)",
                  "PCAT (German)",
                  "PCAT (Italian)",
                  "PCAT (Swedish)",
                  "PCAT (Norwegian)",
                  "PCAT (UK)",
                  "PCAT (Belgium)",
                  "PCAT (Spanish)",
                  "PCAT (Portuguese)",
                  "PS55 A01-1",
                  "PS55 A01-2",
                  "PS55 A01-3",
                  "PS55 001-1",
                  "PS55 001-81",
                  "PS55 001-2",
                  "PS55 001-82",
                  "PS55 001-3",
                  "PS55 001-8A",
                  "PS55 002-1, 003-1",
                  "PS55 002-81, 003-81",
                  "PS55 002-2, 003-2",
                  "PS55 002-82, 003-82",
                  "PS55 002-3, 003-3",
                  "PS55 002-8A, 003-8A",
                  "IBM 3477 TYPE 4",
                  "PS2-30",
                  "Memorex Telex 122 Keys",
                  "PCXT",
                  "IBM 5550",
                  "Macintosh (ADB)",
                  "PCAT (Swiss)"});
}

}  // namespace appgen::editor
