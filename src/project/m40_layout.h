// The older M40 project file, 10510 bytes, tag "M40-4.00" or "M40-3.10".
// Offsets are within the file.
#pragma once

#include <cstddef>

namespace appgen::m40 {

inline constexpr std::size_t kFileSize = 10510;
inline constexpr std::size_t kTagSize = 8;

inline constexpr std::size_t kPort = 8;
inline constexpr std::size_t kStartWith = 10;
inline constexpr std::size_t kBarcode = 11;  // B0..B23
inline constexpr std::size_t kBarcodeSize = 24;
inline constexpr std::size_t kMenus = 35;
inline constexpr std::size_t kMenuSize = 250;
inline constexpr std::size_t kForms = 2535;
inline constexpr std::size_t kFormSize = 601;
inline constexpr std::size_t kLookups = 8545;
inline constexpr std::size_t kLookupSize = 19;
inline constexpr std::size_t kSeparators = 8602;
inline constexpr std::size_t kUnusedTexts = 8604;
inline constexpr std::size_t kMainMenuTexts = 8668;      // 4 x 16
inline constexpr std::size_t kUtilitiesTexts = 8732;     // 8 x 21
inline constexpr std::size_t kDeleteDataTexts = 8900;    // 4 x 16
inline constexpr std::size_t kConfirmTexts = 8964;       // 4 x 16
inline constexpr std::size_t kMemoryPowerTexts = 9028;   // 4 x 16
inline constexpr std::size_t kLoadLookupTexts = 9092;    // 4 x 16
inline constexpr std::size_t kSettingsTexts = 9156;      // 8 x 21
inline constexpr std::size_t kUploadPortTexts = 9324;    // 8 x 21, U0..U7
inline constexpr std::size_t kDownloadPortTexts = 9492;  // 8 x 21, D0..D7
inline constexpr std::size_t kBaudRateTexts = 9660;      // 5 x 21
inline constexpr std::size_t kBacklightTexts = 9765;     // 4 x 21
inline constexpr std::size_t kDataDeletionTexts = 9849;  // 4 x 21
inline constexpr std::size_t kEntryOptionTexts = 9933;   // 4 x 21, E0..E3
inline constexpr std::size_t kViewSettingsTexts = 10017; // 8 x 21, V0..V7
inline constexpr std::size_t kConnectingTexts = 10185;   // 4 x 16
inline constexpr std::size_t kErrorTexts = 10249;        // 5 x 21, R0..R4
inline constexpr std::size_t kMiscTexts = 10354;         // 7 x 16
inline constexpr std::size_t kTerminal = 10466;          // T0..T19
inline constexpr std::size_t kPassword = 10486;          // 10 bytes
inline constexpr std::size_t kExtension = 10496;         // X0..X13
inline constexpr std::size_t kExtensionSize = 14;

static_assert(kMenus + 10 * kMenuSize == kForms);
static_assert(kForms + 10 * kFormSize == kLookups);
static_assert(kLookups + 3 * kLookupSize == kSeparators);
static_assert(kMiscTexts + 7 * 16 == kTerminal);
static_assert(kExtension + kExtensionSize == kFileSize);

// An old form keeps its per-line fields this many bytes lower than a FormDef.
inline constexpr std::size_t kFormLineShift = 14;
inline constexpr std::size_t kFormDateCode = 3;
inline constexpr std::size_t kFormTimeCode = 4;
inline constexpr std::size_t kFormRecordAction = 5;
inline constexpr std::size_t kFormLookupSearch = 6;
inline constexpr std::size_t kFormLastInputLine = 599;
inline constexpr std::size_t kFormCurrentLine = 600;

}  // namespace appgen::m40
