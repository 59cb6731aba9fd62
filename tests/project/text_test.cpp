#include <gtest/gtest.h>

#include <cstring>

#include "project/text.h"

namespace appgen {
namespace {

TEST(Cp1251, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(all, utf8ToCp1251(cp1251ToUtf8(all)));
}

TEST(Cp1251, KnownLettersAndUnmappable) {
    struct Case {
        const char* utf8;
        const char* cp1251;
    } cases[] = {
        {"Сброс", "\xD1\xE1\xF0\xEE\xF1"},
        {"Ёё№", "\xA8\xB8\xB9"},
        {"€", "\x88"},
        {"日本", "??"},
        {"a\xFF" "b", "a?b"},   // malformed UTF-8
        {"\xD0", "?"},          // cut sequence
    };
    for (const auto& c : cases) EXPECT_EQ(c.cp1251, utf8ToCp1251(c.utf8)) << c.utf8;
}

TEST(Slots, WritesNeverPassTheSlotAndKeepTheTail) {
    char slot[6];
    std::memcpy(slot, "ABCDEF", 6);
    setSlotText(slot, "xy");
    EXPECT_EQ(0, std::memcmp(slot, "xy\0DEF", 6));
    setSlotText(slot, "123456789");
    EXPECT_EQ(0, std::memcmp(slot, "12345\0", 6));
    EXPECT_EQ("12345", slotText(slot));
    setSlotBytes(slot, "abcdefgh");
    EXPECT_EQ(0, std::memcmp(slot, "abcdef", 6));
    EXPECT_EQ(6u, slotLength(slot));  // no terminator: the whole slot
    setSlotBytes(slot, "q");
    EXPECT_EQ(0, std::memcmp(slot, "q\0cdef", 6));
}

}  // namespace
}  // namespace appgen
