// Lookup data files against the lookup that is to take them: how its records
// are laid out (fixed-length fields at their offsets, or fields joined by a
// separator), how a file splits into lines, and which lines the terminal
// would not take.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project/project.h"

namespace appgen {

// The longest line a download frame carries.
inline constexpr std::size_t kLookupLineLimit = 253;

struct LookupFieldPlace {
    int offset = 0;  // 0-based in a fixed-length record; unused when separated
    int length = 0;  // the field's length, its maximum when separated
};

struct LookupLayout {
    bool separated = false;
    char separator = 0;
    int recordLength = 0;  // fixed-length records
    std::vector<LookupFieldPlace> fields;  // fieldCount of them, at most eight
};

LookupLayout lookupLayout(const LookupDef& l);

// Why the layout cannot describe a record (no fields, a field outside the
// record, two fields on the same bytes); empty when it can.
std::vector<std::string> layoutProblems(const LookupLayout& layout);

struct LookupFileLine {
    int number = 0;  // 1-based
    std::string bytes;
};

// CR LF, LF and CR each end a line; a last line without an end is a line too.
std::vector<LookupFileLine> splitLookupLines(std::string_view file);

struct LookupLineProblem {
    int line = 0;
    std::string reason;
};

// Every reason why the lookup cannot take each line.
std::vector<LookupLineProblem> checkLookupLines(const std::vector<LookupFileLine>& lines,
                                                const LookupLayout& layout);

// True for the bytes a lookup record may hold: printable Windows-1251 characters.
bool isLookupTextByte(unsigned char b);

}  // namespace appgen
