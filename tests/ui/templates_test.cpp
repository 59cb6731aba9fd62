#include <gtest/gtest.h>

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
    EXPECT_EQ(std::size(rows), builtinTemplates().all().size());
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

struct Expected {
    int id;
    ControlKind kind;
    const char* text;  // nullptr: no text to check
};

void expectControls(const char* name, std::initializer_list<Expected> rows) {
    const DialogTemplate& t = dialogTemplate(name);
    for (const Expected& e : rows) {
        SCOPED_TRACE(std::string(name) + " control " + std::to_string(e.id));
        const ControlTemplate* c = t.control(e.id);
        ASSERT_NE(nullptr, c);
        EXPECT_EQ(e.kind, c->kind);
        if (e.text) {
            EXPECT_EQ(cp(e.text), c->text);
        }
    }
}

// Labels and group boxes without ids are checked by their texts.
void expectTexts(const char* name, std::initializer_list<const char*> texts) {
    const DialogTemplate& t = dialogTemplate(name);
    for (const char* text : texts) {
        bool found = false;
        for (const auto& c : t.controls) found = found || c.text == cp(text);
        EXPECT_TRUE(found) << name << " lacks \"" << text << "\"";
    }
}

using K = ControlKind;

TEST(BuiltinTemplates, FormPageControls) {
    expectControls("FORMDLG", {{690, K::DropDownList, nullptr},
                               {691, K::DropDownList, nullptr},
                               {692, K::DropDownList, nullptr},
                               {693, K::DropDownList, nullptr},
                               {694, K::DropDownList, nullptr},
                               {695, K::DropDownList, nullptr},
                               {210, K::Button, "Добавить Дату/Время"},
                               {211, K::Button, "Сброс"}});
    for (int i = 0; i < 8; ++i)
        expectControls("FORMDLG", {{601 + i, K::DropDownList, nullptr},
                                   {501 + i, K::Edit, nullptr},
                                   {611 + i, K::DropDownList, nullptr},
                                   {511 + i, K::Edit, nullptr},
                                   {521 + i, K::Edit, nullptr},
                                   {621 + i, K::DropDownList, nullptr},
                                   {201 + i, K::Button, "Еще..."}});
    expectTexts("FORMDLG", {"Имя :", "Шрифт :", "Esc  :", "Следующая :", "Поиск :", "Запись :",
                            "Строка", "#1", "#8", "Тип данных", "Подсказка", "Источник",
                            "Min длина", "Max длина", "Поиск в", "Дополнительно"});
}

TEST(BuiltinTemplates, FieldPropertiesControls) {
    expectControls("AdvanceDlg", {{401, K::Label, nullptr},
                                  {402, K::Label, nullptr},
                                  {101, K::CheckBox, "Фикс. длина поля"},
                                  {501, K::Edit, nullptr},
                                  {601, K::DropDownList, nullptr},
                                  {102, K::CheckBox, "Начальное знач-ие"},
                                  {502, K::Edit, nullptr},
                                  {103, K::CheckBox, "Префикс"},
                                  {503, K::Edit, nullptr},
                                  {104, K::CheckBox, "Суффикс"},
                                  {504, K::Edit, nullptr},
                                  {105, K::CheckBox, "Маркировка ввода"},
                                  {505, K::Edit, nullptr},
                                  {111, K::CheckBox, "Читать часть кода"},
                                  {512, K::Edit, nullptr},
                                  {513, K::Edit, nullptr},
                                  {114, K::CheckBox, "Проверить префикс"},
                                  {514, K::Edit, nullptr},
                                  {615, K::DropDownList, nullptr},
                                  {1, K::Button, "Принять"},
                                  {2, K::Button, "Отменить"}});
    expectTexts("AdvanceDlg", {"Форма #", "Строка #", "Данные поля", "Ввод кода",
                               "Стартовая позиция : ", "Максимальная длина :", "Авто ВВОД :"});
    expectControls("LookupAdvanceDlg", {{401, K::Label, nullptr},
                                        {402, K::Label, nullptr},
                                        {101, K::CheckBox, "Сохранить данные"},
                                        {102, K::CheckBox, "Фиксированная длина"},
                                        {502, K::Edit, nullptr},
                                        {602, K::DropDownList, nullptr},
                                        {103, K::CheckBox, "Добавить префикс"},
                                        {503, K::Edit, nullptr},
                                        {104, K::CheckBox, "Добавить суффикс"},
                                        {504, K::Edit, nullptr},
                                        {1, K::Button, "OK"},
                                        {2, K::Button, "Сброс"}});
    expectTexts("LookupAdvanceDlg", {"Данные"});
}

TEST(BuiltinTemplates, StampGridComAndAboutControls) {
    expectControls("DateTimeStampDlg",
                   {{601, K::DropDownList, nullptr},
                    {101, K::CheckBox, "Разделить Дату и Время на два поля."},
                    {901, K::GroupBox, "Формат Даты"},
                    {102, K::CheckBox, "Год"},
                    {602, K::DropDownList, nullptr},
                    {103, K::CheckBox, "Месяц"},
                    {104, K::CheckBox, "День"},
                    {105, K::CheckBox, "Разделитель"},
                    {505, K::Edit, nullptr},
                    {606, K::DropDownList, nullptr},
                    {902, K::GroupBox, "Формат Времени"},
                    {111, K::CheckBox, "Часы"},
                    {112, K::CheckBox, "Минуты"},
                    {113, K::CheckBox, "Секунды"},
                    {114, K::CheckBox, "Разделитель"},
                    {514, K::Edit, nullptr},
                    {1, K::Button, "OK"},
                    {2, K::Button, "Сброс"}});
    expectTexts("DateTimeStampDlg", {"Формат Дата/Время :", "Формат Даты :"});
    expectControls("GridDlg", {{401, K::Custom, nullptr},
                               {402, K::Custom, nullptr},
                               {201, K::Button, "Очистить"},
                               {1, K::Button, "OK"},
                               {2, K::Button, "Сброс"}});
    expectTexts("GridDlg", {"Получившийся текст :"});
    expectControls("COMSETTINGDLG", {{601, K::DropDownList, nullptr},
                                     {602, K::DropDownList, nullptr},
                                     {1, K::Button, "OK"},
                                     {2, K::Button, "Сброс"}});
    expectTexts("COMSETTINGDLG", {"COM порт :", "Скорость :"});
    expectControls("ABOUTBOX", {{1, K::Button, "OK"}});
    const std::string about = dialogTemplate("ABOUTBOX").control(1000)->text;
    EXPECT_NE(std::string::npos, about.find("Ver 1.13r"));
    expectTexts("ProgressDlg", {"Загрузка..."});
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
