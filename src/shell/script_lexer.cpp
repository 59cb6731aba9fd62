#include "shell/script_lexer.h"

#include "project/text.h"

namespace appgen::shell {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Collects a word: text runs are converted to Windows-1251 as a whole, so a
// UTF-8 sequence is never cut; raw bytes go in between as they are.
class WordBuilder {
public:
    void text(char c) {
        word_.utf8 += c;
        run_ += c;
    }
    void raw(unsigned char byte) {
        flush();
        word_.utf8 += static_cast<char>(byte);
        word_.cp1251 += static_cast<char>(byte);
    }
    ScriptWord take() {
        flush();
        ScriptWord w = std::move(word_);
        word_ = {};
        return w;
    }

private:
    void flush() {
        word_.cp1251 += utf8ToCp1251(run_);
        run_.clear();
    }
    ScriptWord word_;
    std::string run_;
};

}  // namespace

std::optional<std::vector<ScriptWord>> splitScriptLine(std::string_view line, std::string* error) {
    std::vector<ScriptWord> words;
    std::size_t i = 0;
    auto fail = [&](std::string why) -> std::optional<std::vector<ScriptWord>> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i >= line.size() || line[i] == '#') break;
        WordBuilder w;
        if (line[i] != '"') {
            while (i < line.size() && !isBlank(line[i])) w.text(line[i++]);
            words.push_back(w.take());
            continue;
        }
        ++i;  // the opening quote
        bool closed = false;
        while (i < line.size()) {
            const char c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\') {
                w.text(c);
                continue;
            }
            if (i >= line.size()) return fail("a backslash ends the line");
            const char e = line[i++];
            switch (e) {
                case '"': w.text('"'); break;
                case '\\': w.text('\\'); break;
                case 'r': w.raw('\r'); break;
                case 'n': w.raw('\n'); break;
                case 't': w.raw('\t'); break;
                case 'x': {
                    const int hi = i < line.size() ? hexDigit(line[i]) : -1;
                    const int lo = i + 1 < line.size() ? hexDigit(line[i + 1]) : -1;
                    if (hi < 0 || lo < 0) return fail("\\x needs two hexadecimal digits");
                    w.raw(static_cast<unsigned char>(hi * 16 + lo));
                    i += 2;
                    break;
                }
                default: return fail(std::string("unknown escape \\") + e);
            }
        }
        if (!closed) return fail("a quoted text is not closed");
        if (i < line.size() && !isBlank(line[i])) return fail("a quoted text runs into the next word");
        words.push_back(w.take());
    }
    return words;
}

}  // namespace appgen::shell
