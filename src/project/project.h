// The Project record: the whole design of one terminal program, one fixed-size
// block after another. The in-memory layout is the file layout, so every block
// is a plain struct of single bytes and every size and offset is asserted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace appgen {

using u8 = std::uint8_t;

inline constexpr int kFormCount = 10;
inline constexpr int kMenuCount = 10;
inline constexpr int kLookupCount = 3;
inline constexpr int kFormLines = 8;
inline constexpr int kMenuItems = 10;
inline constexpr int kLookupFields = 8;
inline constexpr int kMaxFieldLen = 50;

// Target codes: where the terminal goes next.
inline constexpr u8 kTargetMainMenu = 0;
inline constexpr u8 kTargetFirstForm = 1;   // 1..10 = form 1..10
inline constexpr u8 kTargetFirstMenu = 11;  // 11..20 = menu 1..10
inline constexpr u8 kTargetLast = 20;

enum LineType : u8 {
    kLineEmpty = 0,
    kLineText = 1,
    kLineInteger = 2,
    kLineDecimal = 3,
    kLineLetters = 4,
    kLineSigned = 5,
    kLineLogical = 6,
    kLineLookup = 7,
    kLineFixed = 8,
    kLineLabel = 9,
    kLineCounter = 10,
    kLinePrevious = 11,
    kLineContinuation = 12,
};

struct FormatTag {
    char text[10];
};
static_assert(sizeof(FormatTag) == 10);

struct PortSettings {
    u8 comPort;   // 0..5 = COM1..COM6
    u8 baudRate;  // 0..4 = 115200, 57600, 38400, 19200, 9600
};
static_assert(sizeof(PortSettings) == 2);
static_assert(offsetof(PortSettings, baudRate) == 1);

// Option bits of the barcode reader; the Barcode page gives each bit its meaning.
struct BarcodeSettings {
    u8 bytes[23];
};
static_assert(sizeof(BarcodeSettings) == 23);

struct MenuDef {
    u8 font;
    u8 titleOn;
    char title[21];
    char itemText[kMenuItems][21];
    u8 escTarget;
    u8 itemTarget[kMenuItems];
    u8 saveTitle;
    u8 saveItem;
    u8 sendOn;
    u8 itemCount;  // derived by the compile step
    u8 selection;  // simulator run-time
    u8 scratch;    // simulator run-time
    u8 reserved[100];
};
static_assert(sizeof(MenuDef) == 350);
static_assert(offsetof(MenuDef, font) == 0);
static_assert(offsetof(MenuDef, titleOn) == 1);
static_assert(offsetof(MenuDef, title) == 2);
static_assert(offsetof(MenuDef, itemText) == 23);
static_assert(offsetof(MenuDef, escTarget) == 233);
static_assert(offsetof(MenuDef, itemTarget) == 234);
static_assert(offsetof(MenuDef, saveTitle) == 244);
static_assert(offsetof(MenuDef, saveItem) == 245);
static_assert(offsetof(MenuDef, sendOn) == 246);
static_assert(offsetof(MenuDef, itemCount) == 247);
static_assert(offsetof(MenuDef, selection) == 248);
static_assert(offsetof(MenuDef, scratch) == 249);
static_assert(offsetof(MenuDef, reserved) == 250);

struct FormDef {
    u8 font;
    u8 escTarget;
    u8 nextTarget;
    u8 stampPosition;  // 0 none, 1 at the start, 2 at the end of the record
    u8 stampSplit;
    u8 stampYear;
    u8 stampYearDigits;  // 0 four digits, 1 two
    u8 stampMonth;
    u8 stampDay;
    u8 stampDateSepOn;
    char stampDateSep[2];
    u8 stampDateOrder;  // 0 Y.M.D, 1 M.D.Y, 2 D.M.Y
    u8 stampHours;
    u8 stampMinutes;
    u8 stampSeconds;
    u8 stampTimeSepOn;
    char stampTimeSep[2];
    u8 recordAction;
    u8 lookupSearch;  // 0 none, 1..3 lookup 1..3
    // Per-line fields, one array each.
    u8 searchIn[kFormLines];
    u8 lineType[kFormLines];
    char prompt[kFormLines][21];
    u8 source[kFormLines];
    u8 minLen[kFormLines];
    u8 maxLen[kFormLines];
    u8 fixedLenOn[kFormLines];
    u8 align[kFormLines];
    u8 fixedLen[kFormLines];
    u8 initialOn[kFormLines];
    char initialValue[kFormLines][10];
    u8 prefixOn[kFormLines];
    char prefix[kFormLines][10];
    u8 suffixOn[kFormLines];
    char suffix[kFormLines][10];
    u8 partialOn[kFormLines];
    u8 partialStart[kFormLines];
    u8 partialLen[kFormLines];
    u8 checkPrefixOn[kFormLines];
    char checkPrefix[kFormLines][6];
    u8 autoEnter[kFormLines];
    u8 inputMark[kFormLines];
    char lineText[kFormLines][50];
    u8 lastInputLine;  // derived by the compile step
    u8 currentLine;    // simulator run-time
    u8 reserved[200];
};
static_assert(sizeof(FormDef) == 1215);
static_assert(offsetof(FormDef, escTarget) == 1);
static_assert(offsetof(FormDef, nextTarget) == 2);
static_assert(offsetof(FormDef, stampPosition) == 3);
static_assert(offsetof(FormDef, stampSplit) == 4);
static_assert(offsetof(FormDef, stampYear) == 5);
static_assert(offsetof(FormDef, stampYearDigits) == 6);
static_assert(offsetof(FormDef, stampMonth) == 7);
static_assert(offsetof(FormDef, stampDay) == 8);
static_assert(offsetof(FormDef, stampDateSepOn) == 9);
static_assert(offsetof(FormDef, stampDateSep) == 10);
static_assert(offsetof(FormDef, stampDateOrder) == 12);
static_assert(offsetof(FormDef, stampHours) == 13);
static_assert(offsetof(FormDef, stampMinutes) == 14);
static_assert(offsetof(FormDef, stampSeconds) == 15);
static_assert(offsetof(FormDef, stampTimeSepOn) == 16);
static_assert(offsetof(FormDef, stampTimeSep) == 17);
static_assert(offsetof(FormDef, recordAction) == 19);
static_assert(offsetof(FormDef, lookupSearch) == 20);
static_assert(offsetof(FormDef, searchIn) == 21);
static_assert(offsetof(FormDef, lineType) == 29);
static_assert(offsetof(FormDef, prompt) == 37);
static_assert(offsetof(FormDef, source) == 205);
static_assert(offsetof(FormDef, minLen) == 213);
static_assert(offsetof(FormDef, maxLen) == 221);
static_assert(offsetof(FormDef, fixedLenOn) == 229);
static_assert(offsetof(FormDef, align) == 237);
static_assert(offsetof(FormDef, fixedLen) == 245);
static_assert(offsetof(FormDef, initialOn) == 253);
static_assert(offsetof(FormDef, initialValue) == 261);
static_assert(offsetof(FormDef, prefixOn) == 341);
static_assert(offsetof(FormDef, prefix) == 349);
static_assert(offsetof(FormDef, suffixOn) == 429);
static_assert(offsetof(FormDef, suffix) == 437);
static_assert(offsetof(FormDef, partialOn) == 517);
static_assert(offsetof(FormDef, partialStart) == 525);
static_assert(offsetof(FormDef, partialLen) == 533);
static_assert(offsetof(FormDef, checkPrefixOn) == 541);
static_assert(offsetof(FormDef, checkPrefix) == 549);
static_assert(offsetof(FormDef, autoEnter) == 597);
static_assert(offsetof(FormDef, inputMark) == 605);
static_assert(offsetof(FormDef, lineText) == 613);
static_assert(offsetof(FormDef, lastInputLine) == 1013);
static_assert(offsetof(FormDef, currentLine) == 1014);
static_assert(offsetof(FormDef, reserved) == 1015);

struct LookupDef {
    u8 recLen;
    u8 fieldCount;
    u8 keyField;
    u8 fieldOffset[kLookupFields];  // 1-based
    u8 fieldLen[kLookupFields];
    u8 separator;  // 0 = fixed-length fields
    u8 uploadAllowed;
    u8 notFound;
    u8 reserved[100];
};
static_assert(sizeof(LookupDef) == 122);
static_assert(offsetof(LookupDef, fieldCount) == 1);
static_assert(offsetof(LookupDef, keyField) == 2);
static_assert(offsetof(LookupDef, fieldOffset) == 3);
static_assert(offsetof(LookupDef, fieldLen) == 11);
static_assert(offsetof(LookupDef, separator) == 19);
static_assert(offsetof(LookupDef, uploadAllowed) == 20);
static_assert(offsetof(LookupDef, notFound) == 21);
static_assert(offsetof(LookupDef, reserved) == 22);

struct StartupScreen {
    char line[4][16];
};
static_assert(sizeof(StartupScreen) == 64);

// One group of the terminal's own screen texts: Rows slots of Slot bytes.
template <int Rows, int Slot>
struct MessageGroup {
    static constexpr int kRows = Rows;
    static constexpr int kSlot = Slot;
    char row[Rows][Slot];
};

struct SystemMessages {
    MessageGroup<4, 16> mainMenu;           // 0
    MessageGroup<8, 21> utilities;          // 1
    MessageGroup<4, 16> deleteData;         // 2
    MessageGroup<4, 16> confirm;            // 3
    MessageGroup<4, 16> memoryPower;        // 4
    MessageGroup<7, 16> loadLookup;         // 5
    MessageGroup<8, 21> settings;           // 6
    MessageGroup<6, 21> uploadPort;         // 7
    MessageGroup<6, 21> downloadPort;       // 8
    MessageGroup<5, 21> baudRate;           // 9
    MessageGroup<4, 21> backlight;          // 10
    MessageGroup<4, 21> dataDeletion;       // 11
    MessageGroup<6, 21> entryOptions;       // 12
    MessageGroup<8, 21> viewSettings;       // 13
    MessageGroup<3, 16> systemFault;        // 14
    MessageGroup<5, 16> uploadData;         // 15
    MessageGroup<4, 21> setPhoneNumber;     // 16
    MessageGroup<5, 16> saveRecord;         // 17
    MessageGroup<5, 16> deleteRecord;       // 18
    MessageGroup<3, 16> autoDeleteData;     // 19
    MessageGroup<2, 16> setPassword;        // 20
    MessageGroup<4, 16> connecting;         // 21
    MessageGroup<3, 16> modemConnection;    // 22
    MessageGroup<6, 21> errorMessages;      // 23
    MessageGroup<8, 16> miscellaneous;      // 24
    MessageGroup<3, 21> miscContinuous;     // 25
};
static_assert(sizeof(SystemMessages) == 2404);
static_assert(offsetof(SystemMessages, utilities) == 64);
static_assert(offsetof(SystemMessages, deleteData) == 232);
static_assert(offsetof(SystemMessages, confirm) == 296);
static_assert(offsetof(SystemMessages, memoryPower) == 360);
static_assert(offsetof(SystemMessages, loadLookup) == 424);
static_assert(offsetof(SystemMessages, settings) == 536);
static_assert(offsetof(SystemMessages, uploadPort) == 704);
static_assert(offsetof(SystemMessages, downloadPort) == 830);
static_assert(offsetof(SystemMessages, baudRate) == 956);
static_assert(offsetof(SystemMessages, backlight) == 1061);
static_assert(offsetof(SystemMessages, dataDeletion) == 1145);
static_assert(offsetof(SystemMessages, entryOptions) == 1229);
static_assert(offsetof(SystemMessages, viewSettings) == 1355);
static_assert(offsetof(SystemMessages, systemFault) == 1523);
static_assert(offsetof(SystemMessages, uploadData) == 1571);
static_assert(offsetof(SystemMessages, setPhoneNumber) == 1651);
static_assert(offsetof(SystemMessages, saveRecord) == 1735);
static_assert(offsetof(SystemMessages, deleteRecord) == 1815);
static_assert(offsetof(SystemMessages, autoDeleteData) == 1895);
static_assert(offsetof(SystemMessages, setPassword) == 1943);
static_assert(offsetof(SystemMessages, connecting) == 1975);
static_assert(offsetof(SystemMessages, modemConnection) == 2039);
static_assert(offsetof(SystemMessages, errorMessages) == 2087);
static_assert(offsetof(SystemMessages, miscellaneous) == 2213);
static_assert(offsetof(SystemMessages, miscContinuous) == 2341);

struct WedgeSettings {
    u8 keyboardType;
    u8 wedgeFlags;
    u8 wedgeCharDelay;
    u8 wedgeTimeout;
    u8 wedgeAppendCrLf;
    u8 reserved[50];
};
static_assert(sizeof(WedgeSettings) == 55);
static_assert(offsetof(WedgeSettings, wedgeFlags) == 1);
static_assert(offsetof(WedgeSettings, wedgeCharDelay) == 2);
static_assert(offsetof(WedgeSettings, wedgeTimeout) == 3);
static_assert(offsetof(WedgeSettings, wedgeAppendCrLf) == 4);
static_assert(offsetof(WedgeSettings, reserved) == 5);

inline constexpr int kProtectCount = 12;
inline constexpr int kFnKeyCount = 10;

struct TerminalSettings {
    u8 settingsFlag;
    u8 startWith;
    u8 separator1;
    u8 separator2;
    u8 separateFiles;
    u8 uploadPort;
    char phoneNumber[21];
    u8 downloadPort;
    u8 terminalBaud;
    u8 backlightOn;
    u8 backlightSeconds;
    u8 autoDelete;
    u8 entryMessage;
    u8 messageDuration;
    u8 protect[kProtectCount];
    char password[12];
    u8 fnKeys[kFnKeyCount];
    u8 bigFont;
    u8 reserved[199];
};
static_assert(sizeof(TerminalSettings) == 268);
static_assert(offsetof(TerminalSettings, startWith) == 1);
static_assert(offsetof(TerminalSettings, separator1) == 2);
static_assert(offsetof(TerminalSettings, separator2) == 3);
static_assert(offsetof(TerminalSettings, separateFiles) == 4);
static_assert(offsetof(TerminalSettings, uploadPort) == 5);
static_assert(offsetof(TerminalSettings, phoneNumber) == 6);
static_assert(offsetof(TerminalSettings, downloadPort) == 27);
static_assert(offsetof(TerminalSettings, terminalBaud) == 28);
static_assert(offsetof(TerminalSettings, backlightOn) == 29);
static_assert(offsetof(TerminalSettings, backlightSeconds) == 30);
static_assert(offsetof(TerminalSettings, autoDelete) == 31);
static_assert(offsetof(TerminalSettings, entryMessage) == 32);
static_assert(offsetof(TerminalSettings, messageDuration) == 33);
static_assert(offsetof(TerminalSettings, protect) == 34);
static_assert(offsetof(TerminalSettings, password) == 46);
static_assert(offsetof(TerminalSettings, fnKeys) == 58);
static_assert(offsetof(TerminalSettings, bigFont) == 68);
static_assert(offsetof(TerminalSettings, reserved) == 69);

struct Reserved {
    u8 bytes[100];
};
static_assert(sizeof(Reserved) == 100);

// The whole record, in file order.
struct Project {
    FormatTag formatTag;
    PortSettings port;
    BarcodeSettings barcode;
    MenuDef menus[kMenuCount];
    FormDef forms[kFormCount];
    LookupDef lookups[kLookupCount];
    StartupScreen startupScreen;
    SystemMessages messages;
    WedgeSettings wedge;
    TerminalSettings terminal;
    Reserved reserved;  // written as zeros, never read
};
inline constexpr std::size_t kProjectFileSize = 18942;
static_assert(sizeof(Project) == kProjectFileSize);
static_assert(offsetof(Project, port) == 10);
static_assert(offsetof(Project, barcode) == 12);
static_assert(offsetof(Project, menus) == 35);
static_assert(offsetof(Project, forms) == 3535);
static_assert(offsetof(Project, lookups) == 15685);
static_assert(offsetof(Project, startupScreen) == 16051);
static_assert(offsetof(Project, messages) == 16115);
static_assert(offsetof(Project, wedge) == 18519);
static_assert(offsetof(Project, terminal) == 18574);
static_assert(offsetof(Project, reserved) == 18842);
static_assert(alignof(Project) == 1);

// State kept beside the record: the unsaved-changes flag and the file name.
// The file name holds at most kMaxFileName characters, as the original's buffer did.
inline constexpr std::size_t kMaxFileName = 255;

struct Workspace {
    Project project{};
    bool modified = false;
    std::string fileName;  // current project file, empty when none

    void setModified() { modified = true; }
    void clearModified() { modified = false; }
    bool isModified() const { return modified; }
};

// Installs the barcode reader defaults; some bits keep their values.
void resetBarcodeSettings(Project& p);
// Installs the defaults of every block but the barcode and port settings.
void resetProject(Project& p);
// Form `index` (0-based) as a fresh project holds it: it continues with the
// next form.
void resetForm(FormDef& f, int index);
// One menu's and one lookup's defaults, as a fresh project and the pages'
// "Сброс" give them; the 100 unused bytes at their ends are left.
void resetMenu(MenuDef& m);
void resetLookup(LookupDef& l);
// Four lines on big-font forms, lengths in range, prompts only where they mean something.
void normalizeForms(Project& p);
// Derives continuation-line lengths and clears empty lines; returns the number
// of entries of the terminal's Utilities menu (8 with lookup 1 defined, else 7).
int fixContinuationLines(Project& p);
// The Utilities entry count alone, as fixContinuationLines derives it.
int utilitiesEntryCount(const Project& p);

}  // namespace appgen
