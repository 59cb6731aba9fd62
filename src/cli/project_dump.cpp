#include "cli/project_dump.h"

#include <cstdio>
#include <sstream>

#include "project/system_messages.h"
#include "project/text.h"

namespace appgen::cli {
namespace {

constexpr const char* kLineTypes[] = {
    "пусто",       "текст",     "целое",   "дробное", "буквы",        "авто(+/-)", "логическое",
    "база",        "фиксированные", "надпись", "счётчик", "предыд.форма", "расширение"};
constexpr const char* kSources[] = {"сканер", "клавиатура", "скан.+клав."};
constexpr const char* kRecordActions[] = {
    "сохранить в файле",     "обновить базу",           "сохранить и обновить",
    "передать в след.форму", "отправить запись в порт", "отправить экран"};
constexpr const char* kNotFound[] = {"Продолжить", "Предупредить", "Вставить в базу",
                                     "Предупредить и вставить"};
constexpr const char* kUploadPorts[] = {"Direct-RS232", "Cradle-IR", "IrDA", "Keyboard Wedge",
                                       "Modem"};
constexpr const char* kDownloadPorts[] = {"Direct-RS232", "Cradle-IR", "IrDA", "Modem"};
constexpr const char* kBauds[] = {"115200", "57600", "38400", "19200", "9600"};

template <std::size_t N>
std::string named(const char* const (&names)[N], unsigned value) {
    return value < N ? names[value] : "? (" + std::to_string(value) + ")";
}

std::string target(unsigned t) {
    if (t == 0) return "Глав.Меню";
    if (t <= 10) return "форма " + std::to_string(t);
    if (t <= 20) return "меню  " + std::to_string(t - 10);
    return "? (" + std::to_string(t) + ")";
}

// Texts in quotes; control bytes and quotes as \xNN so every byte is visible.
std::string quoted(std::string_view cp1251) {
    std::string out = "\"";
    for (char c : cp1251) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == '"' || b == '\\') {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        } else {
            out += cp1251ToUtf8(std::string_view(&c, 1));
        }
    }
    return out + "\"";
}

template <std::size_t N>
std::string quoted(const char (&slot)[N]) {
    return quoted(slotText(slot));
}

std::string charCode(unsigned code) {
    if (code == 0) return "нет";
    return std::to_string(code) + " " + quoted(std::string(1, static_cast<char>(code)));
}

void dumpForm(std::ostream& o, const FormDef& f, int index) {
    o << "Форма " << index + 1 << ": шрифт " << (f.font ? "большой" : "маленький")
      << ", ESC -> " << target(f.escTarget) << ", далее -> " << target(f.nextTarget)
      << ", запись: " << named(kRecordActions, f.recordAction)
      << ", поиск: " << (f.lookupSearch ? std::to_string(f.lookupSearch) + " база" : "не искать")
      << "\n";
    if (f.stampPosition != 0) {
        o << "  дата/время: " << (f.stampPosition == 1 ? "в начале" : "в конце")
          << (f.stampSplit ? ", раздельно" : "") << ", дата "
          << (f.stampYear ? (f.stampYearDigits ? "ГГ" : "ГГГГ") : "-") << (f.stampMonth ? " ММ" : "")
          << (f.stampDay ? " ДД" : "") << " порядок " << int(f.stampDateOrder)
          << (f.stampDateSepOn ? " разделитель " + quoted(f.stampDateSep) : "") << ", время"
          << (f.stampHours ? " чч" : "") << (f.stampMinutes ? " мм" : "")
          << (f.stampSeconds ? " сс" : "")
          << (f.stampTimeSepOn ? " разделитель " + quoted(f.stampTimeSep) : "") << "\n";
    }
    for (int i = 0; i < kFormLines; ++i) {
        if (f.lineType[i] == kLineEmpty) continue;
        o << "  строка " << i + 1 << ": " << named(kLineTypes, f.lineType[i]) << " "
          << quoted(f.prompt[i]) << ", " << named(kSources, f.source[i]) << ", длина "
          << int(f.minLen[i]) << ".." << int(f.maxLen[i]);
        if (f.searchIn[i]) o << ", поле базы " << int(f.searchIn[i]);
        if (f.fixedLenOn[i]) o << ", фикс. длина " << int(f.fixedLen[i]) << " выравн. " << int(f.align[i]);
        if (f.initialOn[i]) o << ", начальное " << quoted(f.initialValue[i]);
        if (f.prefixOn[i]) o << ", префикс " << quoted(slotText(f.prefix[i]));
        if (f.suffixOn[i]) o << ", суффикс " << quoted(slotText(f.suffix[i]));
        if (f.partialOn[i])
            o << ", часть кода с " << int(f.partialStart[i]) << " длина " << int(f.partialLen[i]);
        if (f.checkPrefixOn[i]) o << ", префикс кода " << quoted(slotText(f.checkPrefix[i]));
        o << ", автоввод " << int(f.autoEnter[i]);
        if (f.inputMark[i]) o << ", знак " << charCode(f.inputMark[i]);
        o << "\n";
    }
}

void dumpMenu(std::ostream& o, const MenuDef& m, int index) {
    o << "Меню " << index + 1 << ": шрифт " << (m.font ? "большой" : "маленький") << ", заголовок "
      << (m.titleOn ? quoted(m.title) : "нет") << ", ESC -> " << target(m.escTarget)
      << (m.saveTitle ? ", сохр. заголовок" : "") << (m.saveItem ? ", сохр. пункт" : "")
      << (m.sendOn ? ", передать дальше" : "") << "\n";
    for (int i = 0; i < kMenuItems; ++i) {
        if (slotLength(m.itemText[i]) == 0 && m.itemTarget[i] == 0) continue;
        o << "  пункт " << i + 1 << ": " << quoted(m.itemText[i]) << " -> " << target(m.itemTarget[i])
          << "\n";
    }
}

void dumpLookup(std::ostream& o, const LookupDef& l, int index) {
    o << "База " << index + 1 << ": длина записи " << int(l.recLen) << ", полей " << int(l.fieldCount)
      << ", ключ " << int(l.keyField) + 1 << ", разделитель " << charCode(l.separator)
      << ", передача " << (l.uploadAllowed ? "да" : "нет") << ", не найдено: "
      << named(kNotFound, l.notFound) << "\n";
    for (int i = 0; i < l.fieldCount && i < kLookupFields; ++i)
        o << "  поле " << i + 1 << ": с " << int(l.fieldOffset[i]) << " длина " << int(l.fieldLen[i])
          << "\n";
}

void dumpSettings(std::ostream& o, const Project& p) {
    const auto& t = p.terminal;
    o << "Порт ПК: COM" << p.port.comPort + 1 << ", " << named(kBauds, p.port.baudRate) << " бит/с\n";
    o << "Штрихкод:";
    for (u8 b : p.barcode.bytes) {
        char buf[4];
        std::snprintf(buf, sizeof buf, " %02X", b);
        o << buf;
    }
    o << "\nТерминал: начинать с " << (t.startWith ? "меню 1" : "форма 1") << ", разделители "
      << charCode(t.separator1) << " / " << charCode(t.separator2)
      << (t.separateFiles ? ", раздельные файлы" : "") << ", большой шрифт "
      << (t.bigFont ? "да" : "нет") << "\n";
    o << "  передача " << named(kUploadPorts, t.uploadPort) << ", приём " << named(kDownloadPorts, t.downloadPort)
      << ", скорость " << named(kBauds, t.terminalBaud) << ", телефон " << quoted(t.phoneNumber) << "\n";
    o << "  подсветка " << (t.backlightOn ? "вкл" : "выкл") << " " << int(t.backlightSeconds) * 10
      << " с, удаление " << (t.autoDelete ? "автоматически" : "вручную") << ", сообщение "
      << int(t.entryMessage) << " на " << int(t.messageDuration) * 100 << " мс\n";
    o << "  пароль " << quoted(t.password) << ", защита";
    for (u8 v : t.protect) o << " " << int(v);
    o << ", FN";
    for (u8 v : t.fnKeys) o << " " << int(v);
    o << "\n";
    const auto& w = p.wedge;
    o << "Клавиатурный разрыв: тип " << int(w.keyboardType) << ", флаги " << int(w.wedgeFlags)
      << ", задержка " << int(w.wedgeCharDelay) << ", тайм-аут " << int(w.wedgeTimeout)
      << ", CR/LF " << int(w.wedgeAppendCrLf) << "\n";
}

}  // namespace

std::string dumpProject(const Project& p) {
    std::ostringstream o;
    o << "Проект " << quoted(p.formatTag.text) << "\n\n";
    for (int f = 0; f < kFormCount; ++f) dumpForm(o, p.forms[f], f);
    o << "\n";
    for (int m = 0; m < kMenuCount; ++m) dumpMenu(o, p.menus[m], m);
    o << "\n";
    for (int k = 0; k < kLookupCount; ++k) dumpLookup(o, p.lookups[k], k);
    o << "\n";
    dumpSettings(o, p);
    o << "\nЭкран включения:\n";
    for (const auto& line : p.startupScreen.line) o << "  " << quoted(line) << "\n";
    o << "\nСистемные сообщения:\n";
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const auto& info = messageGroup(g);
        o << "  " << g << " " << groupListName(g, p.terminal.bigFont != 0) << "\n";
        for (int r = 0; r < info.slots; ++r)
            o << "    " << quoted(slotText(messageSlot(p, g, r), static_cast<std::size_t>(info.slot)))
              << "\n";
    }
    return o.str();
}

}  // namespace appgen::cli
