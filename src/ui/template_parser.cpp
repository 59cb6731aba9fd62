#include "ui/template_parser.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "project/text.h"

namespace appgen::ui {
namespace {

struct Token {
    enum class Kind { Word, Number, String, Comma, Bar } kind;
    std::string text;
    int number = 0;
};

struct KindWord {
    std::string_view word;
    ControlKind kind;
    unsigned style;
    bool hasText;
};

constexpr KindWord kKinds[] = {
    {"LTEXT", ControlKind::Label, 0, true},
    {"CTEXT", ControlKind::Label, kStyleCentre, true},
    {"RTEXT", ControlKind::Label, kStyleRight, true},
    {"EDITTEXT", ControlKind::Edit, 0, false},
    {"PUSHBUTTON", ControlKind::Button, 0, true},
    {"DEFPUSHBUTTON", ControlKind::Button, kStyleDefault, true},
    {"CHECKBOX", ControlKind::CheckBox, 0, true},
    {"AUTOCHECKBOX", ControlKind::CheckBox, kStyleAuto, true},
    {"RADIOBUTTON", ControlKind::RadioButton, 0, true},
    {"AUTORADIOBUTTON", ControlKind::RadioButton, kStyleAuto, true},
    {"GROUPBOX", ControlKind::GroupBox, 0, true},
    {"DROPDOWNLIST", ControlKind::DropDownList, 0, false},
    {"CUSTOM", ControlKind::Custom, 0, true},
    {"ICON", ControlKind::Icon, 0, true},
};

struct FlagWord {
    std::string_view word;
    unsigned style;
};

constexpr FlagWord kFlags[] = {
    {"DISABLED", kStyleDisabled},
    {"HIDDEN", kStyleHidden},
    {"GROUP", kStyleGroup},
};

class LineReader {
public:
    explicit LineReader(std::string_view source) : rest_(source) {}

    // The next line with something on it, split into tokens; false at the end.
    bool next(std::vector<Token>& tokens, std::string& error) {
        while (!rest_.empty()) {
            const std::size_t end = rest_.find('\n');
            std::string_view line = rest_.substr(0, end);
            rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
            ++lineNo_;
            tokens.clear();
            if (!tokenize(line, tokens, error)) return true;
            if (!tokens.empty()) return true;
        }
        return false;
    }
    int lineNo() const { return lineNo_; }

private:
    static bool tokenize(std::string_view line, std::vector<Token>& out, std::string& error) {
        std::size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
            } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
                break;
            } else if (c == ',') {
                out.push_back({Token::Kind::Comma, ",", 0});
                ++i;
            } else if (c == '|') {
                out.push_back({Token::Kind::Bar, "|", 0});
                ++i;
            } else if (c == '"') {
                std::string text;
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    char ch = line[i++];
                    if (ch == '"') {
                        closed = true;
                        break;
                    }
                    if (ch == '\\' && i < line.size()) {
                        const char e = line[i++];
                        ch = e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    }
                    text += ch;
                }
                if (!closed) {
                    error = "unterminated text";
                    return false;
                }
                out.push_back({Token::Kind::String, std::move(text), 0});
            } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
                std::size_t j = i + 1;
                while (j < line.size() && std::isdigit(static_cast<unsigned char>(line[j]))) ++j;
                int value = 0;
                const auto r = std::from_chars(line.data() + i, line.data() + j, value);
                if (r.ec != std::errc{} || r.ptr != line.data() + j) {
                    error = "bad number";
                    return false;
                }
                out.push_back({Token::Kind::Number, std::string(line.substr(i, j - i)), value});
                i = j;
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                std::size_t j = i;
                while (j < line.size() &&
                       (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '_'))
                    ++j;
                out.push_back({Token::Kind::Word, std::string(line.substr(i, j - i)), 0});
                i = j;
            } else {
                error = std::string("unexpected character '") + c + "'";
                return false;
            }
        }
        return true;
    }

    std::string_view rest_;
    int lineNo_ = 0;
};

// Walks one line's tokens.
class Cursor {
public:
    explicit Cursor(const std::vector<Token>& t) : t_(t) {}

    bool atEnd() const { return i_ >= t_.size(); }
    const Token* peek() const { return atEnd() ? nullptr : &t_[i_]; }
    bool take(Token::Kind kind) {
        if (atEnd() || t_[i_].kind != kind) return false;
        ++i_;
        return true;
    }
    std::optional<int> number() {
        if (atEnd() || t_[i_].kind != Token::Kind::Number) return std::nullopt;
        return t_[i_++].number;
    }
    std::optional<std::string> string() {
        if (atEnd() || t_[i_].kind != Token::Kind::String) return std::nullopt;
        return t_[i_++].text;
    }
    std::optional<std::string> word() {
        if (atEnd() || t_[i_].kind != Token::Kind::Word) return std::nullopt;
        return t_[i_++].text;
    }

private:
    const std::vector<Token>& t_;
    std::size_t i_ = 0;
};

bool toCp1251(const std::string& utf8, std::string& out) {
    out = utf8ToCp1251(utf8);
    return cp1251ToUtf8(out) == utf8;
}

// "n, n, n, n" into the fields given.
bool numbers(Cursor& c, std::initializer_list<int*> into) {
    bool first = true;
    for (int* p : into) {
        if (!first && !c.take(Token::Kind::Comma)) return false;
        first = false;
        const auto n = c.number();
        if (!n) return false;
        *p = *n;
    }
    return true;
}

std::string parseControl(Cursor& c, const std::string& word, ControlTemplate& out) {
    const KindWord* kind = nullptr;
    for (const auto& k : kKinds)
        if (k.word == word) kind = &k;
    if (!kind) return "unknown control kind " + word;
    out.kind = kind->kind;
    out.style = kind->style;
    if (kind->hasText) {
        const auto text = c.string();
        if (!text || !c.take(Token::Kind::Comma)) return word + " needs a text";
        if (!toCp1251(*text, out.text)) return "text not in Windows-1251: " + *text;
    }
    DialogRect& r = out.rect;
    if (!numbers(c, {&out.id, &r.x, &r.y, &r.width, &r.height}))
        return word + " needs id, x, y, width, height";
    if (c.take(Token::Kind::Comma)) {
        do {
            const auto flag = c.word();
            const FlagWord* f = nullptr;
            if (flag)
                for (const auto& fw : kFlags)
                    if (fw.word == *flag) f = &fw;
            if (!f) return "unknown flag";
            out.style |= f->style;
        } while (c.take(Token::Kind::Bar));
    }
    if (!c.atEnd()) return "unexpected text after the control";
    if (r.width <= 0 || r.height <= 0) return "empty control";
    return {};
}

}  // namespace

TemplateParse parseTemplates(std::string_view source) {
    TemplateParse result;
    LineReader lines(source);
    std::vector<Token> tokens;
    std::string error;
    enum class State { Outside, Header, Body } state = State::Outside;
    DialogTemplate current;

    const auto fail = [&](const std::string& why) {
        result.templates.clear();
        result.error = "line " + std::to_string(lines.lineNo()) + ": " + why;
        return result;
    };

    while (lines.next(tokens, error)) {
        if (!error.empty()) return fail(error);
        Cursor c(tokens);
        const auto first = c.word();
        if (!first) return fail("a line starts with a word");
        switch (state) {
            case State::Outside: {
                const auto kw = c.word();
                if (!kw || *kw != "DIALOG") return fail("expected NAME DIALOG width, height");
                current = DialogTemplate{};
                current.name = *first;
                if (!numbers(c, {&current.width, &current.height}) || !c.atEnd())
                    return fail("expected NAME DIALOG width, height");
                if (current.width <= 0 || current.height <= 0) return fail("empty dialog");
                for (const auto& t : result.templates)
                    if (t.name == current.name) return fail("second template " + current.name);
                state = State::Header;
                break;
            }
            case State::Header:
                if (*first == "CAPTION") {
                    const auto text = c.string();
                    if (!text || !c.atEnd()) return fail("expected CAPTION \"text\"");
                    if (!toCp1251(*text, current.caption))
                        return fail("caption not in Windows-1251");
                } else if (*first == "FONT") {
                    const auto size = c.number();
                    std::optional<std::string> face;
                    if (size && c.take(Token::Kind::Comma)) face = c.string();
                    if (!face || !c.atEnd()) return fail("expected FONT size, \"face\"");
                    current.fontSize = *size;
                    current.fontName = *face;
                } else if (*first == "BEGIN" && c.atEnd()) {
                    state = State::Body;
                } else {
                    return fail("expected CAPTION, FONT or BEGIN");
                }
                break;
            case State::Body:
                if (*first == "END" && c.atEnd()) {
                    result.templates.push_back(std::move(current));
                    state = State::Outside;
                } else {
                    ControlTemplate control;
                    const std::string why = parseControl(c, *first, control);
                    if (!why.empty()) return fail(why);
                    if (control.id != kNoId && current.control(control.id))
                        return fail("second control with id " + std::to_string(control.id));
                    current.controls.push_back(std::move(control));
                }
                break;
        }
    }
    if (!error.empty()) return fail(error);
    if (state != State::Outside) return fail("template " + current.name + " has no END");
    return result;
}

}  // namespace appgen::ui
