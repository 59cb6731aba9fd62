#include <gtest/gtest.h>

#include <cstring>

#include "project/project.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

const u8* bytesOf(const Project& p) { return reinterpret_cast<const u8*>(&p); }

Project freshProject() {
    Project p{};
    resetBarcodeSettings(p);
    resetProject(p);
    return p;
}

TEST(ResetProject, TagPortsAndTail) {
    Project p = freshProject();
    EXPECT_EQ(0, std::memcmp(bytesOf(p), "4610-1.00\0", 10));
    EXPECT_EQ(0, p.port.comPort);
    EXPECT_EQ(0, p.port.baudRate);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(0, bytesOf(p)[18842 + i]);
}

TEST(ResetProject, FormDefaultsAtTheirOffsets) {
    Project p = freshProject();
    for (int f = 0; f < kFormCount; ++f) {
        const u8* form = bytesOf(p) + 3535 + 1215 * f;
        EXPECT_EQ(f + 1, form[2]) << "nextTarget of form " << f;
        EXPECT_EQ(1, form[4]);
        EXPECT_EQ('/', form[10]);
        EXPECT_EQ(0, form[11]);
        EXPECT_EQ(':', form[17]);
        for (int i = 0; i < kFormLines; ++i) {
            EXPECT_EQ(2, form[205 + i]);
            EXPECT_EQ(50, form[221 + i]);
            EXPECT_EQ(20, form[533 + i]);
            EXPECT_EQ(1, form[597 + i]);
            EXPECT_EQ(0, form[29 + i]);
        }
    }
}

TEST(ResetProject, LookupsTerminalAndWedge) {
    Project p = freshProject();
    for (int k = 0; k < kLookupCount; ++k) {
        const u8* l = bytesOf(p) + 15685 + 122 * k;
        for (int i = 0; i < 8; ++i) EXPECT_EQ(1, l[3 + i]);
        EXPECT_EQ(1, l[20]);
    }
    const u8* t = bytesOf(p) + 18574;
    const u8 expected[] = {1, 0, 44, 0, 0, 1};
    EXPECT_EQ(0, std::memcmp(t, expected, sizeof expected));
    EXPECT_EQ(1, t[27]);
    EXPECT_EQ(2, t[30]);
    EXPECT_EQ(1, t[32]);
    EXPECT_EQ(6, t[33]);
    EXPECT_EQ(1, bytesOf(p)[18519 + 4]);
    EXPECT_EQ(slotText(p.startupScreen.line[0]), "   BRIGANTEX   ");
}

TEST(ResetProject, BigFontSurvives) {
    Project p = freshProject();
    p.terminal.bigFont = 1;
    resetProject(p);
    EXPECT_EQ(1, p.terminal.bigFont);
}

TEST(ResetBarcode, WritesValuesAndKeepsBits) {
    Project p{};
    std::memset(p.barcode.bytes, 0xFF, sizeof p.barcode.bytes);
    resetBarcodeSettings(p);
    const u8* b = p.barcode.bytes;
    EXPECT_EQ(0x9B, b[0]);
    EXPECT_EQ(0x01, b[2]);          // bit 0 kept
    EXPECT_EQ(0xFF, b[3]);          // not touched
    EXPECT_EQ(0xFF, b[4]);
    EXPECT_EQ(0x87, b[7]);          // 0x80 with bits 0..2 kept
    EXPECT_EQ(0xFF, b[8]);
    EXPECT_EQ(0x20, b[11]);         // bit 5 kept
    EXPECT_EQ(0x03, b[22]);
    std::memset(p.barcode.bytes, 0x00, sizeof p.barcode.bytes);
    resetBarcodeSettings(p);
    EXPECT_EQ(0x00, b[2]);
    EXPECT_EQ(0x80, b[7]);
    EXPECT_EQ(0x00, b[11]);
}

TEST(NormalizeForms, BigFontKeepsFourLinesAndLengthsClamp) {
    Project p = freshProject();
    FormDef& f = p.forms[0];
    f.font = 1;
    for (int i = 0; i < 5; ++i) f.lineType[i] = kLineText;
    f.maxLen[1] = 60;
    f.minLen[1] = 70;
    normalizeForms(p);
    EXPECT_EQ(kLineText, f.lineType[3]);
    EXPECT_EQ(kLineEmpty, f.lineType[4]);
    EXPECT_EQ(50, f.maxLen[1]);
    EXPECT_EQ(50, f.minLen[1]);
}

TEST(NormalizeForms, PromptAndSearchByType) {
    Project p = freshProject();
    FormDef& f = p.forms[1];
    const u8 types[] = {0, 12, 8, 11, 1, 7, 9, 13};
    for (int i = 0; i < 8; ++i) {
        f.lineType[i] = types[i];
        setSlotText(f.prompt[i], "abc");
        f.searchIn[i] = 3;
    }
    normalizeForms(p);
    const bool promptKept[] = {false, false, true, true, true, true, true, true};
    const bool searchKept[] = {false, false, false, false, true, true, false, false};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(promptKept[i], slotLength(f.prompt[i]) == 3) << i;
        EXPECT_EQ(searchKept[i], f.searchIn[i] == 3) << i;
    }
}

TEST(FixContinuationLines, LengthsFollowThePromptAndClampAtZero) {
    Project p = freshProject();
    FormDef& f = p.forms[0];
    f.lineType[0] = kLineText;
    setSlotText(f.prompt[0], "0123456789");
    f.maxLen[0] = 30;
    f.autoEnter[0] = 2;
    f.inputMark[0] = '*';
    f.lineType[1] = kLineContinuation;
    f.lineType[2] = kLineContinuation;
    f.lineType[3] = kLineContinuation;
    setSlotText(f.prompt[1], "gone");
    EXPECT_EQ(7, fixContinuationLines(p));
    EXPECT_EQ(20, f.maxLen[1]);
    EXPECT_EQ(0, f.maxLen[2]);
    EXPECT_EQ(0, f.maxLen[3]);  // would be -20
    EXPECT_EQ(2, f.autoEnter[2]);
    EXPECT_EQ('*', f.inputMark[3]);
    EXPECT_EQ(0u, slotLength(f.prompt[1]));
}

TEST(FixContinuationLines, LeadingContinuationIsClearedAndUtilitiesCount) {
    Project p = freshProject();
    FormDef& f = p.forms[0];
    f.lineType[0] = kLineContinuation;
    f.maxLen[0] = 33;
    f.source[0] = 0;
    fixContinuationLines(p);
    EXPECT_EQ(33, f.maxLen[0]);  // a continuation line keeps its length
    EXPECT_EQ(2, f.source[0]);
    p.lookups[0].recLen = 10;
    EXPECT_EQ(7, fixContinuationLines(p));
    p.lookups[0].fieldCount = 1;
    EXPECT_EQ(8, fixContinuationLines(p));
}

TEST(FixContinuationLines, BigFontUsesWidth15AndLeavesLinesPastFour) {
    Project p = freshProject();
    FormDef& f = p.forms[2];
    f.font = 1;
    f.lineType[3] = kLineInteger;
    f.maxLen[3] = 20;
    setSlotText(f.prompt[3], "abcde");
    f.lineType[4] = kLineContinuation;
    f.lineType[6] = kLineEmpty;
    f.maxLen[6] = 7;
    fixContinuationLines(p);
    EXPECT_EQ(10, f.maxLen[4]);
    EXPECT_EQ(7, f.maxLen[6]);
}

}  // namespace
}  // namespace appgen
