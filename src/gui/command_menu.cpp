#include "gui/command_menu.h"

#include "shell/application.h"

namespace appgen::gui {

using namespace appgen::shell;

const std::vector<MenuEntry>& commandMenuEntries() {
    using K = MenuEntry::Kind;
    static const std::vector<MenuEntry> kEntries = {
        {K::Command, "Новая задача\tCtrl+N", kCmdNew},
        {K::Command, "Открыть задачу\tCtrl+O", kCmdOpen},
        {K::Command, "Сохранить задачу\tCtrl+S", kCmdSave},
        {K::Command, "Сохранить как...", kCmdSaveAs},
        {K::Separator},
        {K::Command, "Настройка COM порта", kCmdComSettings},
        {K::Command, "Редактировать\tCtrl+E", kCmdEdit},
        {K::Separator},
        {K::Submenu, "Загрузить задачу", 0,
         {{K::Command, "Via &Cradle-IR...", kCmdDownloadCradle},
          {K::Command, "Via &Direct-RS232 or IrDA...", kCmdDownloadDirect}}},
        {K::Submenu, "Загрузить базу данных", 0,
         {{K::Command, "Via &Cradle-IR...", kCmdLookupCradle},
          {K::Command, "Via &Direct-RS232 or IrDA...", kCmdLookupDirect}}},
        {K::Submenu, "Получить данные", 0,
         {{K::Command, "Via &Cradle-IR...", kCmdUploadCradle},
          {K::Command, "Via &Direct-RS232 or IrDA...", kCmdUploadDirect}}},
        {K::Separator},
        {K::Command, "О программе", kCmdAbout},
        {K::Command, "Выход\tAlt+F4", kCmdExit},
    };
    return kEntries;
}

namespace {

void addEntries(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
            case MenuEntry::Kind::Separator: menu.addSeparator(); break;
            case MenuEntry::Kind::Submenu: addEntries(*menu.addMenu(QString::fromUtf8(e.text)), e.items); break;
            case MenuEntry::Kind::Command: menu.addAction(QString::fromUtf8(e.text))->setData(e.command); break;
        }
    }
}

}  // namespace

void fillCommandMenu(QMenu& menu) { addEntries(menu, commandMenuEntries()); }

int commandOf(const QAction* action) { return action ? action->data().toInt() : 0; }

}  // namespace appgen::gui
