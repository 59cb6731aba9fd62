#include "editor/editor_lists.h"

#include <initializer_list>

#include "project/text.h"

namespace appgen::editor {
namespace {

void numbered(List& out, const char* prefix, int count) {
    for (int n = 1; n <= count; ++n) out.push_back(cp(prefix) + std::to_string(n));
}

}  // namespace

List texts(std::initializer_list<const char*> utf8) {
    List out;
    for (const char* t : utf8) out.push_back(cp(t));
    return out;
}

std::string cp(const char* utf8) { return utf8ToCp1251(utf8); }

List targetList() {
    List out = texts({"Глав.Меню"});
    numbered(out, "форма ", 10);
    numbered(out, "меню  ", 10);
    return out;
}

List formNameList() {
    List out;
    numbered(out, "форма ", 10);
    return out;
}

List fontList() { return texts({"маленький", "большой"}); }

List lineTypeList() {
    return texts({"пусто", "текст", "целое", "дробное", "буквы", "авто(+/-)", "логическое", "база",
                  "фиксированные", "надпись", "счётчик", "предыд.форма", "расширение"});
}

List sourceList() { return texts({"сканер", "клавиатура", "скан.+клав."}); }

List lookupSearchList() { return texts({"не искать", "1ая база", "2ая база", "3я база"}); }

List recordActionList() {
    return texts({"сохранить в файле", "обновить базу", "сохранить и обновить",
                  "передать в след.форму", "отправить запись в порт", "отправить экран"});
}

List searchInList() {
    List out = texts({"пусто"});
    numbered(out, "поле ", 8);
    numbered(out, "-поле ", 8);
    numbered(out, "+поле ", 8);
    return out;
}

List alignListRussian() {
    // The last entry has no closing parenthesis; kept as operators have always seen it.
    return texts({"Выровнять слева(дополняется пробелами)", "Выровнять справа(заполняется пробелами)",
                  "Выровнять слева(дополняется 0)", "Выровнять справа(заполняется 0"});
}

List alignListEnglish() {
    return texts({"Left aligned (padded with space)", "Right aligned (filled with space)",
                  "Left aligned (padded with 0)", "Right aligned (filled with 0)"});
}

List autoEnterList() { return texts({"Нет", "Скан+Ввод", "Ввод+Скан"}); }

List stampPositionList() {
    return texts({"пусто", "добавить в начало записи", "добавить в конец записи"});
}

List yearDigitsList() { return texts({"4 Цифры (ГГГГ)", "2 Цифры (ГГ)"}); }

List dateOrderList() { return texts({"Год.Месяц.День", "Месяц.День.Год", "День.Месяц.Год"}); }

}  // namespace appgen::editor
