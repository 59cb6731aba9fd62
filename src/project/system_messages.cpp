#include "project/system_messages.h"

#include <array>
#include <vector>

#include "project/text.h"

namespace appgen {
namespace {

constexpr MessageGroupInfo kGroups[kMessageGroupCount] = {
    {"Main menu (3x15)", 16, 4, 3, 3, 0},
    {"Utilities (8x20)", 21, 8, 8, 8, 64},
    {"Delete Data (4x15)", 16, 4, 4, 4, 232},
    {"Confirm (3x15)", 16, 4, 4, 4, 296},
    {"Memory & Power (4x15)", 16, 4, 4, 4, 360},
    {"Load Lookup (7x15)", 16, 7, 7, 7, 424},
    {"Settings (8x20)", 21, 8, 8, 8, 536},
    {"Upload Port (6x20)", 21, 6, 6, 6, 704},
    {"Download Port (6x20)", 21, 6, 6, 5, 830},
    {"Baud rate (5x20)", 21, 5, 5, 5, 956},
    {"Backlight (4x20)", 21, 4, 4, 4, 1061},
    {"Data Deletion (4x20)", 21, 4, 4, 4, 1145},
    {"Entry Options (6x20)", 21, 6, 6, 4, 1229},
    {"View Settings (8x20)", 21, 8, 8, 6, 1355},
    {"System Fault (3x15)", 16, 3, 3, 3, 1523},
    {"Upload Data (5x15)", 16, 5, 5, 5, 1571},
    {"Set Phone Number (4x20)", 21, 4, 4, 2, 1651},
    {"Save Record (5x15)", 16, 5, 5, 5, 1735},
    {"Delete Record (5x15)", 16, 5, 5, 5, 1815},
    {"Auto Delete Data (3x15)", 16, 3, 3, 3, 1895},
    {"Set Password (2x15)", 16, 2, 2, 2, 1943},
    {"Connecting (4x15)", 16, 4, 4, 4, 1975},
    {"Modem Connection (3x15)", 16, 3, 3, 3, 2039},
    {"Error Messages (6x20)", 21, 6, 6, 5, 2087},
    {"Miscellaneous (8x15)", 16, 8, 8, 8, 2213},
    {"Misc - continuous (3x20)", 21, 3, 3, 3, 2341},
};

// Rows without their trailing spaces; padding is added when the tables are built.
// A row marked kNoPad is stored exactly as written.
constexpr const char* kNoPad = "\x01";

const std::vector<std::vector<const char*>> kRussian = {
    {"1.Сбор данных", "2.Передача", "3.Инструменты", ""},
    {"1. Прог.Настройки", "2. Просмотр Данных", "3. Удаление Данных", "4. Тест Сканера",
     "5. Уст.Даты/Времяни", "6. Загрузка Задачи", "7. Память и Питание", "8. Загрузка Базы"},
    {"Удаление данных", "1. Все данные", "2. Послед.зап.", "3. Отменить"},
    {"Вы уверены?", "1. Да", "2. Нет", ""},
    {"Свободно:", "Напряжение бат.", "Главн.:", "Запас.:"},
    {"Загрузка:", "1ая база данных", "2ая база данных", "\x01" "3я база данных", "Все базы",
     " 1: Продолжить", " 2: Отменить"},
    {" [Прогр. Настройки]", "1.Порт для передачи", "2.Порт для приема", "3.Скорость передачи",
     "4.Подсветка", "5.Установки очистки", "6.Настройки ввода", "7.Просмотр настроек"},
    {"Передача данных:", "1. Кабель RS232", "2. IR подставка", "3. IrDA", "4. Разрыв Клавиатуры",
     "5. Модем"},
    {"Загрузка Задачи или", "     Баз данных:", "1. Кабель RS232", "2. IR Подставка", "3. IrDA",
     "4. Модем"},
    {"Скорость: 115200 bps", "Скорость:  57600 bps", "Скорость:  38400 bps",
     "Скорость:  19200 bps", "Скорость:   9600 bps"},
    {"Выключить подсветку", "Включить подсветку", "Авто.выключение по", " прошествии _0 сек."},
    {"Удалять данные после", "передачи:", "1. Вручную", "2. Автоматически"},
    {" 1.Без сообщений", " 2.Кол-во записей", " 3.Введеные данные", "", " Сообщение остается",
     " в теч. : __00 мс"},
    {"Передача:", "Прием:", "Скорость:", "Подсветка:", "Длит.Подсвет.:", "Удал.Данных:",
     "Сообщение:", "Длит-сть:"},
    {"   Произошла", "   системная", "    ошибка!"},
    {"Все послед-но", "Все непрерывно", "Сл.файл данных", " 1: Продолжить", " 2: Отменить"},
    {"Передать данные:", "              Модем", "", "Телефон:"},
    {"Запись обновл.!", "Запись добавл.!", "  Нет памяти!", "  Нажмите ESC", " Output OK!!"},
    {"Удалить запись?", "7> Да    9> Нет", "Вы уверены?", "1> Да    3> Нет", "Данные удаоены!"},
    {"Перед.завершена", "Удаление данных", "Все файлы"},
    {"Пароль   :", " Неверно !!!"},
    {"Соединение...", "", "Нажмите ESC для", "отмены."},
    {"Наст-ка модема.", "Соед-ие модема.", "Успешно соед.!"},
    {"Непр.тип данных!", "Данные короткие!", "Данные длинные!", "Непр.префикс кода!",
     "Данные не найдены!", "Нажмите клавишу..."},
    {"Загружаюсь...", "Загр-ка успешна", "Ошибка загрузки", "Подождите...", "Отпр-ю данные..",
     "Передано:", "Закончено!", "Нет связи!"},
    {"FN+<:Ред.  FN+>:Удал", "[ Enter ] для выбора", "[ ESC ]   для отмены"},
};

const std::vector<std::vector<const char*>> kEnglishBig = {
    {},
    {"1.Settings", "2.Browse Data", "3.Delete Data", "4.Reader Test", "5.Set Date&Time",
     "6.Load Program", "7.Memory, Power", "8.Load Lookup"},
    {}, {}, {}, {},
    {"   [Settings]", "1.Upload Port", "2.Download Port", "3.Baud Rate", "4.Backlight",
     "5.Data Deletion", "6.Entry Option", "7.View Settings"},
    {"Upload Port:", "1.Direct-RS232", "2.Cradle-IR", "3.IrDA", "4.KB Wedge", "5.Modem"},
    {"Download Port:", "1.Direct-RS232", "2.Cradle-IR", "3.IrDA", "4.Modem"},
    {"1.115200 bps", "2. 57600 bps", "3. 38400 bps", "4. 19200 bps", "5.  9600 bps"},
    {"Turn B/L OFF", "Turn B/L ON", "Duration:", "  _0 sec."},
    {"Erase data", "after uploading", "1.Manual", "2.Automatic"},
    {"1.No Prompt", "2.Show Count", "3.Show Data", "Stay __00ms"},
    {"Upload Port:", "Download Port:", "Baud Rate:", "Backlight:", "Data Deletion:",
     "Entry Option:"},
    {}, {}, {"Via: MODEM", "Phone Number:"}, {}, {}, {}, {}, {}, {},
    {"Wrong data type", "Data too short!", "Data too long!", "Wrong code!", "Data not found!"},
    {},
    {"FN<:Ed  FN>:Del", "[Enter]: Select", "[ ESC ]: Cancel"},
};

constexpr const char* kStartup[4] = {"   BRIGANTEX   ", "   Генератор   ", "   Приложений  ",
                                     "  Версия  2.04 "};

std::string padded(const char* utf8, std::size_t width) {
    if (utf8[0] == kNoPad[0]) return utf8ToCp1251(utf8 + 1);
    std::string s = utf8ToCp1251(utf8);
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

struct Tables {
    std::array<std::vector<std::string>, kMessageGroupCount> russian;
    std::array<std::vector<std::string>, kMessageGroupCount> english;
    std::array<std::string, 4> startup;
    Tables() {
        for (int g = 0; g < kMessageGroupCount; ++g) {
            const std::size_t width = static_cast<std::size_t>(kGroups[g].slot - 1);
            for (const char* row : kRussian[g]) russian[g].push_back(padded(row, width));
            for (const char* row : kEnglishBig[g]) english[g].push_back(padded(row, 15));
        }
        for (int i = 0; i < 4; ++i) startup[i] = utf8ToCp1251(kStartup[i]);
    }
};

// Built once from the UTF-8 source texts; constant afterwards.
const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

const MessageGroupInfo& messageGroup(int group) { return kGroups[group]; }

int editableRows(int group, bool bigFont) {
    const auto& g = kGroups[group];
    return bigFont ? g.rowsBigFont : g.rows;
}

int maxRowLength(int group, bool bigFont) {
    return (isWideGroup(group) && !bigFont) ? 20 : 15;
}

std::string groupListName(int group, bool bigFont) {
    const auto& g = kGroups[group];
    const std::string name = g.name;
    if (!bigFont || !isWideGroup(group)) return name;
    // With the big font an "x20" group is 15 wide and shows its big-font row count.
    return name.substr(0, name.find(" (")) + " (" + std::to_string(g.rowsBigFont) + "x15)";
}

char* messageSlot(Project& p, int group, int row) {
    auto* base = reinterpret_cast<char*>(&p.messages);
    return base + kGroups[group].offset + static_cast<std::size_t>(row * kGroups[group].slot);
}

const char* messageSlot(const Project& p, int group, int row) {
    return messageSlot(const_cast<Project&>(p), group, row);
}

std::string_view russianDefault(int group, int row) { return tables().russian[group][row]; }

int bigFontDefaultRows(int group) { return static_cast<int>(tables().english[group].size()); }

std::string_view bigFontDefault(int group, int row) { return tables().english[group][row]; }

std::string_view defaultMessage(int group, int row, bool bigFont) {
    if (bigFont && isWideGroup(group) && row < bigFontDefaultRows(group))
        return bigFontDefault(group, row);
    return russianDefault(group, row);
}

std::string_view startupScreenDefault(int line) { return tables().startup[line]; }

}  // namespace appgen
