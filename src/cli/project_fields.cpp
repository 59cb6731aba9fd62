#include "cli/project_fields.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "cli/cli_project.h"
#include "editor/settings_lists.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen::cli {
namespace {

using Names = std::vector<std::string>;
using Shape = ProjectField::Shape;

const Names kFonts = {"маленький", "большой"};
const Names kLineTypes = {"пусто",     "текст",         "целое",    "дробное", "буквы",
                          "авто(+/-)", "логическое",    "база",     "фиксированные",
                          "надпись",   "счётчик",       "предыд.форма", "расширение"};
const Names kSources = {"сканер", "клавиатура", "скан.+клав."};
const Names kRecordActions = {"сохранить в файле",     "обновить базу",
                              "сохранить и обновить",  "передать в след.форму",
                              "отправить запись в порт", "отправить экран"};
const Names kLookupSearch = {"не искать", "1ая база", "2ая база", "3я база"};
const Names kStampPositions = {"пусто", "добавить в начало записи", "добавить в конец записи"};
const Names kYearDigits = {"4 Цифры (ГГГГ)", "2 Цифры (ГГ)"};
const Names kDateOrders = {"Год.Месяц.День", "Месяц.День.Год", "День.Месяц.Год"};
const Names kAligns = {"влево, пробелы", "вправо, пробелы", "влево, нули", "вправо, нули"};
const Names kAutoEnter = {"Нет", "Скан+Ввод", "Ввод+Скан"};
const Names kNotFound = {"Продолжить", "Предупредить", "Вставить в базу", "Предупредить и вставить"};
const Names kComPorts = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
const Names kBauds = {"115200", "57600", "38400", "19200", "9600"};
const Names kUploadPorts = {"Direct-RS232", "Cradle-IR", "IrDA", "Keyboard Wedge", "Modem"};
const Names kDownloadPorts = {"Direct-RS232", "Cradle-IR", "IrDA", "Modem"};
const Names kBacklight = {"Turn off", "Turn on"};
const Names kDeletion = {"Manual", "Automatic"};
const Names kEntryMessages = {"No prompt", "Show record count", "Show record"};
const Names kProtected = {"Настройки",           "Редактирование данных", "Удаление данных",
                          "Установка Дата/Время", "Загрузка задачи",       "Загрузка базы данных",
                          "Порт выгрузки",       "Порт загрузки",         "Скорость передачи данных",
                          "Подсветка",           "Удаление данных",       "Дополнительные опции"};
const Names kShiftLock = {"Нормальное", "Capital-lock клавиатура", "Shift-lock клавиатура"};
const Names kDigitLayout = {"Нормальное", "Цифры внизу", "Цифры вверху"};
const Names kScanModes = {"Автогашение", "Непрерывный", "Автовыключение",
                          "Альтернативный", "Разовый", "Повторяющийся",
                          "Лазерный",    "Тестовый",    "Прицеливание"};
const Names kRedundancy = {"Нет", "Один раз", "Два раза", "Три раза"};
const Names kStartStop25 = {"Industrial 25", "Interleave 25", "Matrix 25"};
const Names kCodabarFormats = {"abcd / abcd", "abcd / tn*e", "ABCD / ABCD", "ABCD / TN*E"};
const Names kMsiCheck = {"Single Modulo 10", "Double Modulo 10", "Modulo 11 & 10"};
const Names kMsiSend = {"Не передавать последнюю цифру", "Передавать",
                        "Не передавать последние две цифры"};
const Names kLengthModes = {"Фиксированной длины", "Max / Min длины"};
const Names kTelepen = {"AIM Telepen (Full ASCII)", "Оригинальный Telepen (Цифровой)"};

std::string num(unsigned v) { return std::to_string(v); }

// The Settings page's own lists, in the dump's UTF-8.
Names utf8(const editor::List& cp1251) {
    Names out;
    for (const auto& s : cp1251) out.push_back(cp1251ToUtf8(s));
    return out;
}
const Names kFnFunctions = utf8(editor::fnFunctionList());
const Names kKeyboards = utf8(editor::keyboardTypeList());

// A value outside a list keeps its number, so two values never read alike.
std::function<std::string(unsigned)> listed(const Names& names) {
    return [&names](unsigned v) { return v < names.size() ? names[v] : "? (" + num(v) + ")"; };
}
std::function<std::string(unsigned)> flag(std::string off = "нет", std::string on = "да") {
    return [off, on](unsigned v) { return v == 0 ? off : v == 1 ? on : on + " (" + num(v) + ")"; };
}
std::function<std::string(unsigned)> number(std::string unit = {}) {
    return [unit](unsigned v) { return unit.empty() ? num(v) : num(v) + " " + unit; };
}
std::string target(unsigned t) {
    if (t == 0) return "Глав.Меню";
    if (t <= 10) return "форма " + num(t);
    if (t <= 20) return "меню  " + num(t - 10);
    return "? (" + num(t) + ")";
}
std::string hex(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v);
    return buf;
}

// Texts in quotes; control bytes, quotes and backslashes as \xNN, so every byte shows.
std::string quoted(std::string_view cp1251) {
    std::string out = "\"";
    for (char c : cp1251) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x98 || b == '"' || b == '\\') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += cp1251ToUtf8(std::string_view(&c, 1));
        }
    }
    return out + "\"";
}

std::string charCode(unsigned code) {
    if (code == 0) return "нет";
    return num(code) + " " + quoted(std::string(1, static_cast<char>(code)));
}

// Bytes that differ from the reset project, as "@offset: hex hex" runs.
std::string changedBytes(const u8* cur, const u8* reset, std::size_t from, std::size_t to,
                         std::size_t offset) {
    std::string out;
    for (std::size_t i = from; i < to;) {
        if (cur[i] == reset[i]) {
            ++i;
            continue;
        }
        if (!out.empty()) out += ", ";
        out += '@';
        out += num(static_cast<unsigned>(offset + i));
        out += ':';
        for (; i < to && cur[i] != reset[i]; ++i) {
            char buf[4];
            std::snprintf(buf, sizeof buf, " %02X", cur[i]);
            out += buf;
        }
    }
    return out;
}

const u8* bytesOf(const Project& p) { return reinterpret_cast<const u8*>(&p); }

// Builds the table against a probe record, so offsets come from the fields themselves.
class TableBuilder {
public:
    std::vector<FieldGroup> groups;

    void group(std::string record, std::string part = {},
               std::function<bool(const Project&)> inUse = {}) {
        groups.push_back({std::move(record), std::move(part), std::move(inUse), {}});
    }
    template <typename T>
    void value(std::string name, const T& at, std::function<std::string(unsigned)> show,
               bool headline = true, u8 mask = 0xFF) {
        static_assert(sizeof(T) == 1);
        add({std::move(name), offset(&at), 1, mask, Shape::Value, headline, std::move(show)});
    }
    void bits(std::string name, int byte, u8 mask, std::function<std::string(unsigned)> show,
              bool headline = true) {
        add({std::move(name), offset(&probe.barcode.bytes[byte]), 1, mask, Shape::Value, headline,
             std::move(show)});
    }
    void text(std::string name, const char* slot, std::size_t size, bool headline = true) {
        add({std::move(name), offset(slot), size, 0xFF, Shape::Text, headline, {}});
    }
    template <std::size_t N>
    void text(std::string name, const char (&slot)[N], bool headline = true) {
        text(std::move(name), slot, N, headline);
    }
    void raw(std::string name, const void* at, std::size_t size) {
        add({std::move(name), offset(at), size, 0xFF, Shape::Raw, false, {}});
    }

    const Project probe{};

private:
    std::size_t offset(const void* at) const {
        return static_cast<std::size_t>(static_cast<const u8*>(at) - bytesOf(probe));
    }
    void add(ProjectField f) { groups.back().fields.push_back(std::move(f)); }
};

void addForms(TableBuilder& t) {
    for (int f = 0; f < kFormCount; ++f) {
        const FormDef& d = t.probe.forms[f];
        const std::string record = "Форма " + num(f + 1);
        t.group(record);
        t.value("шрифт", d.font, flag("маленький", "большой"));
        t.value("по ESC", d.escTarget, target);
        t.value("после записи", d.nextTarget, target);
        t.value("запись", d.recordAction, listed(kRecordActions));
        t.value("поиск", d.lookupSearch, listed(kLookupSearch));

        t.group(record, "дата/время", [f](const Project& p) { return p.forms[f].stampPosition != 0; });
        t.value("место", d.stampPosition, listed(kStampPositions));
        t.value("раздельно", d.stampSplit, flag());
        t.value("год", d.stampYear, flag());
        t.value("цифр года", d.stampYearDigits, listed(kYearDigits));
        t.value("месяц", d.stampMonth, flag());
        t.value("день", d.stampDay, flag());
        t.value("разделять дату", d.stampDateSepOn, flag());
        t.text("разделитель даты", d.stampDateSep);
        t.value("порядок", d.stampDateOrder, listed(kDateOrders));
        t.value("часы", d.stampHours, flag());
        t.value("минуты", d.stampMinutes, flag());
        t.value("секунды", d.stampSeconds, flag());
        t.value("разделять время", d.stampTimeSepOn, flag());
        t.text("разделитель времени", d.stampTimeSep);

        for (int i = 0; i < kFormLines; ++i) {
            t.group(record, "строка " + num(i + 1),
                    [f, i](const Project& p) { return p.forms[f].lineType[i] != kLineEmpty; });
            t.value("тип", d.lineType[i], listed(kLineTypes));
            t.text("подсказка", d.prompt[i]);
            t.value("источник", d.source[i], listed(kSources));
            t.value("мин. длина", d.minLen[i], number());
            t.value("макс. длина", d.maxLen[i], number());
            t.value("поле базы", d.searchIn[i], [](unsigned v) {
                if (v == 0) return std::string("пусто");
                if (v <= 8) return "поле " + num(v);
                if (v <= 16) return "-поле " + num(v - 8);
                if (v <= 24) return "+поле " + num(v - 16);
                return "? (" + num(v) + ")";
            }, false);
            t.value("фикс. длина вкл.", d.fixedLenOn[i], flag(), false);
            t.value("фикс. длина", d.fixedLen[i], number(), false);
            t.value("выравнивание", d.align[i], listed(kAligns), false);
            t.value("начальное вкл.", d.initialOn[i], flag(), false);
            t.text("начальное", d.initialValue[i], false);
            t.value("префикс вкл.", d.prefixOn[i], flag(), false);
            t.text("префикс", d.prefix[i], false);
            t.value("суффикс вкл.", d.suffixOn[i], flag(), false);
            t.text("суффикс", d.suffix[i], false);
            t.value("часть кода вкл.", d.partialOn[i], flag(), false);
            t.value("часть с", d.partialStart[i], number(), false);
            t.value("часть длина", d.partialLen[i], number(), false);
            t.value("префикс кода вкл.", d.checkPrefixOn[i], flag(), false);
            t.text("префикс кода", d.checkPrefix[i], false);
            t.value("автоввод", d.autoEnter[i], listed(kAutoEnter));
            t.value("знак ввода", d.inputMark[i], charCode, false);
            t.text("текст строки", d.lineText[i], false);
        }
        t.group(record, "служебное");
        t.value("последняя строка ввода", d.lastInputLine, number(), false);
        t.value("текущая строка", d.currentLine, number(), false);
        t.raw("резерв", d.reserved, sizeof d.reserved);
    }
}

void addMenus(TableBuilder& t) {
    for (int m = 0; m < kMenuCount; ++m) {
        const MenuDef& d = t.probe.menus[m];
        const std::string record = "Меню " + num(m + 1);
        t.group(record);
        t.value("шрифт", d.font, flag("маленький", "большой"));
        t.value("показывать заголовок", d.titleOn, flag());
        t.text("заголовок", d.title);
        t.value("по ESC", d.escTarget, target);
        t.value("сохранять заголовок", d.saveTitle, flag(), false);
        t.value("сохранять пункт", d.saveItem, flag(), false);
        t.value("передавать дальше", d.sendOn, flag(), false);
        for (int i = 0; i < kMenuItems; ++i) {
            t.group(record, "пункт " + num(i + 1), [m, i](const Project& p) {
                return slotLength(p.menus[m].itemText[i]) != 0 || p.menus[m].itemTarget[i] != 0;
            });
            t.text("текст", d.itemText[i]);
            t.value("переход", d.itemTarget[i], target);
        }
        t.group(record, "служебное");
        t.value("число пунктов", d.itemCount, number(), false);
        t.value("выбранный пункт", d.selection, number(), false);
        t.value("рабочий байт", d.scratch, number(), false);
        t.raw("резерв", d.reserved, sizeof d.reserved);
    }
}

void addLookups(TableBuilder& t) {
    for (int k = 0; k < kLookupCount; ++k) {
        const LookupDef& d = t.probe.lookups[k];
        const std::string record = "База " + num(k + 1);
        t.group(record);
        t.value("длина записи", d.recLen, number());
        t.value("полей", d.fieldCount, number());
        t.value("ключ", d.keyField, [](unsigned v) { return "поле " + num(v + 1); });
        t.value("разделитель", d.separator,
                [](unsigned v) { return v == 0 ? std::string("фиксированная длина") : charCode(v); });
        t.value("можно выгрузить", d.uploadAllowed, flag());
        t.value("если не найдено", d.notFound, listed(kNotFound));
        for (int i = 0; i < kLookupFields; ++i) {
            t.group(record, "поле " + num(i + 1),
                    [k, i](const Project& p) { return i < p.lookups[k].fieldCount; });
            t.value("смещение", d.fieldOffset[i], number());
            t.value("длина", d.fieldLen[i], number());
        }
        t.group(record, "служебное");
        t.raw("резерв", d.reserved, sizeof d.reserved);
    }
}

// One symbology's options: a part of the barcode record.
struct BitName {
    const char* name;
    int byte;
    u8 mask;
};

void addBarcode(TableBuilder& t) {
    const std::string record = "Штрихкод";
    t.group(record);
    t.bits("режим сканирования", 20, 0xF0, listed(kScanModes));
    t.bits("повторное чтение", 11, 0x0C, listed(kRedundancy));
    t.bits("тайм-аут", 21, 0xFF, number("с"));
    t.bits("штрихкод с инверсией", 11, 0x10, flag());

    t.group(record, "символики");
    constexpr BitName kSymbologies[] = {
        {"Code 39", 0, 0x80},       {"Italian Pharmacode", 0, 0x40}, {"French Pharmacode", 0, 0x20},
        {"Industrial 25", 0, 0x10}, {"Interleave 25", 0, 0x08},      {"Matrix 25", 0, 0x04},
        {"Codabar", 0, 0x02},       {"Code 93", 0, 0x01},            {"Code 128", 1, 0x80},
        {"UPCE", 1, 0x40},          {"UPCE Addon 2", 1, 0x20},       {"UPCE Addon 5", 1, 0x10},
        {"EAN8", 1, 0x08},          {"EAN8 Addon 2", 1, 0x04},       {"EAN8 Addon 5", 1, 0x02},
        {"EAN13 & UPCA", 1, 0x01},  {"EAN13 Addon 2", 2, 0x80},      {"EAN13 Addon 5", 2, 0x40},
        {"MSI", 2, 0x20},           {"Plessey", 2, 0x10},            {"Telepen", 2, 0x04},
    };
    for (const auto& s : kSymbologies) t.bits(s.name, s.byte, s.mask, flag());

    auto checks = [&](const char* part, std::initializer_list<BitName> options) {
        t.group(record, part);
        for (const auto& o : options) t.bits(o.name, o.byte, o.mask, flag());
    };
    auto lengths = [&](int byte) {
        t.bits("ограничение длины", byte, 0x80, listed(kLengthModes));
        t.bits("длина 1", byte, 0x7F, number());
        t.bits("длина 2", byte + 1, 0xFF, number());
    };
    checks("Code 39", {{"передавать Start/Stop", 5, 0x80},
                       {"проверять контр. сумму", 5, 0x40},
                       {"передавать контр. сумму", 5, 0x20},
                       {"Code 39 Full ASCII", 5, 0x10}});
    checks("Italian Pharmacode", {{"передавать контр. сумму", 5, 0x08}});
    checks("French Pharmacode", {{"передавать контр. сумму", 5, 0x04}});
    checks("Industrial 25", {{"проверять контр. сумму", 6, 0x80}, {"передавать контр. сумму", 6, 0x40}});
    t.bits("выбор Start/Stop", 6, 0x03, listed(kStartStop25));
    lengths(12);
    checks("Interleave 25", {{"проверять контр. сумму", 5, 0x02}, {"передавать контр. сумму", 5, 0x01}});
    t.bits("выбор Start/Stop", 6, 0x0C, listed(kStartStop25));
    lengths(14);
    checks("Matrix 25", {{"проверять контр. сумму", 6, 0x20}, {"передавать контр. сумму", 6, 0x10}});
    t.bits("выбор Start/Stop", 7, 0xC0, listed(kStartStop25));
    lengths(16);
    checks("Codabar", {});
    t.bits("Start/Stop символы", 7, 0x08, flag("None", "передавать"));
    t.bits("формат Start/Stop", 7, 0x30, listed(kCodabarFormats));
    checks("MSI", {});
    t.bits("проверять контр. сумму", 9, 0xC0, listed(kMsiCheck));
    t.bits("передавать контр. сумму", 9, 0x30, listed(kMsiSend));
    lengths(18);
    checks("Plessey", {{"Преобразовать в UK Plessey", 9, 0x04}, {"передавать контр. сумму", 9, 0x08}});
    checks("UPCE", {{"Преобразовать в UPCA", 9, 0x02},
                    {"передавать код области", 10, 0x02},
                    {"передавать контр. сумму", 10, 0x20}});
    checks("EAN8", {{"Преобразовать в EAN13", 11, 0x80}, {"передавать контр. сумму", 10, 0x08}});
    checks("EAN13 & UPCA", {{"ISBN Преобразование", 10, 0x80},
                            {"ISSN Преобразование", 10, 0x40},
                            {"передавать контр. сумму", 10, 0x04},
                            {"передавать код области UPCA", 10, 0x01},
                            {"передавать контр. сумму UPCA", 10, 0x10},
                            {"Преобразовать UPCA в EAN 13", 9, 0x01}});
    t.group(record, "Telepen");
    t.bits("вариант", 2, 0x02, listed(kTelepen));

    // Bits no dialog edits, kept as they are.
    t.group(record, "не используются");
    constexpr BitName kUnused[] = {{"байт 2", 2, 0x09},  {"байт 3", 3, 0xFF},  {"байт 4", 4, 0xFF},
                                   {"байт 7", 7, 0x07},  {"байт 8", 8, 0xFF},  {"байт 11", 11, 0x63},
                                   {"байт 20", 20, 0x0F}, {"байт 22", 22, 0xFF}};
    for (const auto& u : kUnused)
        t.bits(u.name, u.byte, u.mask, [mask = u.mask](unsigned v) {
            return hex(v << std::countr_zero(static_cast<unsigned>(mask)));
        }, false);
}

void addSettings(TableBuilder& t) {
    const Project& p = t.probe;
    t.group("Порт ПК");
    t.value("порт", p.port.comPort, listed(kComPorts));
    t.value("скорость", p.port.baudRate, listed(kBauds));

    const TerminalSettings& s = p.terminal;
    const std::string record = "Терминал";
    t.group(record);
    t.value("флаг настроек", s.settingsFlag, number());
    t.value("начинать с", s.startWith, flag("форма 1", "меню 1"));
    t.value("разделитель 1", s.separator1, charCode);
    t.value("разделитель 2", s.separator2, charCode);
    t.value("раздельные файлы", s.separateFiles, flag());
    t.value("большой шрифт", s.bigFont, flag());
    t.group(record, "порты");
    t.value("выгрузка", s.uploadPort, listed(kUploadPorts));
    t.text("телефон", s.phoneNumber);
    t.value("загрузка", s.downloadPort, listed(kDownloadPorts));
    t.value("скорость", s.terminalBaud, listed(kBauds));
    t.group(record, "экран");
    t.value("подсветка", s.backlightOn, listed(kBacklight));
    t.value("время подсветки", s.backlightSeconds, number("x 10 с"));
    t.value("удаление данных", s.autoDelete, listed(kDeletion));
    t.value("сообщение при вводе", s.entryMessage, listed(kEntryMessages));
    t.value("длительность сообщения", s.messageDuration, number("x 100 мс"));
    t.group(record, "пароль");
    t.text("пароль", s.password);
    t.group(record, "защищено паролем");
    for (int i = 0; i < kProtectCount; ++i)
        t.value(num(i + 1) + " " + kProtected[i], s.protect[i], flag());
    t.group(record, "функциональные клавиши");
    for (int i = 0; i < kFnKeyCount; ++i) t.value("FN+" + num(i), s.fnKeys[i], listed(kFnFunctions));
    t.group(record, "служебное");
    t.raw("резерв", s.reserved, sizeof s.reserved);

    const WedgeSettings& w = p.wedge;
    t.group("Разрыв клавиатуры");
    t.value("тип клавиатуры", w.keyboardType, listed(kKeyboards));
    t.value("цифровые клавиши", w.wedgeFlags, flag(), true, 0x01);
    t.value("Shift / Capital lock тип", w.wedgeFlags, listed(kShiftLock), true, 0x06);
    t.value("расположение цифр", w.wedgeFlags, listed(kDigitLayout), true, 0x18);
    t.value("Capital lock: игнорировать", w.wedgeFlags, flag(), true, 0x20);
    t.value("Capital lock: всегда нажата", w.wedgeFlags, flag(), true, 0x40);
    t.value("Capital lock: автоопределение", w.wedgeFlags, flag(), true, 0x80);
    t.value("задержка", w.wedgeCharDelay, number("мс"));
    t.value("тайм-аут", w.wedgeTimeout, number("с"));
    t.value("Return / Line-Feed", w.wedgeAppendCrLf, flag());
    t.group("Разрыв клавиатуры", "служебное");
    t.raw("резерв", w.reserved, sizeof w.reserved);
}

void addTexts(TableBuilder& t) {
    t.group("Экран включения");
    for (int i = 0; i < 4; ++i) t.text("строка " + num(i + 1), t.probe.startupScreen.line[i]);
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const auto& info = messageGroup(g);
        t.group("Сообщения " + num(g) + " " + groupListName(g, false));
        for (int r = 0; r < info.slots; ++r)
            t.text("строка " + num(r + 1), messageSlot(t.probe, g, r),
                   static_cast<std::size_t>(info.slot));
    }
}

std::vector<FieldGroup> buildTable() {
    TableBuilder t;
    t.group("Проект");
    t.text("тег", t.probe.formatTag.text);
    addSettings(t);
    addBarcode(t);
    addForms(t);
    addMenus(t);
    addLookups(t);
    addTexts(t);
    return std::move(t.groups);
}

unsigned valueOf(const ProjectField& f, const Project& p) {
    return static_cast<unsigned>(bytesOf(p)[f.offset] & f.mask) >> std::countr_zero(static_cast<unsigned>(f.mask));
}

}  // namespace

const std::vector<FieldGroup>& projectFields() {
    static const std::vector<FieldGroup> table = buildTable();
    return table;
}

const Project& resetProjectReference() {
    static const Project reference = [] {
        Workspace ws;
        resetWorkspace(ws);
        return ws.project;
    }();
    return reference;
}

std::string fieldValue(const ProjectField& f, const Project& p) {
    const u8* cur = bytesOf(p) + f.offset;
    const u8* reset = bytesOf(resetProjectReference()) + f.offset;
    switch (f.shape) {
        case Shape::Value:
            return f.show(valueOf(f, p));
        case Shape::Text: {
            const auto* slot = reinterpret_cast<const char*>(cur);
            const std::string_view text = slotText(slot, f.size);
            std::string out = quoted(text);
            // What a slot keeps after its end is saved too.
            if (text.size() + 1 < f.size) {
                const std::string tail = changedBytes(cur, reset, text.size() + 1, f.size, f.offset);
                if (!tail.empty()) out += " (после конца " + tail + ")";
            }
            return out;
        }
        case Shape::Raw: {
            const std::string changed = changedBytes(cur, reset, 0, f.size, f.offset);
            return changed.empty() ? "как при сбросе" : changed;
        }
    }
    return {};
}

bool fieldDiffers(const ProjectField& f, const Project& a, const Project& b) {
    if (f.shape == Shape::Value) return valueOf(f, a) != valueOf(f, b);
    return std::memcmp(bytesOf(a) + f.offset, bytesOf(b) + f.offset, f.size) != 0;
}

}  // namespace appgen::cli
