#include "project/lookup_check.h"

#include <algorithm>
#include <cstdio>

#include "project/lookup_encoding.h"

namespace appgen {
namespace {

std::string n(std::size_t v) { return std::to_string(v); }

std::string hexByte(unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b);
    return buf;
}

// The first byte that is not text, as a reason, or nothing; `skip` is a byte
// that belongs (the separator).
std::string firstNonText(std::string_view s, int column0, int skip) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (static_cast<int>(b) == skip || isLookupTextByte(b)) continue;
        return "byte " + hexByte(b) + " at column " + n(column0 + i + 1) + " is not text";
    }
    return {};
}

std::vector<std::string_view> splitOn(std::string_view s, char sep) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = s.find(sep, from);
        out.push_back(s.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return out;
        from = at + 1;
    }
}

}  // namespace

bool isLookupTextByte(unsigned char b) { return b >= 0x20 && b != 0x7F && b != 0x98; }

LookupLayout lookupLayout(const LookupDef& l) {
    LookupLayout out;
    out.separated = l.separator != 0;
    out.separator = static_cast<char>(l.separator);
    out.recordLength = l.recLen;
    const int count = std::min<int>(l.fieldCount, kLookupFields);
    for (int i = 0; i < count; ++i)
        out.fields.push_back({l.fieldOffset[i] - 1, l.fieldLen[i]});
    return out;
}

std::vector<std::string> layoutProblems(const LookupLayout& layout) {
    std::vector<std::string> out;
    if (layout.fields.empty()) out.push_back("the lookup has no fields");
    if (layout.separated) return out;
    if (layout.recordLength == 0) out.push_back("the record length is 0");
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const auto& f = layout.fields[i];
        if (f.offset < 0) {
            out.push_back("field " + n(i + 1) + " has the offset 0; offsets start at 1");
            continue;
        }
        if (f.offset + f.length > layout.recordLength)
            out.push_back("field " + n(i + 1) + " (columns " + n(f.offset + 1) + ".." +
                          n(f.offset + f.length) + ") ends past the record length " +
                          n(layout.recordLength));
        for (std::size_t j = 0; j < i; ++j) {
            const auto& g = layout.fields[j];
            if (g.offset >= 0 && f.length > 0 && g.length > 0 && f.offset < g.offset + g.length &&
                g.offset < f.offset + f.length)
                out.push_back("fields " + n(j + 1) + " and " + n(i + 1) + " overlap");
        }
    }
    return out;
}

std::vector<LookupFileLine> splitLookupLines(std::string_view file) {
    std::vector<LookupFileLine> out;
    std::string line;
    int number = 1;
    for (std::size_t i = 0; i < file.size(); ++i) {
        const char c = file[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ++i;
        out.push_back({number++, std::move(line)});
        line.clear();
    }
    if (!line.empty()) out.push_back({number, std::move(line)});
    return out;
}

std::vector<LookupLineProblem> checkLookupLines(const std::vector<LookupFileLine>& lines,
                                                const LookupLayout& layout) {
    std::vector<LookupLineProblem> out;
    const int separator = layout.separated ? static_cast<unsigned char>(layout.separator) : -1;
    for (const auto& line : lines) {
        auto add = [&](std::string reason) { out.push_back({line.number, std::move(reason)}); };
        const std::string_view s = line.bytes;
        if (s.size() > kLookupLineLimit)
            add(n(s.size()) + " bytes, longer than the " + n(kLookupLineLimit) + " a line can carry");
        if (isUtf8LookupFile(s))
            add("the text is in UTF-8; the terminal takes Windows-1251");
        else if (auto reason = firstNonText(s, 0, separator); !reason.empty())
            add(std::move(reason));
        if (!layout.separated) {
            if (s.size() != static_cast<std::size_t>(layout.recordLength))
                add(n(s.size()) + " bytes, the record length is " + n(layout.recordLength));
            continue;
        }
        const auto values = splitOn(s, layout.separator);
        if (values.size() != layout.fields.size()) {
            add(n(values.size()) + " fields, the lookup has " + n(layout.fields.size()));
            continue;
        }
        for (std::size_t i = 0; i < values.size(); ++i)
            if (values[i].size() > static_cast<std::size_t>(layout.fields[i].length))
                add("field " + n(i + 1) + " is " + n(values[i].size()) + " bytes, at most " +
                    n(layout.fields[i].length));
    }
    return out;
}

}  // namespace appgen
