#include "records/record_layout.h"

#include <algorithm>

#include "project/text.h"

namespace appgen::records {
namespace {

constexpr std::size_t kPromptSize = 20;

struct Pattern {
    std::string text;
    std::string digits;
    void literal(std::string_view s) {
        text += s;
        digits.append(s.size(), ' ');
    }
    void number(std::size_t n) {
        text.append(n, '0');
        digits.append(n, 'd');
    }
};

// The stamp as the terminal writes it, after the separators that precede it;
// `afterSomething` when the record already holds bytes.
Pattern stampPattern(const FormDef& f, std::string_view separators, bool afterSomething) {
    Pattern p;
    enum Part { Year, Month, Day };
    static constexpr Part kOrders[3][3] = {
        {Year, Month, Day}, {Month, Day, Year}, {Day, Month, Year}};
    if (f.stampDateOrder < 3) {
        bool earlier = false;
        for (Part part : kOrders[f.stampDateOrder]) {
            const bool on = (part == Year    ? f.stampYear
                             : part == Month ? f.stampMonth
                                             : f.stampDay) != 0;
            if (!on) continue;
            if (f.stampDateSepOn != 0 && earlier) p.literal(slotText(f.stampDateSep));
            p.number(part == Year && f.stampYearDigits != 1 ? 4 : 2);
            earlier = true;
        }
    }
    if ((afterSomething || !p.text.empty()) && f.stampSplit != 0) p.literal(separators);
    const bool timeSep = f.stampTimeSepOn != 0;
    if (f.stampHours != 0) p.number(2);
    if (f.stampMinutes != 0) {
        if (timeSep && f.stampHours != 0) p.literal(slotText(f.stampTimeSep));
        p.number(2);
    }
    if (f.stampSeconds != 0) {
        if (timeSep && (f.stampHours != 0 || f.stampMinutes != 0))
            p.literal(slotText(f.stampTimeSep));
        p.number(2);
    }
    return p;
}

FieldLayout stampField(const FormDef& f, std::string_view separators) {
    FieldLayout s;
    s.name = kStampColumn;
    s.kind = FieldText::Stamp;
    Pattern first = stampPattern(f, separators, false);
    Pattern after = stampPattern(f, separators, true);
    s.text = std::move(first.text);
    s.digits = std::move(first.digits);
    s.textAfter = std::move(after.text);
    s.digitsAfter = std::move(after.digits);
    return s;
}

bool hasContinuation(const FormDef& f, int line) {
    return line + 1 < kFormLines && f.lineType[line + 1] == kLineContinuation;
}

// A fixed line's text is its prompt (with the continuation lines' texts
// after it); brought to a fixed length the way the terminal pads and cuts.
void fixedText(const FormDef& f, int i, FieldLayout& field) {
    std::string prompt(slotText(f.prompt[i]).substr(0, kPromptSize));
    if (!hasContinuation(f, i)) {
        field.kind = FieldText::Exact;
        if (field.fixed && prompt.size() < field.length) {
            const std::size_t pad = field.length - prompt.size();
            const u8 a = field.align;
            const std::string fill(pad, a == 3 || a == 2 ? '0' : ' ');
            prompt = a == 3 || a == 1 ? fill + prompt : prompt + fill;
        } else if (field.fixed) {
            prompt.resize(field.length);
        }
        field.text = std::move(prompt);
        return;
    }
    if (field.fixed && prompt.size() >= field.length) {
        field.kind = FieldText::Exact;
        prompt.resize(field.length);
    } else {
        field.kind = FieldText::StartsWith;
        if (field.fixed && (field.align == 3 || field.align == 1))
            field.leftPad = field.align == 3 ? '0' : ' ';
    }
    field.text = std::move(prompt);
}

std::string trimmedSpaces(std::string_view s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

std::string lineColumn(int line) {
    return "Строка " + std::to_string(line + 1);
}

// Prompts name the columns; a column with no name of its own, or one that
// another column of the form also has, is called by its line's number.
void nameColumns(const FormDef& f, std::vector<FieldLayout>& fields) {
    for (auto& field : fields) {
        if (field.line < 0) continue;
        const std::string prompt =
            trimmedSpaces(slotText(f.prompt[field.line]).substr(0, kPromptSize));
        field.name = prompt.empty() || field.type == kLineFixed ? lineColumn(field.line)
                                                                : cp1251ToUtf8(prompt);
    }
    // Every column of a shared name falls back at once; a name taken from a
    // line number can meet a prompt of the same words, so settle until no two
    // columns share a name.
    for (bool changed = true; changed;) {
        changed = false;
        std::vector<bool> shared(fields.size());
        for (std::size_t a = 0; a < fields.size(); ++a)
            for (std::size_t b = 0; b < fields.size(); ++b)
                if (a != b && fields[a].name == fields[b].name) shared[a] = true;
        for (std::size_t a = 0; a < fields.size(); ++a) {
            FieldLayout& field = fields[a];
            if (!shared[a] || field.line < 0 || field.name == lineColumn(field.line)) continue;
            field.name = lineColumn(field.line);
            changed = true;
        }
    }
}

}  // namespace

bool isRecordLine(const FormDef& f, int line) {
    const u8 type = f.lineType[line];
    if (type < kLineText || type > kLineFixed) return false;
    return type != kLineLookup || f.initialOn[line] != 0;
}

FormLayout formLayout(const Project& p, int form) {
    FormLayout out;
    out.form = form;
    const FormDef& f = p.forms[form - 1];
    for (u8 s : {p.terminal.separator1, p.terminal.separator2})
        if (s != 0) out.separators += static_cast<char>(s);

    if (f.stampPosition == 1) out.fields.push_back(stampField(f, out.separators));
    const int lines = f.font != 0 ? 4 : kFormLines;
    for (int i = 0; i < lines; ++i) {
        if (!isRecordLine(f, i)) continue;
        FieldLayout field;
        field.line = i;
        field.type = f.lineType[i];
        if (f.prefixOn[i] != 0) field.prefix = slotText(f.prefix[i]);
        if (f.suffixOn[i] != 0) field.suffix = slotText(f.suffix[i]);
        field.fixed = f.fixedLenOn[i] != 0;
        field.length = f.fixedLen[i];
        field.align = f.align[i];
        if (field.type == kLineFixed) fixedText(f, i, field);
        out.fields.push_back(std::move(field));
    }
    if (f.stampPosition == 2) out.fields.push_back(stampField(f, out.separators));
    nameColumns(f, out.fields);
    return out;
}

std::vector<int> candidateForms(const Project& p, std::optional<int> form) {
    if (form) return {*form};
    std::vector<int> out;
    for (int n = 1; n <= kFormCount; ++n) {
        const FormDef& f = p.forms[n - 1];
        if (f.recordAction != 0 && f.recordAction != 2) continue;
        const int lines = f.font != 0 ? 4 : kFormLines;
        for (int i = 0; i < lines; ++i) {
            if (isRecordLine(f, i)) {
                out.push_back(n);
                break;
            }
        }
    }
    return out;
}

bool layoutCanBeAmbiguous(const FormLayout& layout) {
    bool open = false;  // an earlier field of free length, not yet closed by a prefix or suffix
    for (const FieldLayout& field : layout.fields) {
        if (!field.prefix.empty()) open = false;
        const bool free =
            !field.fixed && (field.kind == FieldText::Any || field.kind == FieldText::StartsWith);
        if (free && open) return true;
        if (free) open = true;
        if (!field.suffix.empty()) open = false;
    }
    return false;
}

std::string_view cellText(const FieldLayout& field, std::string_view text) {
    if (!field.fixed || field.align == 2 || field.align == 3) return text;
    if (field.align == 1) {
        const std::size_t b = text.find_first_not_of(' ');
        return b == std::string_view::npos ? std::string_view() : text.substr(b);
    }
    const std::size_t e = text.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string_view() : text.substr(0, e + 1);
}

}  // namespace appgen::records
