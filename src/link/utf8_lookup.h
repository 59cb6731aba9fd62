// Lookup files saved in UTF-8 (what editors on Linux write) are found before
// the port opens: the terminal reads Windows-1251, and such a file sent byte
// for byte would show every Cyrillic letter garbled while reporting success.
#pragma once

#include <functional>
#include <string>

#include "link/download.h"
#include "link/lookup_file.h"

namespace appgen::link {

enum class Utf8LookupChoice { Convert, SendAsIs, Stop };

// A filter for downloadLookup: a file that is UTF-8 text asks `choose` (a
// Stop from it carries no refusal: `choose` has told the operator or leaves
// that to the caller); any other file, and one that cannot be read (the
// download says why), goes as it is.
LookupFileUse utf8LookupFileUse(const LookupFileOpener& open, const std::string& path,
                                 const std::function<Utf8LookupChoice()>& choose);

// The file read as UTF-8 and sent in Windows-1251; a character that has no
// code there, or bytes that are not UTF-8, refuse it with their line and column.
LookupFileUse convertedLookupFile(const LookupFileOpener& open, const std::string& path);

}  // namespace appgen::link
