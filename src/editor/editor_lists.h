// The entries of the editor's drop-down lists, in code order, as Windows-1251
// bytes. The index of an entry is the code stored.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace appgen::editor {

using List = std::vector<std::string>;

// A UTF-8 literal as the dialogs hold it.
std::string cp(const char* utf8);
// UTF-8 list entries in Windows-1251.
List texts(std::initializer_list<const char*> utf8);

List targetList();        // "Глав.Меню", "форма 1".."форма 10", "меню  1".."меню  10"
List formNameList();      // "форма 1".."форма 10"
List fontList();          // "маленький", "большой"
List lineTypeList();      // "пусто" .. "расширение", 13 entries
List sourceList();        // "сканер", "клавиатура", "скан.+клав."
List lookupSearchList();  // "не искать", "1ая база", "2ая база", "3я база"
List recordActionList();  // "сохранить в файле" .. "отправить экран"
List searchInList();      // "пусто", "поле 1".., "-поле 1".., "+поле 1"..

List alignListRussian();
List alignListEnglish();
List autoEnterList();  // "Нет", "Скан+Ввод", "Ввод+Скан"

List stampPositionList();
List yearDigitsList();
List dateOrderList();

}  // namespace appgen::editor
