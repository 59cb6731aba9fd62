#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "editor/symbology_dialog.h"
#include "editor_harness.h"
#include "ui/builtin_templates.h"

namespace appgen::editor {
namespace {

using K = ui::ControlKind;

// Each entry: a kind letter (C check box, R radio button, G group box, E edit,
// B button, S label), the id or "-" for a group box without one, and the text.
struct Expect {
    char kind;
    int id;
    const char* text;
};

void expectTemplate(const char* name, const char* caption, std::initializer_list<Expect> rows) {
    SCOPED_TRACE(name);
    const ui::DialogTemplate& t = ui::dialogTemplate(name);
    EXPECT_EQ(cp(caption), t.caption);
    const std::string letters = "CRGEBS";
    const K kinds[] = {K::CheckBox, K::RadioButton, K::GroupBox, K::Edit, K::Button, K::Label};
    for (const Expect& e : rows) {
        SCOPED_TRACE(e.text);
        const K kind = kinds[letters.find(e.kind)];
        const ui::ControlTemplate* c = nullptr;
        if (e.id == ui::kNoId) {
            for (const auto& ct : t.controls)
                if (ct.kind == kind && ct.text == cp(e.text)) c = &ct;
        } else {
            c = t.control(e.id);
        }
        ASSERT_NE(nullptr, c);
        EXPECT_EQ(kind, c->kind);
        if (e.kind != 'E') {
            EXPECT_EQ(cp(e.text), c->text);
        }
        if (kind == K::CheckBox) {
            EXPECT_FALSE(c->has(ui::kStyleAuto));  // flipped by the dialog
        }
    }
    EXPECT_EQ(cp("OK"), t.control(1)->text);
    EXPECT_EQ(cp("Сброс"), t.control(2)->text);
}

TEST(SymbologyTemplates, DialogsHaveTheirCaptionsIdsAndTexts) {
    expectTemplate("Code39Dlg", "Code 39 -Параметры",
                   {{'C', 101, "Передавать Start/Stop"},
                    {'C', 102, "Проверять контр. сумму"},
                    {'C', 103, "Передавать контр. сумму"},
                    {'C', 104, "Code 39 Full ASCII"}});
    expectTemplate("ItalyPharmaDlg", "Italian Pharmacode-Параметры",
                   {{'C', 101, "Передавать контр. сумму"}});
    expectTemplate("FrenchPharmaDlg", "French Pharmacode-Параметры",
                   {{'C', 101, "Передавать конр. сумму"}});
    for (const auto& [name, caption] :
         {std::pair{"Industrial25Dlg", "Industrial 25-Параметры"},
          std::pair{"Interleave25Dlg", "Interleave 25-Параметры"},
          std::pair{"Matrix25Dlg", "Matrix 25-Параметры"}})
        expectTemplate(name, caption,
                       {{'G', -1, "Выбор Start/Stop"},
                        {'R', 301, "Industrial 25"},
                        {'R', 302, "Interleave 25"},
                        {'R', 303, "Matrix 25"},
                        {'C', 101, "Проверять контр. сумму"},
                        {'C', 102, "Передавать контр. сумму"},
                        {'G', -1, "Ограничение по длине"},
                        {'R', 304, "Фиксированной длины"},
                        {'R', 305, "Max / Min длины"},
                        {'S', 401, "Max Length :"},
                        {'S', 402, "Min Length :"},
                        {'E', 501, ""},
                        {'E', 502, ""}});
    expectTemplate("CodabarDlg", "Codabar-Параметры",
                   {{'G', -1, "Start/Stop Символы"},
                    {'R', 301, "None"},
                    {'R', 302, "abcd / abcd"},
                    {'R', 303, "abcd / tn*e"},
                    {'R', 304, "ABCD / ABCD"},
                    {'R', 305, "ABCD / TN*E"}});
    expectTemplate("MSIDlg", "MSI-Параметр",
                   {{'G', -1, "Проверять контр. сумму"},
                    {'R', 301, "Single Modulo 10"},
                    {'R', 302, "Double Modulo 10"},
                    {'R', 303, "Modulo 11 && 10"},
                    {'G', -1, "Передавать контр. сумму"},
                    {'R', 304, "Не передавать последнюю цифру"},
                    {'R', 305, "Передавать"},
                    {'R', 306, "Не передавать последние две цифры"},
                    {'G', -1, "Ограничение по длине"},
                    {'R', 307, "Фиксированной длины"},
                    {'R', 308, "Max / Min длина"},
                    {'E', 501, ""},
                    {'E', 502, ""}});
    expectTemplate("PlesseyDlg", "Plessey-Параметр",
                   {{'C', 101, "Преобразовать в UK Plessey"}, {'C', 102, "Передавать контр. сумму"}});
    expectTemplate("UPCEDlg", "UPCE-Парметры",
                   {{'C', 101, "Преобразовать в UPCA"},
                    {'C', 102, "Передавать код области"},
                    {'C', 103, "Передавать контр. сумму"}});
    expectTemplate("EAN8Dlg", "EAN 8-Параметры",
                   {{'C', 101, "Преобразовать в EAN13"}, {'C', 102, "Передавать контр. сумму"}});
    expectTemplate("EAN13Dlg", "EAN 13 & UPCA-Параметры",
                   {{'C', 101, "ISBN Преобразование"},
                    {'C', 102, "ISSN Преобразование"},
                    {'C', 103, "Передавать контр. сумму"},
                    {'C', 104, "Передавать код области UPCA "},
                    {'C', 105, "Передавать контр. сумму UPCA "},
                    {'C', 106, "Преобразовать UPCA в EAN 13"}});
    expectTemplate("TelepenDlg", "Telepen-Параметры",
                   {{'R', 301, "Оригинальный Telepen  (Цифровой)"},
                    {'R', 302, "AIM Telepen  (Full ASCII)"}});
}

class SymbologyTest : public ::testing::Test {
protected:
    void open(int button) {
        const SymbologyLayout* layout = symbologyFor(button);
        ASSERT_NE(nullptr, layout);
        handler = std::make_unique<SymbologyDialog>(ws, *layout);
        dialog = std::make_unique<ui::Dialog>(ui::dialogTemplate(layout->templateName), *handler);
        dialog->start();
    }
    u8* bytes() { return ws.project.barcode.bytes; }
    void fill(u8 value) { std::memset(bytes(), value, sizeof ws.project.barcode); }
    // What the block must hold: the starting fill with some bytes changed.
    void expectBlock(u8 fillValue, std::initializer_list<std::pair<int, u8>> changed) {
        BarcodeSettings want;
        std::memset(want.bytes, fillValue, sizeof want.bytes);
        for (const auto& [at, value] : changed) want.bytes[at] = value;
        for (int i = 0; i < 23; ++i) EXPECT_EQ(want.bytes[i], bytes()[i]) << "byte " << i;
    }

    Workspace ws = testing::freshWorkspace();
    std::unique_ptr<SymbologyDialog> handler;
    std::unique_ptr<ui::Dialog> dialog;
};

TEST_F(SymbologyTest, EachCheckBoxStoresItsOwnBitOnlyOnOk) {
    struct Row {
        int button, id, byte, bit;
    };
    const Row rows[] = {
        {201, 101, 5, 7},  {201, 102, 5, 6},  {201, 103, 5, 5},  {201, 104, 5, 4},
        {202, 101, 5, 3},  {203, 101, 5, 2},  {204, 101, 6, 7},  {204, 102, 6, 6},
        {205, 101, 5, 1},  {205, 102, 5, 0},  {206, 101, 6, 5},  {206, 102, 6, 4},
        {209, 101, 9, 2},  {209, 102, 9, 3},  {213, 101, 9, 1},  {213, 102, 10, 1},
        {213, 103, 10, 5}, {216, 101, 11, 7}, {216, 102, 10, 3}, {219, 101, 10, 7},
        {219, 102, 10, 6}, {219, 103, 10, 2}, {219, 104, 10, 0}, {219, 105, 10, 4},
        {219, 106, 9, 0},
    };
    // Length pairs full of ones are 127/255 and store as 127/127: fill with
    // zero bits there so the lengths stay out of the comparison.
    for (const u8 start : {u8{0x00}, u8{0xFF}}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(::testing::Message() << r.button << "/" << r.id << " from " << int(start));
            fill(start);
            ws.modified = false;
            open(r.button);
            EXPECT_EQ(start != 0, dialog->checked(r.id));
            dialog->userClick(r.id);
            EXPECT_EQ(start == 0, dialog->checked(r.id));
            dialog->userOk();
            EXPECT_EQ(1, dialog->result());
            EXPECT_TRUE(ws.modified);
            const u8 flipped = static_cast<u8>(start ^ (1u << r.bit));
            if (!symbologyFor(r.button)->lengths) {
                expectBlock(start, {{r.byte, flipped}});
            } else {
                EXPECT_EQ(flipped, bytes()[r.byte]);
            }
        }
    }
}

TEST_F(SymbologyTest, TheSecondButtonStoresNothing) {
    fill(0x00);
    open(219);
    dialog->userClick(101);
    dialog->userClick(106);
    dialog->userCancel();
    EXPECT_EQ(0, dialog->result());
    expectBlock(0x00, {});
    EXPECT_FALSE(ws.modified);
}

TEST_F(SymbologyTest, TwoOfFiveStartStopPatternsGoToTheirOwnBits) {
    struct Row {
        int button, byte, shift;
    };
    const Row rows[] = {{204, 6, 0}, {205, 6, 2}, {206, 7, 6}};
    for (const Row& r : rows) {
        for (int choice = 0; choice < 3; ++choice) {
            SCOPED_TRACE(::testing::Message() << r.button << " radio " << 301 + choice);
            fill(0x00);
            bytes()[r.byte] = 0xFF;
            open(r.button);
            dialog->userClick(301 + choice);
            dialog->userOk();
            EXPECT_EQ((0xFF & ~(3 << r.shift)) | (choice << r.shift), bytes()[r.byte]);
            open(r.button);
            for (int i = 0; i < 3; ++i) EXPECT_EQ(i == choice, dialog->checked(301 + i));
        }
    }
    // A pattern code no radio stands for shows none and is kept.
    fill(0x00);
    bytes()[6] = 0x03;
    open(204);
    for (int id : {301, 302, 303}) EXPECT_FALSE(dialog->checked(id));
    dialog->userOk();
    EXPECT_EQ(0x03, bytes()[6]);
}

TEST_F(SymbologyTest, CodabarNoneClearsItsThreeBitsAndLeavesMatrix25s) {
    struct Row {
        int radio;
        u8 bits;  // bits 5-3 of byte 7
    };
    const Row rows[] = {{301, 0x00}, {302, 0x08}, {303, 0x18}, {304, 0x28}, {305, 0x38}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.radio);
        fill(0x00);
        bytes()[7] = 0xFF;
        open(207);
        EXPECT_TRUE(dialog->checked(305));
        dialog->userClick(r.radio);
        dialog->userOk();
        EXPECT_EQ(0xC7 | r.bits, bytes()[7]);
        expectBlock(0x00, {{7, static_cast<u8>(0xC7 | r.bits)}});
    }
    // Opening: a clear bit 3 is "None" whatever bits 5-4 say.
    const std::pair<u8, int> opened[] = {{0x30, 301}, {0x10, 301}, {0x08, 302}, {0x18, 303},
                                         {0x28, 304}, {0x38, 305}};
    for (const auto& [byte7, radio] : opened) {
        bytes()[7] = byte7;
        open(207);
        for (int id = 301; id <= 305; ++id) EXPECT_EQ(id == radio, dialog->checked(id)) << int(byte7);
    }
}

TEST_F(SymbologyTest, MsiAndTelepenRadios) {
    fill(0x00);
    open(208);
    EXPECT_TRUE(dialog->checked(301));
    EXPECT_TRUE(dialog->checked(304));
    EXPECT_TRUE(dialog->checked(307));
    dialog->userClick(303);
    dialog->userClick(306);
    dialog->userClick(308);
    dialog->userOk();
    EXPECT_EQ(0xA0, bytes()[9]);
    EXPECT_EQ(0x81, bytes()[18]);  // max/min, lengths 0 become 1
    EXPECT_EQ(0x01, bytes()[19]);

    fill(0x00);
    open(223);
    EXPECT_FALSE(dialog->checked(301));
    EXPECT_TRUE(dialog->checked(302));
    dialog->userClick(301);
    dialog->userOk();
    expectBlock(0x00, {{2, 0x02}});
    open(223);
    EXPECT_TRUE(dialog->checked(301));
    dialog->userClick(302);
    dialog->userOk();
    expectBlock(0x00, {});
}

TEST_F(SymbologyTest, LengthsAreHeldWhileTypingAndCorrectedOnOk) {
    struct Row {
        int button;
        const char* length1;
        const char* length2;
        const char* shown1;
        const char* shown2;
        u8 stored1, stored2;  // without the mode bit
    };
    const Row rows[] = {
        {204, "10", "20", "10", "20", 10, 10},    {204, "0", "5", "0", "5", 1, 1},
        {204, "50", "0", "50", "0", 50, 1},       {205, "300", "3", "300", "3", 127, 3},
        {205, "abc", "x", "127", "1", 127, 1},    {206, "", "", "", "", 1, 1},
        {206, "127", "4294967296", "127", "4294967296", 127, 127}, {208, "40", "300", "40", "300", 40, 40},
        {208, "128", "128", "128", "128", 127, 127},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.button << " " << r.length1 << "/" << r.length2);
        const int first = r.button == 204 ? 12 : r.button == 205 ? 14 : r.button == 206 ? 16 : 18;
        for (const u8 mode : {u8{0x00}, u8{0x80}}) {
            fill(0x00);
            bytes()[first] = mode;
            open(r.button);
            dialog->userType(501, r.length1);
            dialog->userType(502, r.length2);
            EXPECT_EQ(r.shown1, dialog->text(501));
            EXPECT_EQ(r.shown2, dialog->text(502));
            dialog->userOk();
            EXPECT_EQ(mode | r.stored1, bytes()[first]);
            EXPECT_EQ(r.stored2, bytes()[first + 1]);
        }
    }
}

TEST_F(SymbologyTest, LengthBoxesShowTheStoredLengthsAndTheModeRelabelsThem) {
    struct Row {
        int button, first, fixedRadio;
        bool labelsOnOpen;
    };
    const Row rows[] = {{204, 12, 304, true}, {205, 14, 304, true}, {206, 16, 304, true},
                        {208, 18, 307, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button);
        fill(0x00);
        bytes()[r.first] = 0x0C;  // fixed, 12
        bytes()[r.first + 1] = 8;
        open(r.button);
        EXPECT_EQ("12", dialog->text(501));
        EXPECT_EQ("8", dialog->text(502));
        EXPECT_TRUE(dialog->checked(r.fixedRadio));
        EXPECT_EQ(r.labelsOnOpen ? "Fixed Length 1:" : "Max Length :", dialog->text(401));
        EXPECT_EQ(r.labelsOnOpen ? "Fixed Length 2:" : "Min Length :", dialog->text(402));
        dialog->userClick(r.fixedRadio + 1);
        EXPECT_FALSE(dialog->checked(r.fixedRadio));
        EXPECT_EQ("Max Length :", dialog->text(401));
        EXPECT_EQ("Min Length :", dialog->text(402));
        dialog->userClick(r.fixedRadio);
        EXPECT_EQ("Fixed Length 1:", dialog->text(401));
        EXPECT_EQ("Fixed Length 2:", dialog->text(402));
        dialog->userClick(r.fixedRadio + 1);
        dialog->userOk();
        EXPECT_EQ(0x8C, bytes()[r.first]);
        EXPECT_EQ(8, bytes()[r.first + 1]);

        bytes()[r.first] = 0xFF;  // max/min, 127: the template's labels stay
        open(r.button);
        EXPECT_EQ("127", dialog->text(501));
        EXPECT_EQ("Max Length :", dialog->text(401));
    }
}

}  // namespace
}  // namespace appgen::editor
