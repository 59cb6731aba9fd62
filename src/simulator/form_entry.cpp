// The project's forms on the simulated display: starting and drawing them,
// their keys, and the entry of characters with the terminal's type, length,
// scrolling and continuation-line rules.
#include <algorithm>

#include "project/text.h"
#include "simulator/display_line.h"
#include "simulator/key_codes.h"
#include "simulator/simulator.h"

namespace appgen::simulator {
namespace {

bool isDataLine(u8 type) { return type >= kLineText && type <= kLineLogical; }

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool typeTakes(u8 type, char ch) {
    switch (type) {
        case kLineText:
        case kLineContinuation: return true;
        case kLineInteger: return isDigit(ch);
        case kLineDecimal:
        case kLineSigned: return isDigit(ch) || ch == '.';
        case kLineLetters: return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
        case kLineLogical:
            return ch == '0' || ch == '1' || ch == 'Y' || ch == 'N' || ch == 'T' || ch == 'F';
        default: return false;  // empty, lookup, fixed, label, counter, previous form
    }
}

// Stores ch at index k of an entry; a shorter entry is padded with spaces.
void storeAt(std::string& text, int k, char ch) {
    if (k < 0 || k >= static_cast<int>(kEntryTextSize)) return;
    const auto index = static_cast<std::size_t>(k);
    if (index < text.size()) {
        text[index] = ch;
        return;
    }
    text.resize(index, ' ');
    text.push_back(ch);
}

// The entry ends at index k: its first k characters stay.
void endAt(std::string& text, int k) {
    if (k >= 0 && static_cast<std::size_t>(k) < text.size()) text.resize(static_cast<std::size_t>(k));
}

// Characters of an entry that the display shows from its scroll offset.
int shownLength(const LineEntry& e) {
    const int offset = e.scrollCount > 0 ? e.scrollCount - 1 : 0;
    const int n = static_cast<int>(e.entryText.size()) - offset;
    return n > 0 ? n : 0;
}

void fillMarks(std::string& line, int from, int to, char mark) {
    for (int col = std::max(from, 0); col <= to && col < kLineWidth; ++col) putColumn(line, col, mark);
}

std::string fiveDigits(int n) {
    const int digits[5] = {n / 10000, (n / 1000) % 10, (n / 100) % 10, (n / 10) % 10, n % 10};
    std::string out;
    for (int d : digits) out.push_back(static_cast<char>('0' + d));
    return out;
}

}  // namespace

FormDef& Simulator::form() {
    const int n = display_.currentScreen;
    return project_.forms[(n >= 1 && n <= kFormCount) ? n - 1 : 0];
}

const FormDef& Simulator::form() const {
    const int n = display_.currentScreen;
    return project_.forms[(n >= 1 && n <= kFormCount) ? n - 1 : 0];
}

int Simulator::width() const { return form().font != 0 ? 15 : 20; }

u8 Simulator::lineType(int i) const { return form().lineType[i]; }

std::string_view Simulator::prompt(int i) const {
    return slotText(form().prompt[i]).substr(0, kLineWidth);
}

bool Simulator::isContinuation(int i) const {
    return i >= 0 && i < kFormLines && lineType(i) == kLineContinuation;
}

// The current line as stored in the form; a stray byte counts as line 0.
static int currentOf(const FormDef& f) { return f.currentLine < kFormLines ? f.currentLine : 0; }

int Simulator::nextInputLine(int c) const {
    const int last = form().lastInputLine - 1;
    for (int k = c + 1; k <= last && k < kFormLines; ++k)
        if (isDataLine(lineType(k))) return k;
    return c;
}

int Simulator::prevInputLine(int c) const {
    int p = c;
    while (p > 0 && isContinuation(p)) --p;
    for (int k = p - 1; k >= 0; --k)
        if (isDataLine(lineType(k))) return k;
    return c;
}

void Simulator::startForm(int n) {
    if (n < kTargetFirstForm || n >= kTargetFirstMenu) return;
    display_.currentScreen = n;
    FormDef& f = form();
    const int w = width();
    for (int i = 0; i < kFormLines; ++i) {
        LineEntry& e = at(i);
        e = LineEntry{};
        line(i).clear();
        const int j = static_cast<int>(prompt(i).size());
        e.entryStart = e.entryPos = j;
        if (f.lineType[i] == kLineSigned && j + 2 * f.maxLen[i] + 1 <= w) {
            e.signShown = true;
            e.entryStart = e.entryPos = j + f.maxLen[i] + 1;
        }
        // On a lookup line the same byte says the looked-up data is saved;
        // the slot is copied all the same.
        if (f.initialOn[i] != 0) e.entryText = slotText(f.initialValue[i]);
    }
    f.currentLine = static_cast<u8>(isDataLine(f.lineType[0]) ? 0 : nextInputLine(0));
    display_.highlightLine = 0;
    showForm(n);
}

void Simulator::showForm(int n) {
    if (n < kTargetFirstForm || n >= kTargetFirstMenu) return;
    for (auto& l : display_.screenLines) l.clear();
    display_.currentScreen = n;
    display_.state = SimState::FormScreen;
    display_.widePitch = false;
    const FormDef& f = form();
    for (int i = 0; i < kFormLines; ++i) {
        const u8 type = f.lineType[i];
        if (type == kLineEmpty) continue;
        LineEntry& e = at(i);
        setLine(line(i), prompt(i));
        if (type == kLineCounter) {
            e.entryText = fiveDigits(display_.recordCount);
        } else if (type == kLinePrevious) {
            const std::size_t room = (f.font != 0 ? 60u : 160u) - prompt(i).size();
            if (recordBuffer_.size() > room) recordBuffer_.resize(room);
            e.entryText = recordBuffer_;
            layoutPrevious(i);
        } else if (type == kLineSigned && e.signShown) {
            showSign(i);
        }
        appendToLine(line(i), fromOffset(e.entryText, e.scrollCount - 1));
    }
    const int c = currentOf(f);
    display_.cursorRow = c;
    display_.cursorCol = std::clamp(at(c).entryPos, 0, edge());
    repaintAll();
    showMarks(c);
}

void Simulator::formKey(int code) {
    if (isCharacterKey(code)) {
        if (display_.alphaMode)
            tapLetter(alphaBase(code));
        else
            acceptChar(digitChar(code));
        return;
    }
    switch (code) {
        case kKeyEnter:
        case kKeyRightEnter: formEnter(); break;
        case kKeyUp: formUp(); break;
        case kKeyEsc: goToTarget(form().escTarget, true); break;
        case kKeyBackspace: backspace(); break;
        default: break;  // the alpha key was handled by the window
    }
}

void Simulator::formEnter() {
    FormDef& f = form();
    const int c = currentOf(f);
    if (at(c).entryText.size() < f.minLen[c]) {
        showError(2);
        return;
    }
    if (c < f.lastInputLine - 1) {
        const int t = nextInputLine(c);
        f.currentLine = static_cast<u8>(t);
        if (t != c) {
            at(t).entryPos = at(t).entryStart;
            showForm(display_.currentScreen);
        }
        return;
    }
    ++display_.recordCount;
    if (f.recordAction == 3) assembleRecord();
    goToTarget(f.nextTarget, false);
}

void Simulator::formUp() {
    FormDef& f = form();
    const int c = currentOf(f);
    if (c < 1) return;
    const int t = prevInputLine(c);
    f.currentLine = static_cast<u8>(t);
    if (t != c) {
        at(t).entryPos = at(t).entryStart;
        showForm(display_.currentScreen);
    }
}

void Simulator::acceptChar(char ch) {
    FormDef& f = form();
    const int c = currentOf(f);
    if (!typeTakes(f.lineType[c], ch)) {
        showError(1);
        return;
    }
    LineEntry& e = at(c);
    const char mark = static_cast<char>(f.inputMark[c]);
    // The first character typed since the field was entered replaces its text.
    if (!e.entryText.empty() && display_.cursorCol == e.entryStart) {
        clearField();
        for (int k = c + 1; k <= c + 3 && isContinuation(k); ++k) {
            at(k).entryText.clear();
            line(k).clear();
            at(k).scrollCount = 0;
            at(k).entryPos = 0;
        }
        if (mark != 0)
            showMarks(c);
        else
            repaintAll();
        display_.cursorCol = e.entryStart;
    }
    const int s = e.entryStart;
    const int p = e.entryPos;
    const int last = s + f.maxLen[c] - 1;
    // A full field keeps taking characters into its last place.
    storeAt(e.entryText, p > last ? p - s - 1 : p - s, ch);
    if (p < last && p < edge()) {
        e.entryPos = p + 1;
        putColumn(line(c), p, ch);
        ++display_.cursorCol;
        repaintLine(c);
    } else if (p < last) {
        if (isContinuation(c + 1)) {
            // Typing goes on at the start of the continuation line.
            f.currentLine = static_cast<u8>(c + 1);
            showForm(display_.currentScreen);
            return;
        }
        // A long entry scrolls; the cursor stays on the edge.
        ++e.scrollCount;
        e.entryPos = p + 1;
        setLine(line(c), prompt(c));
        appendToLine(line(c), fromOffset(e.entryText, e.scrollCount));
        if (mark != 0) appendToLine(line(c), std::string_view(&mark, 1));
        repaintLine(c);
    } else {
        if (p == last) {
            e.entryPos = p + 1;
            ++e.scrollCount;
        }
        int k = static_cast<int>(line(c).size());
        if (k > edge())
            k = edge();
        else if (k > last)
            k = last;
        putColumnAndEnd(line(c), k, ch);
        repaintLine(c);
    }
}

void Simulator::backspace() {
    FormDef& f = form();
    const int c = currentOf(f);
    LineEntry& e = at(c);
    const int s = e.entryStart;
    const int p = e.entryPos;
    const int last = s + f.maxLen[c] - 1;
    const char mark = static_cast<char>(f.inputMark[c]);
    if (e.scrollCount > 0) {
        --e.scrollCount;
        --e.entryPos;
        // Below 0 after moving back to a scrolled field: the text is kept.
        endAt(e.entryText, e.entryPos - s);
        setLine(line(c), prompt(c));
        showSign(c);
        appendToLine(line(c), fromOffset(e.entryText, e.scrollCount));
        if (mark != 0) appendToLine(line(c), std::string_view(&mark, 1));
        repaintLine(c);
    } else if (p <= s) {
        if (c > 0 && isContinuation(c)) {
            f.currentLine = static_cast<u8>(c - 1);
            std::string& above = at(c - 1).entryText;
            if (!above.empty()) above.pop_back();
            showForm(display_.currentScreen);
        }
    } else if (p < last) {
        e.entryPos = p - 1;
        endAt(e.entryText, p - 1 - s);
        display_.cursorCol = std::max(display_.cursorCol - 1, 0);
        if (mark != 0)
            putColumn(line(c), p - 1, mark);
        else
            dropLastColumn(line(c));
        repaintLine(c);
    } else {
        if (static_cast<int>(e.entryText.size()) <= p - s) {
            --e.entryPos;
            display_.cursorCol = std::max(display_.cursorCol - 1, 0);
        }
        endAt(e.entryText, e.entryPos - s);
        if (mark != 0)
            putColumn(line(c), e.entryPos, mark);
        else
            dropLastColumn(line(c));
        repaintLine(c);
    }
}

void Simulator::clearField() {
    const FormDef& f = form();
    const int c = currentOf(f);
    LineEntry& e = at(c);
    e.entryPos = e.entryStart;
    display_.cursorCol = e.entryStart;
    e.scrollCount = 0;
    e.entryText.clear();
    setLine(line(c), prompt(c));
    e.signShown = false;
    const int j = static_cast<int>(prompt(c).size());
    if (f.lineType[c] == kLineSigned && j + 2 * f.maxLen[c] + 1 <= width()) {
        e.signShown = true;
        e.entryStart = e.entryPos = j + f.maxLen[c] + 1;
        showSign(c);
    }
    repaintLine(c);
}

void Simulator::showSign(int i) {
    if (i < 0 || i >= kFormLines || !at(i).signShown) return;
    const u8 link = form().searchIn[i];
    const char sign = (link >= 17 && link <= 24) ? '+' : (link >= 9 && link <= 16) ? '-' : ' ';
    std::string& l = line(i);
    const int column = at(i).entryStart - 1;
    if (column < 0 || column >= kLineWidth) return;
    if (l.size() > static_cast<std::size_t>(column)) l.resize(static_cast<std::size_t>(column));
    padLine(l, column);
    l.push_back(sign);
}

void Simulator::showMarks(int i) {
    if (i < 0 || i >= kFormLines) return;
    const FormDef& f = form();
    const char mark = static_cast<char>(f.inputMark[i]);
    if (mark == 0) return;
    const int w = width();
    const LineEntry& e = at(i);
    const int n = std::min<int>(f.maxLen[i], w - e.entryStart);
    fillMarks(line(i), e.entryStart + shownLength(e), e.entryStart + n - 1, mark);
    repaintLine(i);
    for (int k = i + 1; k <= i + 3 && isContinuation(k); ++k) {
        const LineEntry& ek = at(k);
        const int nk = std::min<int>(f.maxLen[k], w);
        fillMarks(line(k), ek.entryStart + shownLength(ek), nk - 1, mark);
        repaintLine(k);
    }
}

}  // namespace appgen::simulator
