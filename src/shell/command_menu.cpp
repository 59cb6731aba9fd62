#include "shell/command_menu.h"

#include "shell/application.h"

namespace appgen::shell {

const std::vector<MenuEntry>& commandMenuEntries() {
    using K = MenuEntry::Kind;
    // One line per item: a new command is one more line where it is shown.
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
        {K::Command, "Таблица из данных...", kCmdRecordsTable},
        {K::Separator},
        {K::Command, "О программе", kCmdAbout},
        {K::Command, "Выход\tAlt+F4", kCmdExit},
    };
    return kEntries;
}

bool isTransferCommand(int id) {
    switch (id) {
        case kCmdDownloadDirect:
        case kCmdDownloadCradle:
        case kCmdLookupDirect:
        case kCmdLookupCradle:
        case kCmdUploadDirect:
        case kCmdUploadCradle: return true;
        default: return false;
    }
}

const std::vector<Accelerator>& terminalAccelerators() {
    using simulator::PcKey;
    static const std::vector<Accelerator> kAccelerators = {
        {PcKey::LetterN, simulator::kControlModifier, kCmdNew},
        {PcKey::LetterO, simulator::kControlModifier, kCmdOpen},
        {PcKey::LetterS, simulator::kControlModifier, kCmdSave},
        {PcKey::LetterE, simulator::kControlModifier, kCmdEdit},
        {PcKey::F4, simulator::kAltModifier, kCloseWindow},
        {PcKey::F1, simulator::kNoModifier, kCmdHelpContents},
    };
    return kAccelerators;
}

}  // namespace appgen::shell
