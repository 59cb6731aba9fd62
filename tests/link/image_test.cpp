// The program image, byte for byte, against the reference compile written from
// the record's offsets, and the cases the terminal is known to depend on.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "image_reference.h"
#include "link/program_image.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

using test::Bytes;

Project fresh() {
    Project p{};
    resetBarcodeSettings(p);
    resetProject(p);
    return p;
}

void setText(char* slot, std::size_t size, const char* utf8) {
    setSlotText(slot, size, utf8ToCp1251(utf8));
}

Project fullFormsAndMenus() {
    Project p = fresh();
    for (int k = 0; k < kMenuCount; ++k) {
        MenuDef& m = p.menus[k];
        m.titleOn = k % 2;
        setText(m.title, 21, k % 3 ? "Склад" : "Приёмка товара №1");
        for (int i = 0; i < kMenuItems; ++i)
            setText(m.itemText[i], 21, i % 4 == 0 ? "" : i % 4 == 1 ? "   " : "Пункт меню");
    }
    for (int f = 0; f < kFormCount; ++f)
        for (int i = 0; i < kFormLines; ++i) {
            FormDef& form = p.forms[f];
            form.lineType[i] = static_cast<u8>((f + i * 3) % 14);
            form.searchIn[i] = static_cast<u8>(1 + (i + f) % 24);
            form.minLen[i] = static_cast<u8>(10 * i + f);
            form.maxLen[i] = static_cast<u8>(15 * i);
            setText(form.prompt[i], 21, "Кол-во:");
        }
    return p;
}

Project bigFont() {
    Project p = fullFormsAndMenus();
    for (auto& m : p.menus) {
        m.font = 1;
        m.titleOn = 1;
        setText(m.title, 21, "Twenty characters 20");
        setText(m.itemText[0], 21, "               X");  // visible only past column 15
    }
    for (auto& f : p.forms) f.font = 2;
    p.terminal.bigFont = 1;
    return p;
}

// Every text slot full to its last byte, with no terminator anywhere.
Project longTexts() {
    Project p = fresh();
    std::memset(&p.startupScreen, 'S', sizeof p.startupScreen);
    std::memset(&p.messages, 0xC9, sizeof p.messages);
    for (auto& m : p.menus) {
        m.titleOn = 1;
        std::memset(m.title, 'T', sizeof m.title);
        std::memset(m.itemText, 'I', sizeof m.itemText);
    }
    return p;
}

Project oddSettings() {
    Project p = fresh();
    std::memset(&p.barcode, 0xFF, sizeof p.barcode);
    std::memset(&p.wedge, 0xFF, sizeof p.wedge);
    std::memset(&p.terminal, 0xFF, sizeof p.terminal);
    std::memcpy(p.terminal.password, "azAZ09mz{`yq", 12);
    return p;
}

// Every byte drawn from values that sit on the rules' edges.
Project scrambled(unsigned seed) {
    static constexpr u8 kValues[] = {0, 1, 2, 3, 6, 7, 8, 9, 11, 12, 13, 0x20, 0x21, 'a', 'z',
                                     50, 51, 0x7F, 0xC0, 0xFF};
    Project p{};
    auto* b = reinterpret_cast<u8*>(&p);
    for (std::size_t i = 0; i < sizeof p; ++i) {
        seed = seed * 1103515245u + 12345u;
        b[i] = kValues[(seed >> 16) % sizeof kValues];
    }
    return p;
}

// Index of the first differing byte, or -1.
long firstDifference(const Bytes& a, const Bytes& b) {
    if (a.size() != b.size()) return 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return static_cast<long>(i);
    return -1;
}

Bytes imageBytes(const link::ProgramImage& img) { return Bytes(img.begin(), img.end()); }

struct Case {
    const char* name;
    std::function<Project()> make;
};

class ImageMatchesReference : public ::testing::TestWithParam<Case> {};

TEST_P(ImageMatchesReference, ImageAndProjectByteForByte) {
    Project p = GetParam().make();
    const test::ReferenceCompile want = test::referenceCompile(test::recordBytes(p));
    const Bytes image = imageBytes(link::compile(p));
    EXPECT_EQ(-1, firstDifference(want.image, image)) << "image";
    EXPECT_EQ(-1, firstDifference(want.project, test::recordBytes(p))) << "project";
    // A retried download compiles again: nothing may drift.
    EXPECT_EQ(-1, firstDifference(image, imageBytes(link::compile(p)))) << "second image";
    EXPECT_EQ(-1, firstDifference(want.project, test::recordBytes(p))) << "second project";
}

INSTANTIATE_TEST_SUITE_P(
    Projects, ImageMatchesReference,
    ::testing::Values(Case{"Fresh", fresh}, Case{"FullFormsAndMenus", fullFormsAndMenus},
                      Case{"BigFont", bigFont}, Case{"LongTexts", longTexts},
                      Case{"OddSettings", oddSettings}, Case{"Scrambled1", [] { return scrambled(1); }},
                      Case{"Scrambled2", [] { return scrambled(2); }},
                      Case{"Scrambled3", [] { return scrambled(77); }}),
    [](const auto& info) { return std::string(info.param.name); });

std::string at(const link::ProgramImage& img, std::size_t offset, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(img.data()) + offset, n);
}

TEST(ProgramImage, FreshProjectHasEveryTextInItsSlotAndAZeroTail) {
    Project p = fresh();
    const link::ProgramImage img = link::compile(p);
    for (std::size_t i = link::kImageContentSize; i < img.size(); ++i) ASSERT_EQ(0, img[i]) << i;
    EXPECT_EQ(at(img, 16039, 16), utf8ToCp1251("   BRIGANTEX   ") + '\0');
    EXPECT_EQ(at(img, 16103, 16), utf8ToCp1251("1.Сбор данных  ") + '\0');
    // Group 5 row 3 is stored one short of the width; the slot pads it.
    EXPECT_EQ(at(img, 16527 + 3 * 16, 16), utf8ToCp1251("3я база данных ") + '\0');
    EXPECT_EQ(at(img, 18444 + 2 * 21, 21), utf8ToCp1251("[ ESC ]   для отмены") + '\0');
    EXPECT_EQ(0, std::memcmp(img.data(), &p.barcode, sizeof p.barcode));
}

TEST(ProgramImage, MenuItemsArePaddedToTheMenuWidthAndCounted) {
    struct Row {
        u8 font;
        const char* items[3];
        u8 count;
        std::string firstSlot;
    };
    const Row rows[] = {
        {0, {"ABCD", "", ""}, 1, "ABCD" + std::string(16, ' ') + '\0'},
        {1, {"ABCD", "", ""}, 1, "ABCD" + std::string(11, ' ') + '\0' + "\xAA\xAA\xAA\xAA\xAA"},
        {0, {"Один", "    ", "Три"}, 2, utf8ToCp1251("Один") + std::string(16, ' ') + '\0'},
        {0, {"А", "", "\x01\x1F"}, 1, std::string(1, '\xC0') + std::string(19, ' ') + '\0'},  // А is 0xC0
    };
    for (const Row& r : rows) {
        Project p = fresh();
        MenuDef& m = p.menus[4];
        m.font = r.font;
        std::memset(m.itemText, 0xAA, sizeof m.itemText);
        for (int i = 0; i < 3; ++i) setText(m.itemText[i], 21, r.items[i]);
        for (int i = 3; i < kMenuItems; ++i) m.itemText[i][0] = '\0';
        const link::ProgramImage img = link::compile(p);
        const std::size_t menu = 23 + 4 * 350;
        EXPECT_EQ(r.count, img[menu + 247]) << r.items[0];
        EXPECT_EQ(r.count, p.menus[4].itemCount);
        EXPECT_EQ(r.firstSlot, at(img, menu + 23, r.firstSlot.size())) << r.items[0];
        // An empty item between full ones stays in place, as spaces.
        EXPECT_EQ(std::string(r.font ? 15 : 20, ' '), at(img, menu + 23 + 21, r.font ? 15 : 20));
    }
}

TEST(ProgramImage, HiddenTitleKeepsItsBytesAndShownTitleIsCut) {
    Project p = fresh();
    std::memcpy(p.menus[0].title, "Hidden\0garbage here!", 21);
    p.menus[1].titleOn = 1;
    p.menus[1].font = 1;
    std::memcpy(p.menus[1].title, "Twenty characters 20", 21);
    const link::ProgramImage img = link::compile(p);
    EXPECT_EQ(std::string("Hidden\0garbage here!", 21), at(img, 23 + 2, 21));
    EXPECT_EQ(std::string("Twenty characte\0s 20\0", 21), at(img, 23 + 350 + 2, 21));
}

TEST(ProgramImage, FormsAreMadeConsistentInTheProject) {
    Project p = fresh();
    FormDef& big = p.forms[0];
    big.font = 1;
    for (int i = 0; i < kFormLines; ++i) big.lineType[i] = kLineText;
    setText(big.prompt[5], 21, "Line 6");
    FormDef& labels = p.forms[1];
    labels.lineType[0] = kLineLabel;
    labels.lineType[1] = kLineText;
    labels.lineType[2] = kLineLabel;
    labels.searchIn[0] = 3;
    labels.maxLen[1] = 80;
    labels.minLen[1] = 60;
    p.forms[2].lineType[7] = kLineLookup;

    const link::ProgramImage img = link::compile(p);
    EXPECT_EQ(kLineEmpty, big.lineType[5]);
    EXPECT_EQ('\0', big.prompt[5][0]);
    EXPECT_EQ(4, big.lastInputLine);
    EXPECT_EQ(2, labels.lastInputLine);
    EXPECT_EQ(0, labels.searchIn[0]);
    EXPECT_EQ(50, labels.maxLen[1]);
    EXPECT_EQ(50, labels.minLen[1]);
    EXPECT_EQ(0, p.forms[2].lastInputLine);  // a lookup line is not an input line
    EXPECT_EQ(2, img[3523 + 1215 + 1013]);
}

TEST(ProgramImage, OverlongTextsAreCutWithoutShiftingTheNextSlot) {
    Project p = fresh();
    std::memset(p.startupScreen.line[0], 'X', 16);  // no terminator
    std::memset(messageSlot(p, 1, 0), 'Y', 21);
    const link::ProgramImage img = link::compile(p);
    EXPECT_EQ(std::string(15, 'X') + '\0', at(img, 16039, 16));
    EXPECT_EQ(utf8ToCp1251("   Генератор   ") + '\0', at(img, 16055, 16));
    EXPECT_EQ(std::string(20, 'Y') + '\0', at(img, 16167, 21));
    EXPECT_EQ(utf8ToCp1251("2. Просмотр Данных  ") + '\0', at(img, 16188, 21));
    // The project keeps what it held.
    EXPECT_EQ('X', p.startupScreen.line[0][15]);
}

TEST(ProgramImage, TerminalSettingsInTheTerminalsCodes) {
    struct Row {
        std::size_t offset;
        u8 stored, coded;
    };
    const Row rows[] = {
        {1, 0, 1},   {1, 1, 11},  {1, 255, 11}, {5, 0, 1},    {27, 3, 4},   {28, 4, 5},
        {29, 1, 2},  {30, 2, 0x32}, {30, 9, 0x39}, {31, 0, 1},  {32, 2, 3},   {33, 6, 6},
        {0, 1, 1},   {68, 1, 1},  {5, 255, 0},
    };
    for (const Row& r : rows) {
        Project p = fresh();
        reinterpret_cast<u8*>(&p.terminal)[r.offset] = r.stored;
        const link::ProgramImage img = link::compile(p);
        EXPECT_EQ(r.coded, img[18562 + r.offset]) << "byte " << r.offset << " = " << int(r.stored);
        EXPECT_EQ(r.stored, reinterpret_cast<const u8*>(&p.terminal)[r.offset]);
    }
}

TEST(ProgramImage, PasswordGoesUppercaseInTheImageOnly) {
    Project p = fresh();
    std::memcpy(p.terminal.password, "ab12yz{`qwer", 12);
    const link::ProgramImage img = link::compile(p);
    EXPECT_EQ("AB12YZ{`QWer", at(img, 18562 + 46, 12));
    EXPECT_EQ(0, std::memcmp(p.terminal.password, "ab12yz{`qwer", 12));
}

TEST(ProgramImage, WedgeSettingsInTheTerminalsCodes) {
    struct Row {
        u8 keyboardType, flags, codedType, codedFlags;
    };
    const Row rows[] = {
        {0, 0x12, 1, 0x1C},  // shift type 1 -> 2, digit layout 2 -> 3
        {0, 0x00, 1, 0x00},  {5, 0x02, 6, 0x04},  {31, 0x04, 32, 0x06}, {0, 0x08, 1, 0x10},
        {0, 0x10, 1, 0x18},  {0, 0xE1, 1, 0xE1},  {0, 0x55, 1, 0x5F},
        // A 3 the editor never writes stays inside its two bits.
        {0, 0x06, 1, 0x06},  {255, 0x1E, 0, 0x1E},
    };
    for (const Row& r : rows) {
        Project p = fresh();
        p.wedge.keyboardType = r.keyboardType;
        p.wedge.wedgeFlags = r.flags;
        const link::ProgramImage img = link::compile(p);
        EXPECT_EQ(r.codedType, img[18507]) << int(r.flags);
        EXPECT_EQ(r.codedFlags, img[18508]) << int(r.flags);
        EXPECT_EQ(1, img[18507 + 4]);  // wedgeAppendCrLf as held
    }
}

}  // namespace
}  // namespace appgen
