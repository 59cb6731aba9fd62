// The dump and the diff of appgen-cli: every bit the program reads belongs to
// one named field, so equal listings mean equal projects.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "cli/project_dump.h"
#include "cli/project_fields.h"

namespace appgen::cli {
namespace {

constexpr std::size_t kReadBytes = kProjectFileSize - sizeof(Reserved);

u8* bytes(Project& p) { return reinterpret_cast<u8*>(&p); }

TEST(ProjectFields, EveryBitBelongsToExactlyOneField) {
    std::vector<u8> owned(kReadBytes, 0);
    for (const auto& g : projectFields())
        for (const auto& f : g.fields)
            for (std::size_t i = f.offset; i < f.offset + f.size; ++i) {
                ASSERT_LT(i, kReadBytes) << g.record << " " << f.name;
                EXPECT_EQ(0, owned[i] & f.mask) << g.record << ", " << g.part << ": " << f.name;
                owned[i] |= f.mask;
            }
    for (std::size_t i = 0; i < kReadBytes; ++i) EXPECT_EQ(0xFF, owned[i]) << "byte " << i;
}

// Random projects, each against a copy with one byte changed: the dumps always
// differ, and the diff names exactly the fields that hold the changed bits.
TEST(ProjectListing, OneChangedByteAlwaysShows) {
    std::mt19937 rng(1613);
    auto project = std::make_unique<Project>(resetProjectReference());
    auto changed = std::make_unique<Project>();
    for (int iteration = 0; iteration < 300; ++iteration) {
        // Half of them stay close to a fresh project, as real ones do.
        const int scribbles = iteration % 2 ? 40 : static_cast<int>(kReadBytes);
        for (int k = 0; k < scribbles; ++k)
            bytes(*project)[rng() % kReadBytes] = static_cast<u8>(rng());
        *changed = *project;
        const std::size_t at = rng() % kReadBytes;
        bytes(*changed)[at] ^= static_cast<u8>(1 + rng() % 255);

        ASSERT_NE(dumpProject(*project), dumpProject(*changed)) << "byte " << at;
        std::size_t fieldsHit = 0;
        for (const auto& g : projectFields())
            for (const auto& f : g.fields)
                fieldsHit += at >= f.offset && at < f.offset + f.size &&
                             ((bytes(*project)[at] ^ bytes(*changed)[at]) & f.mask) != 0;
        ASSERT_EQ(fieldsHit, diffProjects(*project, *changed).size()) << "byte " << at;
        ASSERT_TRUE(diffProjects(*changed, *changed).empty());
    }
}

TEST(ProjectListing, DiffLinesInTheOperatorsWords) {
    struct Case {
        const char* name;
        std::function<void(Project&)> change;
        std::vector<std::string> lines;
    } cases[] = {
        {"a length", [](Project& p) { p.forms[0].maxLen[1] = 20; },
         {"Форма 1, строка 2: макс. длина 50 → 20"}},
        {"a symbology", [](Project& p) { p.barcode.bytes[0] &= 0x7F; },
         {"Штрихкод, символики: Code 39 да → нет"}},
        {"a scan mode and the bits beside it", [](Project& p) { p.barcode.bytes[20] = 0x07; },
         {"Штрихкод: режим сканирования Лазерный → Автогашение",
          "Штрихкод, не используются: байт 20 0x06 → 0x07"}},
        {"a menu item", [](Project& p) { p.menus[2].itemTarget[0] = 12; },
         {"Меню 3, пункт 1: переход Глав.Меню → меню  2"}},
        {"a byte kept after a text's end",
         [](Project& p) { p.menus[0].title[5] = 'Z'; },
         {"Меню 1: заголовок \"\" → \"\" (после конца @42: 5A)"}},
        {"an unused byte", [](Project& p) { p.lookups[1].reserved[0] = 0xAB; },
         {"База 2, служебное: резерв как при сбросе → @15829: AB"}},
        {"a flag outside its two values", [](Project& p) { p.terminal.separateFiles = 7; },
         {"Терминал: раздельные файлы нет → да (7)"}},
    };
    const Project& reset = resetProjectReference();
    for (const auto& c : cases) {
        auto changed = std::make_unique<Project>(reset);
        c.change(*changed);
        EXPECT_EQ(c.lines, diffProjects(reset, *changed)) << c.name;
    }
}

TEST(ProjectListing, TheDumpShowsWhatIsInUse) {
    auto p = std::make_unique<Project>(resetProjectReference());
    p->forms[1].lineType[0] = kLineInteger;
    std::strcpy(p->forms[1].prompt[0], "\xCA\xEE\xE4");  // "Код"
    p->forms[1].prefixOn[0] = 1;
    p->lookups[0].fieldCount = 1;
    const std::string dump = dumpProject(*p);
    EXPECT_NE(std::string::npos,
              dump.find("  строка 1: тип целое, подсказка \"Код\", источник скан.+клав., мин. длина 0, "
                        "макс. длина 50, префикс вкл. да, автоввод Скан+Ввод\n"));
    EXPECT_NE(std::string::npos, dump.find("База 1: длина записи 0, полей 1,"));
    EXPECT_NE(std::string::npos, dump.find("\n  поле 1: смещение 1, длина 0\n"));
    EXPECT_EQ(std::string::npos, dump.find("строка 2:")) << "lines not in use stay out";
}

}  // namespace
}  // namespace appgen::cli
