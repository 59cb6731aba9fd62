#include "project/csv_table.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "project/text.h"
#include "project/utf8_text.h"

namespace appgen {
namespace {

constexpr int kRowsToDetect = 50;

class Reader {
public:
    Reader(std::string_view text, char delimiter) : s_(text), delimiter_(delimiter) {
        if (s_.starts_with(kUtf8Bom)) s_.remove_prefix(kUtf8Bom.size());
    }

    bool atEnd() const { return pos_ >= s_.size(); }

    // One row, or nothing for a line with nothing on it; problems are added to `out`.
    std::optional<CsvRow> row(std::vector<CsvProblem>& out) {
        CsvRow r;
        r.line = line_;
        if (lineEndAt(pos_)) {
            skipLineEnd();
            return std::nullopt;
        }
        bool bad = false;
        for (;;) {
            const int column = static_cast<int>(r.values.size()) + 1;
            std::string value;
            std::string reason = readValue(value);
            if (reason.empty() && !isValidUtf8(value)) reason = "the text is not UTF-8";
            if (!reason.empty()) {
                out.push_back({r.line, column, reason});
                bad = true;
            }
            r.values.push_back(std::move(value));
            if (atEnd()) break;
            if (s_[pos_] == delimiter_) {
                ++pos_;
                continue;
            }
            skipLineEnd();
            break;
        }
        if (bad) return CsvRow{r.line, {}};
        return r;
    }

private:
    bool lineEndAt(std::size_t i) const {
        return i >= s_.size() || s_[i] == '\n' || s_[i] == '\r';
    }
    void skipLineEnd() {
        if (atEnd()) return;
        if (s_[pos_] == '\r' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }

    // Reads up to the next delimiter or line end; an empty string when it went well.
    std::string readValue(std::string& value) {
        if (atEnd() || s_[pos_] != '"') {
            while (!lineEndAt(pos_) && s_[pos_] != delimiter_) value += s_[pos_++];
            return {};
        }
        ++pos_;
        const int openedOn = line_;
        for (;;) {
            if (atEnd()) {
                line_ = openedOn;  // reported where the quote was opened
                return "a quoted value is not closed";
            }
            const char c = s_[pos_++];
            if (c == '"') {
                if (!atEnd() && s_[pos_] == '"') {
                    value += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c == '\n' || (c == '\r' && (atEnd() || s_[pos_] != '\n'))) ++line_;
            value += c;
        }
        if (lineEndAt(pos_) || s_[pos_] == delimiter_) return {};
        // Text after the closing quote: skip the rest of the value.
        while (!lineEndAt(pos_) && s_[pos_] != delimiter_) ++pos_;
        return "text follows the closing quote";
    }

    std::string_view s_;
    char delimiter_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// Bytes no text file in Windows-1251 holds: control characters but tab and
// the line ends, and 0x98, which has no character.
bool isCp1251TextByte(unsigned char b) {
    return b == '\t' || b == '\r' || b == '\n' || (b >= 0x20 && b != 0x7F && b != 0x98);
}

}  // namespace

CsvText decodeCsvText(std::string_view bytes) {
    if (isValidUtf8(bytes)) return {std::string(bytes), "UTF-8", {}};
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == '\n' || (b == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
        if (isCp1251TextByte(b)) continue;
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", b);
        return {{}, {}, {line, 0,
                 "the file is neither UTF-8 nor Windows-1251 text (both were tried): byte " +
                     std::string(code) + " at position " + std::to_string(i - lineStart + 1) +
                     " is not text"}};
    }
    return {cp1251ToUtf8(bytes), "Windows-1251", {}};
}

CsvTable parseCsv(std::string_view text, char delimiter) {
    CsvTable t;
    t.delimiter = delimiter;
    Reader r(text, delimiter);
    while (!r.atEnd()) {
        auto row = r.row(t.problems);
        if (row && !row->values.empty()) t.rows.push_back(std::move(*row));
    }
    return t;
}

char detectCsvDelimiter(std::string_view text, std::optional<int> expectedColumns) {
    // Only the first rows are looked at: enough to tell, and cheap on big files.
    char best = ',';
    int bestScore = -1;
    for (const char d : {'\t', ';', ','}) {
        std::map<std::size_t, int> counts;
        Reader r(text, d);
        std::vector<CsvProblem> ignored;
        for (int n = 0; n < kRowsToDetect && !r.atEnd();) {
            auto row = r.row(ignored);
            if (!row || row->values.empty()) continue;
            ++counts[row->values.size()];
            ++n;
        }
        if (counts.size() != 1) continue;  // rows of different widths: not this one
        const int columns = static_cast<int>(counts.begin()->first);
        if (columns < 2) continue;
        const int score = expectedColumns && columns == *expectedColumns ? 1000 : columns;
        if (score > bestScore) {
            best = d;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace appgen
