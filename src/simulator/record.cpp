// The record a completed form passes on, its date/time stamp, and the
// previous-form lines that show it.
#include <cstdio>

#include "project/text.h"
#include "simulator/simulator.h"

namespace appgen::simulator {
namespace {

std::string twoDigits(int v) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", v);
    return text;
}

std::string fourDigits(int v) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", v);
    return text;
}

}  // namespace

// The buffer keeps its first 407 characters; nothing is written past them.
void Simulator::appendRecord(std::string_view bytes) {
    if (recordBuffer_.size() >= kRecordBufferSize) return;
    recordBuffer_.append(bytes.substr(0, kRecordBufferSize - recordBuffer_.size()));
}

void Simulator::appendSeparators() {
    const char seps[2] = {static_cast<char>(project_.terminal.separator1),
                          static_cast<char>(project_.terminal.separator2)};
    for (char s : seps)
        if (s != 0) appendRecord(std::string_view(&s, 1));
}

void Simulator::assembleRecord() {
    const FormDef& f = form();
    const int lines = f.font != 0 ? 4 : kFormLines;
    recordBuffer_.clear();
    if (f.stampPosition == 1) appendStamp();
    for (int i = 0; i < lines; ++i) {
        const u8 type = f.lineType[i];
        if (type < kLineText || type > kLineFixed) continue;
        // A lookup line is saved only when its looked-up data is to be kept.
        if (type == kLineLookup && f.initialOn[i] == 0) continue;
        std::string& text = at(i).entryText;
        if (type == kLineFixed) text = prompt(i);
        // A continuation line's text comes in with its data line.
        for (int k = i + 1; k <= i + 3 && isContinuation(k); ++k) text += at(k).entryText;
        if (text.size() > kEntryTextSize) text.resize(kEntryTextSize);
        if (!recordBuffer_.empty()) appendSeparators();
        if (f.prefixOn[i] != 0) appendRecord(slotText(f.prefix[i]));
        if (f.fixedLenOn[i] != 0) {
            const std::size_t h = f.fixedLen[i];
            const std::size_t l = text.size();
            if (l < h) {
                const std::string zeros(h - l, '0');
                const std::string spaces(h - l, ' ');
                // 3 and 1 fill on the left ("0" or spaces), 2 and the rest pad on the right.
                const u8 align = f.align[i];
                if (align == 3 || align == 1) appendRecord(align == 3 ? zeros : spaces);
                appendRecord(text);
                if (align != 3 && align != 1) appendRecord(align == 2 ? zeros : spaces);
            } else {
                appendRecord(std::string_view(text).substr(0, h));
            }
        } else {
            appendRecord(text);
        }
        if (f.suffixOn[i] != 0) appendRecord(slotText(f.suffix[i]));
    }
    if (f.stampPosition == 2) appendStamp();
}

void Simulator::appendStamp() {
    const FormDef& f = form();
    if (!recordBuffer_.empty()) appendSeparators();
    const LocalDateTime t = clock_.now();

    // Year, month and day in the form's order; a separator goes before a part
    // when an earlier part is enabled, whether or not anything was written.
    enum Part { Year, Month, Day };
    static constexpr Part kOrders[3][3] = {{Year, Month, Day}, {Month, Day, Year}, {Day, Month, Year}};
    if (f.stampDateOrder < 3) {
        bool earlier = false;
        for (Part part : kOrders[f.stampDateOrder]) {
            const bool on = (part == Year ? f.stampYear : part == Month ? f.stampMonth : f.stampDay) != 0;
            if (!on) continue;
            if (f.stampDateSepOn != 0 && earlier) appendRecord(slotText(f.stampDateSep));
            if (part == Year)
                appendRecord(f.stampYearDigits == 1 ? twoDigits(t.year % 100) : fourDigits(t.year));
            else
                appendRecord(twoDigits(part == Month ? t.month : t.day));
            earlier = true;
        }
    }

    if (!recordBuffer_.empty() && f.stampSplit != 0) appendSeparators();

    const bool timeSep = f.stampTimeSepOn != 0;
    if (f.stampHours != 0) appendRecord(twoDigits(t.hour));
    if (f.stampMinutes != 0) {
        if (timeSep && f.stampHours != 0) appendRecord(slotText(f.stampTimeSep));
        appendRecord(twoDigits(t.minute));
    }
    if (f.stampSeconds != 0) {
        if (timeSep && (f.stampHours != 0 || f.stampMinutes != 0)) appendRecord(slotText(f.stampTimeSep));
        appendRecord(twoDigits(t.second));
    }
}

void Simulator::layoutPrevious(int i) {
    if (i < 0 || i >= kFormLines) return;
    LineEntry& e = at(i);
    std::string& text = e.entryText;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    e.entryPos = e.entryStart;
    for (int k = i + 1; isContinuation(k); ++k) at(k).entryText.clear();

    const std::size_t w = static_cast<std::size_t>(width());
    const int roomColumns = width() - e.entryStart;
    const std::size_t room = roomColumns > 0 ? static_cast<std::size_t>(roomColumns) : 0;
    if (text.size() < room) return;
    if (!isContinuation(i + 1)) {
        text.resize(room);
        return;
    }
    at(i + 1).entryText = text.substr(room);
    std::size_t left = text.size() - room;
    text.resize(room);
    int k = i + 1;
    while (left > w && isContinuation(k + 1)) {
        std::string& previous = at(k).entryText;
        at(k + 1).entryText = previous.substr(w);
        previous.resize(w);
        left -= w;
        ++k;
    }
    if (left > w) at(k).entryText.resize(w);
}

}  // namespace appgen::simulator
