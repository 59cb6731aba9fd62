#include <gtest/gtest.h>

#include "project/project.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

TEST(MessageGroups, OffsetsAndSizesTileTheBlock) {
    std::size_t offset = 0;
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const auto& info = messageGroup(g);
        EXPECT_EQ(offset, info.offset) << g;
        offset += static_cast<std::size_t>(info.slot * info.slots);
    }
    EXPECT_EQ(sizeof(SystemMessages), offset);
}

TEST(MessageGroups, ListNamesWithAndWithoutBigFont) {
    struct Case {
        int group;
        bool big;
        const char* name;
    } cases[] = {
        {0, false, "Main menu (3x15)"},       {0, true, "Main menu (3x15)"},
        {1, false, "Utilities (8x20)"},       {1, true, "Utilities (8x15)"},
        {3, false, "Confirm (3x15)"},         {8, true, "Download Port (5x15)"},
        {12, true, "Entry Options (4x15)"},   {13, false, "View Settings (8x20)"},
        {13, true, "View Settings (6x15)"},   {16, true, "Set Phone Number (2x15)"},
        {23, true, "Error Messages (5x15)"},  {25, true, "Misc - continuous (3x15)"},
        {4, false, "Memory & Power (4x15)"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.name, groupListName(c.group, c.big)) << c.group;
    EXPECT_EQ(6, editableRows(13, true));
    EXPECT_EQ(15, maxRowLength(13, true));
    EXPECT_EQ(20, maxRowLength(13, false));
    EXPECT_EQ(15, maxRowLength(24, false));
}

TEST(MessageDefaults, PaddedAsStoredAndFilledByReset) {
    Project p{};
    resetProject(p);
    EXPECT_EQ(utf8ToCp1251("1.Сбор данных  "), slotText(messageSlot(p, 0, 0), 16));
    EXPECT_EQ(std::string(15, ' '), slotText(messageSlot(p, 0, 3), 16));
    EXPECT_EQ(utf8ToCp1251("3я база данных"), slotText(messageSlot(p, 5, 3), 16));
    EXPECT_EQ(std::string(20, ' '), slotText(messageSlot(p, 12, 3), 21));
    for (int g = 0; g < kMessageGroupCount; ++g) {
        const auto& info = messageGroup(g);
        for (int r = 0; r < info.slots; ++r) {
            const auto text = slotText(messageSlot(p, g, r), static_cast<std::size_t>(info.slot));
            EXPECT_EQ(russianDefault(g, r), text);
            if (!(g == 5 && r == 3)) {
                EXPECT_EQ(static_cast<std::size_t>(info.slot - 1), text.size());
            }
        }
    }
    EXPECT_EQ("5.Set Date&Time", bigFontDefault(1, 4));
    EXPECT_EQ("Stay __00ms    ", bigFontDefault(12, 3));
    EXPECT_EQ(5, bigFontDefaultRows(8));
    EXPECT_EQ(0, bigFontDefaultRows(0));
}

}  // namespace
}  // namespace appgen
