// The command menu and accelerators as every front end builds them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/application.h"
#include "shell/command_menu.h"
#include "shell/terminal_picture.h"
#include "simulator/terminal_layout.h"

namespace appgen::shell {
namespace {

std::vector<std::string> listed(const std::vector<MenuEntry>& entries, const std::string& indent = "") {
    std::vector<std::string> out;
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
            case MenuEntry::Kind::Separator: out.push_back(indent + "-"); break;
            case MenuEntry::Kind::Submenu: {
                out.push_back(indent + "> " + e.text);
                for (const std::string& s : listed(e.items, indent + "  ")) out.push_back(s);
                break;
            }
            case MenuEntry::Kind::Command: out.push_back(indent + std::to_string(e.command) + " " + e.text); break;
        }
    }
    return out;
}

// Texts and identifiers as the menu shows them; "-" is a separator, ">" a
// submenu whose items follow indented.
TEST(CommandMenu, CarriesTheExactItems) {
    const std::vector<std::string> expected = {
        "1010 Новая задача\tCtrl+N",
        "1020 Открыть задачу\tCtrl+O",
        "1030 Сохранить задачу\tCtrl+S",
        "1040 Сохранить как...",
        "-",
        "2100 Настройка COM порта",
        "2000 Редактировать\tCtrl+E",
        "-",
        "> Загрузить задачу",
        "  3021 Via &Cradle-IR...",
        "  3020 Via &Direct-RS232 or IrDA...",
        "> Загрузить базу данных",
        "  3041 Via &Cradle-IR...",
        "  3040 Via &Direct-RS232 or IrDA...",
        "> Получить данные",
        "  3031 Via &Cradle-IR...",
        "  3030 Via &Direct-RS232 or IrDA...",
        "-",
        "9030 О программе",
        "1090 Выход\tAlt+F4",
    };
    EXPECT_EQ(listed(commandMenuEntries()), expected);
}

// The submenus' commands are the transfers, and nothing else is.
TEST(CommandMenu, TheTransfersAreTheSubmenusCommands) {
    for (const MenuEntry& e : commandMenuEntries()) {
        EXPECT_FALSE(isTransferCommand(e.command)) << e.text;
        for (const MenuEntry& item : e.items) EXPECT_TRUE(isTransferCommand(item.command)) << item.text;
    }
}

// An accelerator that a menu item names reaches that item's command.
TEST(CommandMenu, AcceleratorsDoWhatTheItemsSay) {
    const std::pair<int, const char*> named[] = {
        {kCmdNew, "Ctrl+N"}, {kCmdOpen, "Ctrl+O"}, {kCmdSave, "Ctrl+S"}, {kCmdEdit, "Ctrl+E"}};
    for (const auto& [command, keys] : named) {
        bool found = false;
        for (const MenuEntry& e : commandMenuEntries())
            if (e.command == command) found = std::string(e.text).ends_with(std::string("\t") + keys);
        EXPECT_TRUE(found) << keys;
        int bound = 0;
        for (const Accelerator& a : terminalAccelerators())
            bound += a.command == command && a.modifiers == simulator::kControlModifier;
        EXPECT_EQ(bound, 1) << keys;
    }
}

TEST(TerminalPicture, EveryPictureHasItsStatedSizeAndTheCaseOnlyPlacesKeysDrawnBefore) {
    using namespace appgen::simulator;
    for (int id = kFirstPicture; id <= kLastPicture; ++id) {
        const ui::Drawing d = terminalPicture(id);
        EXPECT_EQ((Size{d.width, d.height}), pictureSize(id)) << id;
    }
    EXPECT_TRUE(terminalPicture(kFirstPicture - 1).empty());
    EXPECT_TRUE(terminalPicture(kLastPicture + 1).empty());
    int placed = 0;
    for (const ui::DrawStep& step : terminalPicture(kTerminalPicture).steps)
        if (const auto* p = std::get_if<ui::PlacePicture>(&step)) {
            EXPECT_GE(p->picture, normalKeyPicture(1));
            EXPECT_LE(p->picture, normalKeyPicture(kKeyCount));
            ++placed;
        }
    EXPECT_EQ(placed, kKeyCount);
}

}  // namespace
}  // namespace appgen::shell
