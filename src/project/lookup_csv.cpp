#include "project/lookup_csv.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "project/csv_table.h"
#include "project/text.h"

namespace appgen {
namespace {

std::string n(std::size_t v) { return std::to_string(v); }

// Valid UTF-8 (the table reader has checked it) to Windows-1251; the reason
// when a character has no code there or is a control character.
std::string toCp1251(std::string_view utf8, std::string& out) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = b0 < 0x80 ? 1 : b0 < 0xE0 ? 2 : b0 < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? b0 : b0 & (0x7F >> len);
        for (std::size_t k = 1; k < len && i + k < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        const std::string shown(utf8.substr(i, len));
        i += len;
        unsigned char byte = 0;
        if (!unicodeToCp1251(cp, byte)) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
            return "\"" + shown + "\" (" + code + ") has no Windows-1251 code";
        }
        if (!isLookupTextByte(byte)) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            return std::string("holds the control character ") + code;
        }
        out.push_back(static_cast<char>(byte));
    }
    return {};
}

// Letters and no digit: a column's name rather than a code. Any byte beyond
// ASCII counts as a letter (Cyrillic in UTF-8).
bool isWord(std::string_view v) {
    bool letter = false;
    for (const char c : v) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= '0' && b <= '9') return false;
        letter = letter || b >= 0x80 || std::isalpha(b);
    }
    return letter;
}

}  // namespace

CsvPreview previewCsv(std::string_view csv, int columns) {
    const CsvText text = decodeCsvText(csv);
    if (text.encoding.empty()) return {};
    const CsvTable table = parseCsv(text.utf8, detectCsvDelimiter(text.utf8, columns));
    CsvPreview out;
    out.rows = static_cast<int>(table.rows.size());
    auto first = [&](std::size_t r) { return std::string_view(table.rows[r].values.front()); };
    if (table.rows.size() < 2 || !isWord(first(0))) return out;
    out.header = true;
    for (std::size_t r = 1; r < table.rows.size() && out.header; ++r) out.header = !isWord(first(r));
    return out;
}

std::string describe(const LookupImportProblem& p) {
    std::string out = "line " + n(static_cast<std::size_t>(p.line));
    if (p.column > 0) out += ", column " + n(static_cast<std::size_t>(p.column));
    return out + ": " + p.reason;
}

LookupImport importCsvLookup(std::string_view csv, const LookupDef& lookup,
                             const LookupImportOptions& options) {
    LookupImport result;
    const LookupLayout layout = lookupLayout(lookup);
    result.layoutErrors = layoutProblems(layout);
    if (!result.layoutErrors.empty()) return result;

    const CsvText text = decodeCsvText(csv);
    result.encoding = text.encoding;
    if (text.encoding.empty()) {
        result.problems.push_back({text.problem.line, 0, text.problem.reason});
        return result;
    }
    const int columns = static_cast<int>(layout.fields.size());
    result.delimiter = options.delimiter ? *options.delimiter : detectCsvDelimiter(text.utf8, columns);
    CsvTable table = parseCsv(text.utf8, result.delimiter);
    // The header is the first row, whether it reads well or not.
    int headerLine = 0;
    if (options.skipHeader) {
        headerLine = table.rows.empty() ? 0 : table.rows.front().line;
        if (!table.problems.empty() && (headerLine == 0 || table.problems.front().line < headerLine))
            headerLine = table.problems.front().line;
    }
    for (const auto& p : table.problems)
        if (p.line != headerLine) result.problems.push_back({p.line, p.column, p.reason});

    for (const auto& row : table.rows) {
        if (row.line == headerLine) continue;
        if (static_cast<int>(row.values.size()) != columns) {
            result.problems.push_back({row.line, 0,
                                       n(row.values.size()) + " columns, the lookup has " +
                                           n(static_cast<std::size_t>(columns)) + " fields"});
            continue;
        }
        std::string record = layout.separated ? std::string()
                                              : std::string(static_cast<std::size_t>(layout.recordLength), ' ');
        bool fits = true;
        for (int c = 0; c < columns; ++c) {
            std::string value;
            if (auto reason = toCp1251(row.values[static_cast<std::size_t>(c)], value); !reason.empty()) {
                result.problems.push_back({row.line, c + 1, reason});
                fits = false;
                continue;
            }
            const auto& field = layout.fields[static_cast<std::size_t>(c)];
            if (value.size() > static_cast<std::size_t>(field.length)) {
                result.problems.push_back({row.line, c + 1,
                                           n(value.size()) + " characters, the field holds " +
                                               n(static_cast<std::size_t>(field.length))});
                fits = false;
                continue;
            }
            if (layout.separated && value.find(layout.separator) != std::string::npos) {
                result.problems.push_back({row.line, c + 1, "holds the lookup's separator"});
                fits = false;
                continue;
            }
            if (!fits) continue;
            if (layout.separated) {
                if (c > 0) record += layout.separator;
                record += value;
            } else {
                record.replace(static_cast<std::size_t>(field.offset), value.size(), value);
            }
        }
        if (fits && record.size() > kLookupLineLimit) {
            result.problems.push_back({row.line, 0,
                                       n(record.size()) + " bytes, longer than the " +
                                           n(kLookupLineLimit) + " a line can carry"});
            fits = false;
        }
        if (fits) result.lines.push_back(std::move(record));
    }
    if (!result.problems.empty()) result.lines.clear();
    // Problems in file order, whichever step found them.
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const auto& a, const auto& b) { return a.line < b.line; });
    return result;
}

std::string lookupFileBytes(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

}  // namespace appgen
