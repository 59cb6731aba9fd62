// The Startup page's working copy of the terminal's 26 message groups: eight
// rows per group, each a NUL-terminated text of up to 20 characters whatever
// the group's slot width, and the ways the page fills it.
#pragma once

#include <string>
#include <string_view>

#include "project/project.h"
#include "project/system_messages.h"

namespace appgen::editor {

inline constexpr int kTextRows = 8;
inline constexpr int kTextRowChars = 20;

struct StartupTexts {
    char row[kMessageGroupCount][kTextRows][kTextRowChars + 1]{};

    std::string_view text(int group, int r) const;
    void set(int group, int r, std::string_view text);
};

// Every slot of every group into the table, and back (each row cut to its slot).
void loadTexts(const Project& p, StartupTexts& t);
void storeTexts(const StartupTexts& t, Project& p);

// The "x20" groups get the defaults of the font state: with the big font the
// English rows (further rows keep their text), without it the Russian ones.
void installWideDefaults(StartupTexts& t, bool bigFont);
// Every group gets its defaults: the "x15" groups the Russian ones, the "x20"
// groups as installWideDefaults.
void restoreDefaultTexts(StartupTexts& t, bool bigFont);

enum class ImportStatus { Ok, CannotOpen, FormatMismatch };

// Takes the message groups and the big-font flag from a current-format project
// file. Older files and anything else give FormatMismatch. A file that ends
// early gives what it holds; the rest stays as it was.
ImportStatus importTexts(const std::string& path, StartupTexts& t, u8& bigFont);
ImportStatus importTextBytes(const unsigned char* data, std::size_t size, StartupTexts& t,
                             u8& bigFont);

}  // namespace appgen::editor
