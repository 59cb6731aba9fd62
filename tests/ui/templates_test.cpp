#include <gtest/gtest.h>

#include <set>
#include <string>

#include "project/text.h"
#include "ui/builtin_templates.h"
#include "ui/template_parser.h"

namespace appgen::ui {
namespace {

std::string cp(const char* utf8) { return utf8ToCp1251(utf8); }

TEST(BuiltinTemplates, EveryDialogIsThereWithItsCaptionAndSize) {
    struct Row {
        const char* name;
        const char* caption;
        int width, height;
    };
    const Row rows[] = {
        {"FORMDLG", "Форма", 420, 250},
        {"MENUDLG", "Меню", 420, 250},
        {"LOOKUPDLG", "База Данных", 420, 250},
        {"BARCODESETTINGDLG", "Штриховой код", 420, 250},
        {"SETTINGSDLG", "Установки", 420, 250},
        {"STARTUPDLG", "Начало работы", 420, 250},
        {"AdvanceDlg", "Свойства", 325, 178},
        {"LookupAdvanceDlg", "Свойства", 166, 181},
        {"DateTimeStampDlg", "Добавить Дату/Время", 320, 190},
        {"GridDlg", "Редактор символов", 345, 230},
        {"COMSETTINGDLG", "Настройка COM порта", 0, 0},
        {"ABOUTBOX", "Генератор приложений для DTR4610", 0, 0},
        {"ProgressDlg", "Прогресс", 104, 40},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const DialogTemplate* t = builtinTemplates().find(r.name);
        ASSERT_NE(nullptr, t);
        EXPECT_EQ(cp(r.caption), t->caption);
        if (r.width) {
            EXPECT_EQ(r.width, t->width);
            EXPECT_EQ(r.height, t->height);
        }
    }
    // Each page's file brings its own dialogs; no name may come twice.
    std::set<std::string> names;
    for (const DialogTemplate& t : builtinTemplates().all())
        EXPECT_TRUE(names.insert(t.name).second) << t.name << " is defined twice";
}

// Group boxes frame the controls inside them; everything else stands apart.
TEST(BuiltinTemplates, NoControlOverlapsAnotherOrLeavesItsDialog) {
    for (const DialogTemplate& t : builtinTemplates().all()) {
        SCOPED_TRACE(t.name);
        const DialogRect dialog{0, 0, t.width, t.height};
        for (std::size_t i = 0; i < t.controls.size(); ++i) {
            const ControlTemplate& a = t.controls[i];
            EXPECT_TRUE(dialog.contains(a.rect)) << "control " << a.id << " at " << a.rect.x << ","
                                                 << a.rect.y << " leaves the dialog";
            for (std::size_t j = i + 1; j < t.controls.size(); ++j) {
                const ControlTemplate& b = t.controls[j];
                if (!a.rect.overlaps(b.rect)) continue;
                const bool framed = (a.kind == ControlKind::GroupBox && a.rect.contains(b.rect)) ||
                                    (b.kind == ControlKind::GroupBox && b.rect.contains(a.rect));
                EXPECT_TRUE(framed) << "controls #" << i << " (id " << a.id << ") and #" << j
                                    << " (id " << b.id << ") overlap";
            }
        }
    }
}

// Each entry: a kind letter (E edit, L drop-down list, B button, C check box,
// G group box, S label, X custom), the id, and "=text" where the text matters.
// "=text" alone names a label or group box without an id.
void expectControls(const char* name, std::initializer_list<const char*> entries) {
    const DialogTemplate& t = dialogTemplate(name);
    const std::string kinds = "ELBCGSX";
    const ControlKind kindOf[] = {ControlKind::Edit,     ControlKind::DropDownList,
                                  ControlKind::Button,   ControlKind::CheckBox,
                                  ControlKind::GroupBox, ControlKind::Label,
                                  ControlKind::Custom};
    for (const std::string e : entries) {
        SCOPED_TRACE(std::string(name) + " " + e);
        const std::size_t eq = e.find('=');
        const std::string text = eq == std::string::npos ? "" : cp(e.substr(eq + 1).c_str());
        if (eq == 0) {
            bool found = false;
            for (const auto& c : t.controls) found = found || c.text == text;
            EXPECT_TRUE(found);
            continue;
        }
        const ControlTemplate* c = t.control(std::stoi(e.substr(1)));
        ASSERT_NE(nullptr, c);
        EXPECT_EQ(kindOf[kinds.find(e[0])], c->kind);
        if (eq != std::string::npos) {
            EXPECT_EQ(text, c->text);
        }
    }
}

// The ids the dialogs handle are checked against their code's lists (the
// editor's with the pages, COMSETTINGDLG's with the shell); here the texts
// and the controls no code handles.
TEST(BuiltinTemplates, ShellDialogControls) {
    expectControls("COMSETTINGDLG", {"B1=OK", "B2=Сброс", "=COM порт :", "=Скорость :", "=Устройство :"});
    expectControls("ABOUTBOX", {"B1=OK"});
    EXPECT_NE(std::string::npos, dialogTemplate("ABOUTBOX").control(1000)->text.find("Ver 1.13r"));
    expectControls("ProgressDlg", {"=Загрузка..."});
}

TEST(BuiltinTemplates, GridDialogKeepsItsGivenGeometry) {
    const DialogTemplate& t = dialogTemplate("GridDlg");
    EXPECT_EQ("MS San Serif", t.fontName);
    EXPECT_EQ(8, t.fontSize);
    const auto rect = [&](int id) { return t.control(id)->rect; };
    const auto same = [](DialogRect a, DialogRect b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    };
    EXPECT_TRUE(same(DialogRect{10, 10, 323, 170}, rect(401)));
    EXPECT_TRUE(same(DialogRect{10, 202, 210, 12}, rect(402)));
    EXPECT_TRUE(same(DialogRect{235, 200, 40, 14}, rect(201)));
    EXPECT_TRUE(same(DialogRect{292, 190, 40, 14}, rect(1)));
    EXPECT_TRUE(same(DialogRect{292, 210, 40, 14}, rect(2)));
    EXPECT_TRUE(t.control(1)->has(kStyleDefault));
}

TEST(TemplateParser, ReadsKindsTextsAndFlags) {
    const auto parse = parseTemplates(
        "// comment\n"
        "X DIALOG 100, 50\n"
        "CAPTION \"Проба \\\"1\\\"\"\n"
        "FONT 9, \"Face\"\n"
        "BEGIN\n"
        "  AUTORADIOBUTTON \"a\", 301, 1, 2, 30, 10, GROUP | DISABLED  // trailing\n"
        "  EDITTEXT 501, 1, 20, 30, 12, HIDDEN\n"
        "  CTEXT \"two\\nlines\", -1, 40, 2, 30, 16\n"
        "END\n");
    ASSERT_TRUE(parse.ok()) << parse.error;
    ASSERT_EQ(1u, parse.templates.size());
    const DialogTemplate& t = parse.templates[0];
    EXPECT_EQ(cp("Проба \"1\""), t.caption);
    EXPECT_EQ("Face", t.fontName);
    EXPECT_EQ(9, t.fontSize);
    ASSERT_EQ(3u, t.controls.size());
    EXPECT_EQ(ControlKind::RadioButton, t.controls[0].kind);
    EXPECT_EQ(kStyleAuto | kStyleGroup | kStyleDisabled, t.controls[0].style);
    EXPECT_EQ(ControlKind::Edit, t.controls[1].kind);
    EXPECT_TRUE(t.controls[1].has(kStyleHidden));
    EXPECT_EQ("two\nlines", t.controls[2].text);
    EXPECT_EQ(kNoId, t.controls[2].id);
}

TEST(TemplateParser, ReportsTheLineOfEachFault) {
    struct Row {
        const char* source;
        const char* error;
    };
    const Row rows[] = {
        {"X DIALOG 10\n", "line 1: expected NAME DIALOG"},
        {"X DIALOG 10, 10\nBEGIN\nBUTTON \"a\", 1, 0, 0, 5, 5\nEND\n",
         "line 3: unknown control kind BUTTON"},
        {"X DIALOG 10, 10\nBEGIN\nLTEXT 1, 0, 0, 5, 5\nEND\n", "line 3: LTEXT needs a text"},
        {"X DIALOG 10, 10\nBEGIN\nEDITTEXT 1, 0, 0, 5\nEND\n", "line 3: EDITTEXT needs id"},
        {"X DIALOG 10, 10\nBEGIN\nEDITTEXT 1, 0, 0, 5, 5, BOLD\nEND\n", "line 3: unknown flag"},
        {"X DIALOG 10, 10\nBEGIN\nEDITTEXT 1, 0, 0, 5, 5\nEDITTEXT 1, 0, 6, 5, 5\nEND\n",
         "line 4: second control with id 1"},
        {"X DIALOG 10, 10\nBEGIN\nLTEXT \"open, -1, 0, 0, 5, 5\nEND\n",
         "line 3: unterminated text"},
        {"X DIALOG 10, 10\nCAPTION \"☃\"\nBEGIN\nEND\n", "line 2: caption not in Windows-1251"},
        {"X DIALOG 10, 10\nBEGIN\nEND\nX DIALOG 5, 5\nBEGIN\nEND\n", "line 4: second template X"},
        {"X DIALOG 10, 10\nBEGIN\n", "template X has no END"},
        {"X DIALOG 10, 10\nBEGIN\nEDITTEXT 1, 0, 0, 0, 5\nEND\n", "line 3: empty control"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.source);
        const auto parse = parseTemplates(r.source);
        EXPECT_FALSE(parse.ok());
        EXPECT_NE(std::string::npos, parse.error.find(r.error)) << parse.error;
        EXPECT_TRUE(parse.templates.empty());
    }
}

}  // namespace
}  // namespace appgen::ui
