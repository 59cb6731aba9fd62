#include "project/csv_table.h"

#include <algorithm>
#include <map>

namespace appgen {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr int kRowsToDetect = 50;

// Length of the well-formed UTF-8 sequence at s[i], or 0 when it is not one.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return 1;
    std::size_t n = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) n = 2, min = 0x80;
    else if (b0 >= 0xE0 && b0 <= 0xEF) n = 3, min = 0x800;
    else if (b0 >= 0xF0 && b0 <= 0xF4) n = 4, min = 0x10000;
    else return 0;
    if (i + n > s.size()) return 0;
    char32_t cp = b0 & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Length(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

class Reader {
public:
    Reader(std::string_view text, char delimiter) : s_(text), delimiter_(delimiter) {
        if (s_.starts_with(kBom)) s_.remove_prefix(kBom.size());
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
            if (reason.empty() && !validUtf8(value)) reason = "the text is not UTF-8";
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

}  // namespace

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
