#include "records/record_table.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace appgen::records {

RecordTable::RecordTable(std::vector<RecordFile> files, std::vector<FormLayout> layouts)
    : files_(std::move(files)), layouts_(std::move(layouts)) {
    for (std::uint32_t f = 0; f < files_.size(); ++f) readRecordLines(files_[f].bytes, f, lines_);
    RecordSplitter splitter(layouts_);
    SplitResult result;
    outcomes_.reserve(lines_.size());
    for (std::size_t r = 0; r < lines_.size(); ++r) {
        splitter.split(bytes(r), result);
        RecordOutcome o;
        o.kind = result.kind;
        if (result.kind == SplitKind::Split) {
            o.form = static_cast<std::uint8_t>(result.form);
            o.index = static_cast<std::uint32_t>(spans_.size());
            spans_.insert(spans_.end(), result.spans.begin(), result.spans.end());
            ++split_;
        } else if (result.kind == SplitKind::Ambiguous) {
            o.index = static_cast<std::uint32_t>(fitting_.size());
            fitting_.push_back(result.fitting);
        }
        outcomes_.push_back(o);
    }
}

const FormLayout* RecordTable::layoutOf(int form) const {
    for (const auto& l : layouts_)
        if (l.form == form) return &l;
    return nullptr;
}

std::string_view RecordTable::bytes(std::size_t record) const {
    const RecordLine& l = lines_[record];
    return std::string_view(files_[l.file].bytes).substr(l.offset, l.length);
}

std::string_view RecordTable::fieldText(std::size_t record, std::size_t field) const {
    const FieldSpan s = spans_[outcomes_[record].index + field];
    return bytes(record).substr(s.begin, s.end - s.begin);
}

std::string_view RecordTable::cell(std::size_t record, std::size_t field) const {
    return cellText(layoutOf(outcomes_[record].form)->fields[field], fieldText(record, field));
}

std::string RecordTable::reason(std::size_t record) const {
    const RecordOutcome& o = outcomes_[record];
    if (o.kind == SplitKind::NoForm && lines_[record].length > kLongestRecord)
        return "длиннее " + std::to_string(kLongestRecord) + " байт: это не запись терминала";
    if (o.kind == SplitKind::NoForm) return "не подходит ни к одной форме";
    const std::vector<int>& forms = fitting_[o.index];
    std::string out = forms.size() == 1 ? "разбирается несколькими способами по форме "
                                        : "разбирается несколькими способами, по формам ";
    for (std::size_t i = 0; i < forms.size(); ++i)
        out += (i ? ", " : "") + std::to_string(forms[i]);
    return out;
}

std::vector<int> RecordTable::formsWithRecords() const {
    bool seen[kFormCount + 1] = {};
    for (const auto& o : outcomes_)
        if (o.kind == SplitKind::Split) seen[o.form] = true;
    std::vector<int> out;
    for (int f = 1; f <= kFormCount; ++f)
        if (seen[f]) out.push_back(f);
    return out;
}

bool isPlainNumber(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-') ++i;
    const std::size_t whole = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == whole) return false;
    if (t[whole] == '0' && i - whole > 1) return false;
    if (i == t.size()) return true;
    if (t[i] != '.' && t[i] != ',') return false;
    const std::size_t frac = ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i > frac && i == t.size();
}

double plainNumberValue(std::string_view t) {
    std::string s(t);
    std::replace(s.begin(), s.end(), ',', '.');
    double value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

}  // namespace appgen::records
