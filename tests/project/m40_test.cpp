#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "project/project.h"
#include "project/project_file.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

// Old file offsets, written out again here from the file description.
constexpr std::size_t kOldSize = 10510;
constexpr std::size_t kOldMenus = 35, kOldForms = 2535, kOldLookups = 8545;

struct OldFile {
    std::vector<unsigned char> b = std::vector<unsigned char>(kOldSize, 0);
    OldFile() { std::memcpy(b.data(), "M40-4.00", 8); }
    void text(std::size_t at, const char* utf8) {
        const std::string s = utf8ToCp1251(utf8);
        std::memcpy(&b[at], s.data(), s.size());
        b[at + s.size()] = 0;
    }
    unsigned char* form(int f) { return &b[kOldForms + 601 * static_cast<std::size_t>(f)]; }
};

Project convert(const OldFile& old, std::size_t size = kOldSize) {
    Project p{};
    resetBarcodeSettings(p);
    resetProject(p);
    const ReadResult r = readProjectBytes(old.b.data(), size, p);
    EXPECT_TRUE(r.converted);
    return p;
}

std::string row(const Project& p, int g, int r) {
    return cp1251ToUtf8(slotText(messageSlot(p, g, r), static_cast<std::size_t>(messageGroup(g).slot)));
}

TEST(M40, PortBarcodeWedgeAndKeptBits) {
    OldFile old;
    old.b[8] = 4;
    old.b[9] = 3;
    for (int i = 0; i < 24; ++i) old.b[11 + i] = static_cast<unsigned char>(0x40 + i);
    old.b[11 + 2] = 0xFE;   // bit 0 comes from the current value
    old.b[11 + 7] = 0xF8;
    old.b[11 + 11] = 0xDF;
    Project p = convert(old);
    EXPECT_EQ(4, p.port.comPort);
    EXPECT_EQ(3, p.port.baudRate);
    const u8* b = p.barcode.bytes;
    for (int i : {0, 1, 5, 6, 9, 10, 12, 15, 22}) EXPECT_EQ(0x40 + i, b[i]) << i;
    EXPECT_EQ(0xFE, b[2]);
    EXPECT_EQ(0xF8, b[7]);
    EXPECT_EQ(0xDF, b[11]);
    EXPECT_EQ(0x40 + 3, p.wedge.keyboardType);
    EXPECT_EQ(0x40 + 4, p.wedge.wedgeFlags);
    EXPECT_EQ(0x40 + 8, p.wedge.wedgeCharDelay);
    EXPECT_EQ(0x40 + 23, p.wedge.wedgeTimeout);
    EXPECT_EQ(0, b[3]);  // never set from the old file
}

TEST(M40, DateAndTimeTable) {
    struct Case {
        int d, t;
        int position, split, year, month, day, dateSep, order, hours, minutes, seconds, timeSep;
    } cases[] = {
        {0, 0, 0, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1},
        {0, 3, 2, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0},
        {0, 5, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1},
        {0, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1},
        {8, 0, 1, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0},
        {4, 0, 2, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0},
        {3, 2, 2, 1, 1, 1, 1, 1, 2, 1, 1, 0, 1},
        {12, 4, 1, 1, 1, 1, 1, 0, 2, 1, 1, 0, 0},
        {7, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        OldFile old;
        old.form(0)[3] = static_cast<unsigned char>(c.d);
        old.form(0)[4] = static_cast<unsigned char>(c.t);
        const FormDef f = convert(old).forms[0];
        const std::string at = "d=" + std::to_string(c.d) + " t=" + std::to_string(c.t);
        EXPECT_EQ(c.position, f.stampPosition) << at;
        EXPECT_EQ(c.split, f.stampSplit) << at;
        EXPECT_EQ(c.year, f.stampYear) << at;
        EXPECT_EQ(c.month, f.stampMonth) << at;
        EXPECT_EQ(c.day, f.stampDay) << at;
        EXPECT_EQ(c.dateSep, f.stampDateSepOn) << at;
        EXPECT_EQ(c.order, f.stampDateOrder) << at;
        EXPECT_EQ(0, f.stampYearDigits) << at;
        EXPECT_EQ(c.hours, f.stampHours) << at;
        EXPECT_EQ(c.minutes, f.stampMinutes) << at;
        EXPECT_EQ(c.seconds, f.stampSeconds) << at;
        EXPECT_EQ(c.timeSep, f.stampTimeSepOn) << at;
        EXPECT_STREQ("/", f.stampDateSep);
        EXPECT_STREQ(":", f.stampTimeSep);
    }
}

TEST(M40, FormLinesMoveUp14BytesAndTypesAreRecoded) {
    OldFile old;
    unsigned char* o = old.form(2);
    o[0] = 1;
    o[1] = 12;
    o[2] = 5;
    o[5] = 3;
    o[6] = 2;
    const int oldTypes[] = {5, 6, 8, 9, 7, 1, 0, 12};
    const int newTypes[] = {8, 9, 12, 6, 7, 1, 0, 12};
    for (int i = 0; i < 8; ++i) {
        o[7 + i] = static_cast<unsigned char>(i + 1);             // searchIn
        o[15 + i] = static_cast<unsigned char>(oldTypes[i]);      // lineType
        o[191 + i] = static_cast<unsigned char>(i % 3);           // source
        o[207 + i] = static_cast<unsigned char>(40 + i);          // maxLen
        o[519 + i] = static_cast<unsigned char>(30 + i);          // partialLen
        o[591 + i] = static_cast<unsigned char>('a' + i);         // inputMark
    }
    old.text(kOldForms + 601 * 2 + 23 + 21, "Артикул");
    std::memcpy(o + 335, "0123456789", 10);  // a prefix that fills its slot
    std::memcpy(o + 535 + 6, "ABCDEF", 6);   // a full code prefix on line 1
    o[599] = 6;
    o[600] = 2;
    const FormDef f = convert(old).forms[2];
    EXPECT_EQ(1, f.font);
    EXPECT_EQ(12, f.escTarget);
    EXPECT_EQ(5, f.nextTarget);
    EXPECT_EQ(3, f.recordAction);
    EXPECT_EQ(2, f.lookupSearch);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(i + 1, f.searchIn[i]);
        EXPECT_EQ(newTypes[i], f.lineType[i]) << "old type " << oldTypes[i];
        EXPECT_EQ(i % 3, f.source[i]);
        EXPECT_EQ(40 + i, f.maxLen[i]);
        EXPECT_EQ(30 + i, f.partialLen[i]);
        EXPECT_EQ('a' + i, f.inputMark[i]);
    }
    EXPECT_EQ("Артикул", cp1251ToUtf8(slotText(f.prompt[1])));
    EXPECT_EQ("0123456789", slotText(f.prefix[0]));
    EXPECT_EQ("ABCDEF", slotText(f.checkPrefix[1]));
    EXPECT_EQ(0u, slotLength(f.checkPrefix[0]));
    EXPECT_EQ(6, f.lastInputLine);
    EXPECT_EQ(2, f.currentLine);
    EXPECT_EQ(0u, slotLength(f.lineText[0]));
}

TEST(M40, MenusLookupsTerminalAndExtension) {
    OldFile old;
    unsigned char* m = &old.b[kOldMenus + 250 * 4];
    m[0] = 1;
    m[1] = 1;
    old.text(kOldMenus + 250 * 4 + 2, "Приход");
    old.text(kOldMenus + 250 * 4 + 23 + 21 * 9, "10. Выход");
    m[233] = 11;
    m[243] = 7;
    m[246] = 1;
    m[249] = 9;
    for (int i = 0; i < 19; ++i) old.b[kOldLookups + 19 + i] = static_cast<unsigned char>(i + 1);
    old.b[10] = 1;
    old.b[8602] = ';';
    old.b[8603] = '|';
    const unsigned char T[20] = {3, 2, 4, 1, '5', 1, 0, 77, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1};
    std::memcpy(&old.b[10466], T, 20);
    std::memcpy(&old.b[10486], "secret1234", 10);
    const unsigned char X[14] = {'@', 0, 9, 59, 0, 0, 1, 0, 3, 2, 1, 1, 0, 0};
    std::memcpy(&old.b[10496], X, 14);
    old.text(9933 + 2 * 21, "E2 text");
    old.text(9933 + 3 * 21, "E3 text");
    Project p = convert(old);

    const MenuDef& menu = p.menus[4];
    EXPECT_EQ(1, menu.font);
    EXPECT_EQ("Приход", cp1251ToUtf8(slotText(menu.title)));
    EXPECT_EQ("10. Выход", cp1251ToUtf8(slotText(menu.itemText[9])));
    EXPECT_EQ(11, menu.escTarget);
    EXPECT_EQ(7, menu.itemTarget[9]);
    EXPECT_EQ(1, menu.sendOn);
    EXPECT_EQ(9, menu.scratch);

    const LookupDef& l = p.lookups[1];
    EXPECT_EQ(1, l.recLen);
    EXPECT_EQ(4, l.fieldOffset[0]);

    const TerminalSettings& t = p.terminal;
    EXPECT_EQ(1, t.startWith);
    EXPECT_EQ(';', t.separator1);
    EXPECT_EQ('|', t.separator2);
    EXPECT_EQ(3, t.uploadPort);
    EXPECT_EQ(2, t.downloadPort);
    EXPECT_EQ(4, t.terminalBaud);
    EXPECT_EQ(1, t.backlightOn);
    EXPECT_EQ(5, t.backlightSeconds);
    EXPECT_EQ(1, t.autoDelete);
    EXPECT_EQ(1, t.entryMessage);  // T6 = 0
    EXPECT_EQ(1, t.protect[0]);
    EXPECT_EQ(0, t.protect[1]);
    EXPECT_EQ(1, t.protect[11]);
    EXPECT_EQ(0, std::memcmp(t.password, "secret1234\0\0", 12));

    // Extension block: X0 is '@'.
    EXPECT_EQ(1, t.separateFiles);
    EXPECT_EQ(0, p.wedge.wedgeAppendCrLf);
    EXPECT_EQ(9, p.lookups[0].separator);
    EXPECT_EQ(59, p.lookups[1].separator);
    EXPECT_EQ(1, p.lookups[1].uploadAllowed);
    EXPECT_EQ(3, p.lookups[0].notFound);
    EXPECT_EQ(1, p.lookups[2].notFound);
    EXPECT_EQ("E2 text", row(p, 12, 4));
    EXPECT_EQ("E3 text", row(p, 12, 5));
}

TEST(M40, MessageRowsGoWhereTheyBelong) {
    OldFile old;
    old.text(8668 + 16, "Main 1");
    old.text(8732 + 21 * 7, "Util 7");
    old.text(9324, "U0");
    old.text(9324 + 21 * 3, "U3");
    old.text(9324 + 21 * 6, "U6");
    old.text(9324 + 21 * 7, "U7");
    old.text(9492 + 21 * 4, "D4");
    old.text(10017, "V0 ignored");
    old.text(10017 + 21, "V1");
    old.text(10249 + 21 * 4, "R4");
    old.text(10354 + 16 * 6, "Misc 6");
    old.text(8604, "unused");
    Project p = convert(old);
    Project defaults{};
    resetProject(defaults);
    EXPECT_EQ("Main 1", row(p, 0, 1));
    EXPECT_EQ(row(defaults, 0, 3), row(p, 0, 3));  // fourth slot not copied
    EXPECT_EQ("Util 7", row(p, 1, 7));
    EXPECT_EQ("U0", row(p, 7, 0));
    EXPECT_EQ(row(defaults, 7, 1), row(p, 7, 1));
    EXPECT_EQ("U3", row(p, 7, 3));
    EXPECT_EQ("U6", row(p, 25, 1));
    EXPECT_EQ("U7", row(p, 25, 2));
    EXPECT_EQ(row(defaults, 25, 0), row(p, 25, 0));
    EXPECT_EQ("D4", row(p, 8, 4));
    EXPECT_EQ("V1", row(p, 13, 0));
    EXPECT_EQ("R4", row(p, 23, 5));
    EXPECT_EQ(row(defaults, 23, 4), row(p, 23, 4));
    EXPECT_EQ("Misc 6", row(p, 24, 6));
    EXPECT_EQ(row(defaults, 14, 0), row(p, 14, 0));  // groups not in the old file
    EXPECT_EQ(row(defaults, 12, 4), row(p, 12, 4));  // no extension block
}

TEST(M40, ShortFileConvertsOnlyWholeBlocks) {
    OldFile old;
    old.b[8] = 2;
    old.form(0)[0] = 1;
    old.form(1)[0] = 1;
    old.text(10354, "Misc 0");
    // The file ends inside form 1: form 0 converts, form 1 and later keep defaults.
    Project p = convert(old, kOldForms + 601 + 100);
    EXPECT_EQ(2, p.port.comPort);
    EXPECT_EQ(1, p.forms[0].font);
    EXPECT_EQ(0, p.forms[1].font);
    EXPECT_EQ(2, p.forms[1].nextTarget);
    Project defaults{};
    resetProject(defaults);
    EXPECT_EQ(row(defaults, 24, 0), row(p, 24, 0));
    EXPECT_EQ(1, p.terminal.entryMessage);
}

}  // namespace
}  // namespace appgen
