#include "editor/lookup_layout.h"

#include <algorithm>

namespace appgen::editor {

void completeSeparatedLookup(LookupDef& l) {
    if (l.separator == 0) return;
    const int n = std::min<int>(l.fieldCount, kLookupFields);
    unsigned length = static_cast<unsigned>(n);
    for (int i = 0; i < n; ++i) length += l.fieldLen[i];
    l.recLen = static_cast<u8>(length - 1);
    l.fieldOffset[0] = 1;
    for (int i = 1; i < n; ++i)
        l.fieldOffset[i] = static_cast<u8>(l.fieldOffset[i - 1] + l.fieldLen[i - 1] + 1);
}

}  // namespace appgen::editor
