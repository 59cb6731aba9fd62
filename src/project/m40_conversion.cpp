#include "project/m40_conversion.h"

#include <cstring>
#include <string_view>

#include "project/m40_layout.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

class OldFile {
public:
    OldFile(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    // A block is converted only when the file reached all of it.
    bool has(std::size_t offset, std::size_t length) const { return offset + length <= size_; }
    u8 at(std::size_t offset) const { return data_[offset]; }
    const char* text(std::size_t offset) const {
        return reinterpret_cast<const char*>(data_ + offset);
    }

private:
    const unsigned char* data_;
    std::size_t size_;
};

// Old texts are NUL-terminated strings; a slot is never overrun.
void copyText(char* slot, std::size_t slotSize, const char* src, std::size_t srcSize) {
    setSlotText(slot, slotSize, slotText(src, srcSize));
}
void copyBytes(char* slot, std::size_t slotSize, const char* src, std::size_t srcSize) {
    setSlotBytes(slot, slotSize, slotText(src, srcSize));
}

void convertBarcode(const OldFile& f, Project& p) {
    if (!f.has(m40::kBarcode, m40::kBarcodeSize)) return;
    auto B = [&](int i) { return f.at(m40::kBarcode + static_cast<std::size_t>(i)); };
    u8* b = p.barcode.bytes;
    for (int i : {0, 1, 5, 6, 9, 10}) b[i] = B(i);
    for (int i = 12; i <= 22; ++i) b[i] = B(i);
    b[2] = static_cast<u8>((b[2] & 0x01) | (B(2) & ~0x01));
    b[7] = static_cast<u8>((b[7] & 0x07) | (B(7) & ~0x07));
    b[11] = static_cast<u8>((b[11] & 0x20) | (B(11) & ~0x20));
    p.wedge.keyboardType = B(3);
    p.wedge.wedgeFlags = B(4);
    p.wedge.wedgeCharDelay = B(8);
    p.wedge.wedgeTimeout = B(23);
}

void convertMenu(const char* o, MenuDef& m) {
    // Texts as strings (the bytes after their NUL stay), every other byte as it is.
    auto* rec = reinterpret_cast<char*>(&m);
    std::memcpy(rec, o, offsetof(MenuDef, title));
    std::memcpy(rec + offsetof(MenuDef, escTarget), o + offsetof(MenuDef, escTarget),
                m40::kMenuSize - offsetof(MenuDef, escTarget));
    copyText(m.title, sizeof m.title, o + offsetof(MenuDef, title), sizeof m.title);
    for (int i = 0; i < kMenuItems; ++i)
        copyText(m.itemText[i], 21, o + offsetof(MenuDef, itemText) + 21 * i, 21);
}

void setDate(FormDef& f, bool on) {
    f.stampYear = f.stampMonth = f.stampDay = f.stampDateSepOn = on ? 1 : 0;
    f.stampYearDigits = 0;
}
void setTime(FormDef& f, bool on) {
    f.stampHours = f.stampMinutes = f.stampSeconds = f.stampTimeSepOn = on ? 1 : 0;
}
void dateFromCode(FormDef& f, int d) {
    f.stampYear = f.stampMonth = f.stampDay = 1;
    f.stampYearDigits = 0;
    const int m6 = d % 6;
    f.stampDateSepOn = (m6 >= 1 && m6 <= 3) ? 1 : 0;
    const int m3 = d % 3;
    f.stampDateOrder = m3 == 1 ? 0 : m3 == 2 ? 1 : 2;
}
void timeFromCode(FormDef& f, int t) {
    f.stampHours = f.stampMinutes = 1;
    f.stampSeconds = static_cast<u8>(t % 2);
    const int m4 = t % 4;
    f.stampTimeSepOn = (m4 == 1 || m4 == 2) ? 1 : 0;
}

// Old date code d and time code t become the stamp fields.
void convertStamp(FormDef& f, int d, int t) {
    if (d == 0 && t == 0) {
        f.stampPosition = 0;
        f.stampSplit = 1;
        setDate(f, true);
        setTime(f, true);
    } else if (d == 0) {
        f.stampPosition = t <= 4 ? 2 : 1;
        f.stampSplit = 0;
        setDate(f, false);
        timeFromCode(f, t);
    } else {
        f.stampPosition = d <= 6 ? 2 : 1;
        f.stampSplit = t != 0 ? 1 : 0;
        dateFromCode(f, d);
        if (t == 0)
            setTime(f, false);
        else
            timeFromCode(f, t);
    }
}

u8 recodeLineType(u8 old) {
    switch (old) {
        case 5: return kLineFixed;
        case 6: return kLineLabel;
        case 8: return kLineContinuation;
        case 9: return kLineLogical;
        default: return old;
    }
}

void convertForm(const char* o, FormDef& f) {
    const auto byte = [&](std::size_t i) { return static_cast<u8>(o[i]); };
    f.font = byte(0);
    f.escTarget = byte(1);
    f.nextTarget = byte(2);
    f.recordAction = byte(m40::kFormRecordAction);
    f.lookupSearch = byte(m40::kFormLookupSearch);
    std::memcpy(f.stampDateSep, "/", 2);
    std::memcpy(f.stampTimeSep, ":", 2);
    convertStamp(f, byte(m40::kFormDateCode), byte(m40::kFormTimeCode));

    // Per-line fields: the same arrays, 14 bytes lower in the old form.
    const auto old = [&](std::size_t currentOffset) { return o + currentOffset - m40::kFormLineShift; };
    auto* rec = reinterpret_cast<char*>(&f);
    const std::size_t byteArrays[] = {
        offsetof(FormDef, searchIn),     offsetof(FormDef, lineType),
        offsetof(FormDef, source),       offsetof(FormDef, minLen),
        offsetof(FormDef, maxLen),       offsetof(FormDef, fixedLenOn),
        offsetof(FormDef, align),        offsetof(FormDef, fixedLen),
        offsetof(FormDef, initialOn),    offsetof(FormDef, prefixOn),
        offsetof(FormDef, suffixOn),     offsetof(FormDef, partialOn),
        offsetof(FormDef, partialStart), offsetof(FormDef, partialLen),
        offsetof(FormDef, checkPrefixOn), offsetof(FormDef, autoEnter),
        offsetof(FormDef, inputMark),
    };
    for (std::size_t at : byteArrays) std::memcpy(rec + at, old(at), kFormLines);
    for (int i = 0; i < kFormLines; ++i) {
        const auto line = static_cast<std::size_t>(i);
        f.lineType[i] = recodeLineType(f.lineType[i]);
        copyText(f.prompt[i], 21, old(offsetof(FormDef, prompt) + 21 * line), 21);
        copyText(f.initialValue[i], 10, old(offsetof(FormDef, initialValue) + 10 * line), 10);
        copyBytes(f.prefix[i], 10, old(offsetof(FormDef, prefix) + 10 * line), 10);
        copyBytes(f.suffix[i], 10, old(offsetof(FormDef, suffix) + 10 * line), 10);
        copyBytes(f.checkPrefix[i], 6, old(offsetof(FormDef, checkPrefix) + 6 * line), 6);
    }
    f.lastInputLine = byte(m40::kFormLastInputLine);
    f.currentLine = byte(m40::kFormCurrentLine);
}

void convertTerminal(const OldFile& f, Project& p) {
    TerminalSettings& t = p.terminal;
    if (f.has(m40::kStartWith, 1)) t.startWith = f.at(m40::kStartWith);
    if (f.has(m40::kSeparators, 2)) {
        t.separator1 = f.at(m40::kSeparators);
        t.separator2 = f.at(m40::kSeparators + 1);
    }
    if (f.has(m40::kTerminal, 20)) {
        auto T = [&](int i) { return f.at(m40::kTerminal + static_cast<std::size_t>(i)); };
        t.uploadPort = T(0);
        t.downloadPort = T(1);
        t.terminalBaud = T(2);
        t.backlightOn = T(3);
        if (T(4) != 0) t.backlightSeconds = static_cast<u8>(T(4) - 48);  // a digit character
        t.autoDelete = T(5);
        t.entryMessage = T(6) == 0 ? 1 : 0;
        for (int i = 0; i < kProtectCount; ++i) t.protect[i] = T(8 + i);
    }
    if (f.has(m40::kPassword, 10)) {
        std::memcpy(t.password, f.text(m40::kPassword), 10);
        t.password[10] = t.password[11] = '\0';
    }
}

struct TextCopy {
    int group;
    int firstRow;
    int rowCount;
    std::size_t source;     // old offset of the first source row
    std::size_t sourceRow;  // old row size, 16 or 21
};

constexpr TextCopy kTextCopies[] = {
    {0, 0, 3, m40::kMainMenuTexts, 16},
    {1, 0, 8, m40::kUtilitiesTexts, 21},
    {2, 0, 4, m40::kDeleteDataTexts, 16},
    {3, 0, 3, m40::kConfirmTexts, 16},
    {4, 0, 4, m40::kMemoryPowerTexts, 16},
    {5, 0, 4, m40::kLoadLookupTexts, 16},
    {6, 0, 8, m40::kSettingsTexts, 21},
    {7, 0, 1, m40::kUploadPortTexts, 21},           // U0
    {7, 3, 2, m40::kUploadPortTexts + 3 * 21, 21},  // U3, U4
    {8, 0, 2, m40::kDownloadPortTexts, 21},         // D0, D1
    {8, 4, 1, m40::kDownloadPortTexts + 4 * 21, 21},  // D4
    {9, 0, 5, m40::kBaudRateTexts, 21},
    {10, 0, 4, m40::kBacklightTexts, 21},
    {11, 0, 4, m40::kDataDeletionTexts, 21},
    {13, 0, 7, m40::kViewSettingsTexts + 21, 21},   // V1..V7
    {21, 0, 4, m40::kConnectingTexts, 16},
    {23, 0, 4, m40::kErrorTexts, 21},               // R0..R3
    {23, 5, 1, m40::kErrorTexts + 4 * 21, 21},      // R4
    {24, 0, 7, m40::kMiscTexts, 16},
    {25, 1, 2, m40::kUploadPortTexts + 6 * 21, 21},  // U6, U7
};

void copyRows(const OldFile& f, Project& p, const TextCopy& c) {
    const auto slot = static_cast<std::size_t>(messageGroup(c.group).slot);
    for (int r = 0; r < c.rowCount; ++r) {
        const std::size_t src = c.source + c.sourceRow * static_cast<std::size_t>(r);
        if (!f.has(src, c.sourceRow)) return;
        copyText(messageSlot(p, c.group, c.firstRow + r), slot, f.text(src), c.sourceRow);
    }
}

void convertExtension(const OldFile& f, Project& p) {
    if (!f.has(m40::kExtension, m40::kExtensionSize)) return;
    auto X = [&](int i) { return f.at(m40::kExtension + static_cast<std::size_t>(i)); };
    if (X(0) != '@') return;
    p.terminal.separateFiles = X(11);
    p.wedge.wedgeAppendCrLf = X(1);
    for (int k = 0; k < kLookupCount; ++k) {
        p.lookups[k].separator = X(2 + k);
        p.lookups[k].uploadAllowed = X(5 + k);
        p.lookups[k].notFound = X(8 + k);
    }
    copyRows(f, p, {12, 4, 2, m40::kEntryOptionTexts + 2 * 21, 21});  // E2, E3
}

}  // namespace

void convertM40(const unsigned char* data, std::size_t size, Project& p) {
    const OldFile f(data, size);
    if (f.has(m40::kPort, 2)) {
        p.port.comPort = f.at(m40::kPort);
        p.port.baudRate = f.at(m40::kPort + 1);
    }
    convertBarcode(f, p);
    for (int m = 0; m < kMenuCount; ++m) {
        const std::size_t at = m40::kMenus + m40::kMenuSize * static_cast<std::size_t>(m);
        if (f.has(at, m40::kMenuSize)) convertMenu(f.text(at), p.menus[m]);
    }
    for (int i = 0; i < kFormCount; ++i) {
        const std::size_t at = m40::kForms + m40::kFormSize * static_cast<std::size_t>(i);
        if (f.has(at, m40::kFormSize)) convertForm(f.text(at), p.forms[i]);
    }
    for (int k = 0; k < kLookupCount; ++k) {
        const std::size_t at = m40::kLookups + m40::kLookupSize * static_cast<std::size_t>(k);
        if (f.has(at, m40::kLookupSize)) std::memcpy(&p.lookups[k], f.text(at), m40::kLookupSize);
    }
    convertTerminal(f, p);
    for (const auto& c : kTextCopies) copyRows(f, p, c);
    convertExtension(f, p);
}

}  // namespace appgen
