#include "project/project.h"

#include <algorithm>
#include <cstring>

#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

// Writes `value` into the bits of `byte` outside `keepMask`.
u8 withKeptBits(u8 byte, u8 value, u8 keepMask) {
    return static_cast<u8>((byte & keepMask) | (value & ~keepMask));
}

void clearLineFields(FormDef& f, int i) {
    f.searchIn[i] = 0;
    f.prompt[i][0] = '\0';
    f.source[i] = 2;
    f.minLen[i] = 0;
    f.fixedLenOn[i] = 0;
    f.align[i] = 0;
    f.fixedLen[i] = 0;
    f.initialOn[i] = 0;
    f.initialValue[i][0] = '\0';
    f.prefixOn[i] = 0;
    f.prefix[i][0] = '\0';
    f.suffixOn[i] = 0;
    f.suffix[i][0] = '\0';
    f.partialOn[i] = 0;
    f.partialStart[i] = 0;
    f.partialLen[i] = 20;
    f.checkPrefixOn[i] = 0;
    f.checkPrefix[i][0] = '\0';
    f.lineText[i][0] = '\0';
}

void resetTerminal(TerminalSettings& t) {
    t.settingsFlag = 1;
    t.startWith = 0;
    t.separator1 = 44;
    t.separator2 = 0;
    t.separateFiles = 0;
    t.uploadPort = 1;
    t.phoneNumber[0] = '\0';
    t.downloadPort = 1;
    t.terminalBaud = 0;
    t.backlightOn = 0;
    t.backlightSeconds = 2;
    t.autoDelete = 0;
    t.entryMessage = 1;
    t.messageDuration = 6;
    std::fill(std::begin(t.protect), std::end(t.protect), u8{0});
    std::fill(std::begin(t.password), std::end(t.password), '\0');
    std::fill(std::begin(t.fnKeys), std::end(t.fnKeys), u8{0});
}

bool isDataLine(u8 type) { return type >= kLineText && type <= kLineLogical; }

}  // namespace

void resetForm(FormDef& f, int index) {
    f.font = 0;
    f.escTarget = 0;
    f.nextTarget = static_cast<u8>(index + 1);
    f.stampPosition = 0;
    f.stampSplit = 1;
    f.stampYear = 1;
    f.stampYearDigits = 0;
    f.stampMonth = 1;
    f.stampDay = 1;
    f.stampDateSepOn = 1;
    std::memcpy(f.stampDateSep, "/", 2);
    f.stampDateOrder = 0;
    f.stampHours = 1;
    f.stampMinutes = 1;
    f.stampSeconds = 1;
    f.stampTimeSepOn = 1;
    std::memcpy(f.stampTimeSep, ":", 2);
    f.recordAction = 0;
    f.lookupSearch = 0;
    for (int i = 0; i < kFormLines; ++i) {
        clearLineFields(f, i);
        f.lineType[i] = kLineEmpty;
        f.maxLen[i] = 50;
        f.autoEnter[i] = 1;
        f.inputMark[i] = 0;
    }
    f.lastInputLine = 0;
    f.currentLine = 0;
}

void resetMenu(MenuDef& m) {
    m.font = 0;
    m.titleOn = 0;
    m.title[0] = '\0';
    for (auto& item : m.itemText) item[0] = '\0';
    m.escTarget = 0;
    std::fill(std::begin(m.itemTarget), std::end(m.itemTarget), u8{0});
    m.saveTitle = 0;
    m.saveItem = 0;
    m.sendOn = 0;
    m.itemCount = 0;
    m.selection = 0;
    m.scratch = 0;
}

void resetLookup(LookupDef& l) {
    l.recLen = 0;
    l.fieldCount = 0;
    l.keyField = 0;
    std::fill(std::begin(l.fieldOffset), std::end(l.fieldOffset), u8{1});
    std::fill(std::begin(l.fieldLen), std::end(l.fieldLen), u8{0});
    l.separator = 0;
    l.uploadAllowed = 1;
    l.notFound = 0;
}

void resetBarcodeSettings(Project& p) {
    u8* b = p.barcode.bytes;
    b[0] = 0x9B;
    b[1] = 0xC9;
    b[2] = withKeptBits(b[2], 0x00, 0x01);
    b[5] = 0x2D;
    b[6] = 0x54;
    b[7] = withKeptBits(b[7], 0x80, 0x07);
    b[9] = 0x19;
    b[10] = 0x3D;
    b[11] = withKeptBits(b[11], 0x00, 0x20);
    b[12] = 0xFF;
    b[13] = 0x01;
    b[14] = 0xFE;
    b[15] = 0x01;
    b[16] = 0xFF;
    b[17] = 0x01;
    b[18] = 0xFF;
    b[19] = 0x01;
    b[20] = 0x66;
    b[21] = 0x03;
    b[22] = 0x03;
}

void resetProject(Project& p) {
    std::memcpy(p.formatTag.text, "4610-1.00", 10);
    for (int f = 0; f < kFormCount; ++f) resetForm(p.forms[f], f);
    for (auto& m : p.menus) resetMenu(m);
    for (auto& l : p.lookups) resetLookup(l);
    p.wedge.keyboardType = 0;
    p.wedge.wedgeFlags = 0;
    p.wedge.wedgeCharDelay = 0;
    p.wedge.wedgeTimeout = 0;
    p.wedge.wedgeAppendCrLf = 1;
    resetTerminal(p.terminal);
    for (int line = 0; line < 4; ++line)
        setSlotText(p.startupScreen.line[line], startupScreenDefault(line));
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const auto& info = messageGroup(g);
        for (int r = 0; r < info.slots; ++r)
            setSlotText(messageSlot(p, g, r), static_cast<std::size_t>(info.slot),
                        russianDefault(g, r));
    }
}

void normalizeForms(Project& p) {
    for (auto& f : p.forms) {
        if (f.font != 0)
            for (int i = 4; i < kFormLines; ++i) f.lineType[i] = kLineEmpty;
        for (int i = 0; i < kFormLines; ++i) {
            if (f.maxLen[i] > kMaxFieldLen) f.maxLen[i] = kMaxFieldLen;
            if (f.minLen[i] > f.maxLen[i]) f.minLen[i] = f.maxLen[i];
            const u8 type = f.lineType[i];
            if (type == kLineEmpty || type == kLineContinuation) {
                f.prompt[i][0] = '\0';
                f.searchIn[i] = 0;
            } else if (type >= kLineFixed) {
                // Only the data types 1..7 may look a value up.
                f.searchIn[i] = 0;
            }
        }
    }
}

int utilitiesEntryCount(const Project& p) {
    return (p.lookups[0].recLen != 0 && p.lookups[0].fieldCount != 0) ? 8 : 7;
}

int fixContinuationLines(Project& p) {
    for (auto& f : p.forms) {
        const bool big = f.font != 0;
        const int width = big ? 15 : 20;
        const int lines = big ? 4 : 8;
        for (int i = 0; i < lines; ++i) {
            if (!isDataLine(f.lineType[i])) continue;
            int len = f.maxLen[i] + static_cast<int>(slotLength(f.prompt[i], 20));
            for (int k = i + 1; k <= i + 3 && k < kFormLines; ++k) {
                if (f.lineType[k] != kLineContinuation) break;
                len -= width;
                // A short prompt on a short field would go below zero; the field holds 0..255.
                f.maxLen[k] = static_cast<u8>(std::clamp(len, 0, 255));
                len = f.maxLen[k];
                f.autoEnter[k] = f.autoEnter[i];
                f.inputMark[k] = f.inputMark[i];
            }
        }
        for (int i = 0; i < lines; ++i) {
            const u8 type = f.lineType[i];
            if (type != kLineEmpty && type != kLineContinuation) continue;
            clearLineFields(f, i);
            if (type == kLineEmpty) {
                f.maxLen[i] = 50;
                f.autoEnter[i] = 1;
                f.inputMark[i] = 0;
            }
        }
    }
    return utilitiesEntryCount(p);
}

}  // namespace appgen
