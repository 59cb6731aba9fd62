// The program image: the 20000-byte block the terminal loads as its program.
// It holds the project's blocks from BarcodeSettings to TerminalSettings in file
// order (every image offset is the file offset minus 12), with menus and forms
// made consistent, the terminal's own texts as space-padded slots and a few
// settings bytes in the terminal's codes; the rest is zero.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "project/project.h"

namespace appgen::link {

inline constexpr std::size_t kProgramImageSize = 20000;
using ProgramImage = std::array<std::uint8_t, kProgramImageSize>;

// The image as laid out in memory; texts of the start-up screen and the message
// groups keep their project slots (16 bytes for 15 columns, 21 for 20).
struct ProgramImageLayout {
    BarcodeSettings barcode;
    MenuDef menus[kMenuCount];
    FormDef forms[kFormCount];
    LookupDef lookups[kLookupCount];
    StartupScreen startupScreen;
    SystemMessages messages;
    WedgeSettings wedge;
    TerminalSettings terminal;
    u8 unused[1170];  // always zero
};

inline constexpr std::size_t kImageBarcode = 0;
inline constexpr std::size_t kImageMenus = 23;
inline constexpr std::size_t kImageForms = 3523;
inline constexpr std::size_t kImageLookups = 15673;
inline constexpr std::size_t kImageStartupScreen = 16039;
inline constexpr std::size_t kImageMessages = 16103;
inline constexpr std::size_t kImageWedge = 18507;
inline constexpr std::size_t kImageTerminal = 18562;
inline constexpr std::size_t kImageContentSize = 18830;

static_assert(sizeof(ProgramImageLayout) == kProgramImageSize);
static_assert(alignof(ProgramImageLayout) == 1);
static_assert(offsetof(ProgramImageLayout, barcode) == kImageBarcode);
static_assert(offsetof(ProgramImageLayout, menus) == kImageMenus);
static_assert(offsetof(ProgramImageLayout, forms) == kImageForms);
static_assert(offsetof(ProgramImageLayout, lookups) == kImageLookups);
static_assert(offsetof(ProgramImageLayout, startupScreen) == kImageStartupScreen);
static_assert(offsetof(ProgramImageLayout, messages) == kImageMessages);
static_assert(offsetof(ProgramImageLayout, wedge) == kImageWedge);
static_assert(offsetof(ProgramImageLayout, terminal) == kImageTerminal);
static_assert(offsetof(ProgramImageLayout, unused) == kImageContentSize);

// Compiles the project into its program image. Menus and forms are normalised
// in the project itself (itemCount and lastInputLine derived); the settings
// re-coding touches the image only. The caller's modified flag is not set.
// Never fails: a text that does not fit its width is cut to it.
ProgramImage compile(Project& p);

}  // namespace appgen::link
