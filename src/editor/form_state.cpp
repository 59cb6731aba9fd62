#include "editor/form_state.h"

#include <algorithm>
#include <cstring>

namespace appgen::editor {

void resetFormOnPage(FormDef& f) {
    f.font = 0;
    f.escTarget = 0;
    f.nextTarget = 1;
    f.stampPosition = 0;
    f.stampSplit = 1;
    f.stampYear = 1;
    f.stampYearDigits = 0;
    f.stampMonth = 1;
    f.stampDay = 1;
    f.stampDateSepOn = 1;
    std::memcpy(f.stampDateSep, "/", 2);
    f.stampDateOrder = 0;
    f.stampHours = 1;
    f.stampMinutes = 1;
    f.stampSeconds = 1;
    f.stampTimeSepOn = 1;
    std::memcpy(f.stampTimeSep, ":", 2);
    f.recordAction = 0;
    f.lookupSearch = 0;
    for (int i = 0; i < kFormLines; ++i) {
        f.searchIn[i] = 0;
        f.lineType[i] = kLineEmpty;
        f.prompt[i][0] = '\0';
        f.source[i] = 2;
        f.minLen[i] = 0;
        f.maxLen[i] = kMaxFieldLen;
        f.fixedLenOn[i] = 0;
        f.align[i] = 0;
        f.fixedLen[i] = 0;
        f.initialOn[i] = 0;
        f.initialValue[i][0] = '\0';
        f.prefixOn[i] = 0;
        std::fill(std::begin(f.prefix[i]), std::end(f.prefix[i]), '\0');
        f.suffixOn[i] = 0;
        std::fill(std::begin(f.suffix[i]), std::end(f.suffix[i]), '\0');
        f.partialOn[i] = 0;
        f.partialStart[i] = 0;
        f.partialLen[i] = 20;
        f.checkPrefixOn[i] = 0;
        f.checkPrefix[i][0] = '\0';
        f.autoEnter[i] = 1;
        f.inputMark[i] = 0;
        std::fill(std::begin(f.lineText[i]), std::end(f.lineText[i]), '\0');
    }
    f.lastInputLine = 0;
    f.currentLine = 0;
}

}  // namespace appgen::editor
