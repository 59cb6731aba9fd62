#include "records/totals.h"

#include <unordered_map>

namespace appgen::records {
namespace {

constexpr int kMaxDigits = 36;  // what the sum holds exactly

}  // namespace

bool DecimalSum::add(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    bool negative = false;
    if (!t.empty() && t.front() == '-') {
        negative = true;
        t.remove_prefix(1);
    }
    Units units = 0;
    int scale = 0;
    int digits = 0;
    bool point = false;
    bool wholeDigits = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if ((c == '.' || c == ',') && !point && wholeDigits && i + 1 < t.size()) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        if (++digits > kMaxDigits / 2) return false;
        units = units * 10 + (c - '0');
        wholeDigits = true;
        if (point) ++scale;
    }
    if (!wholeDigits) return false;
    while (scale_ < scale) {
        units_ *= 10;
        ++scale_;
    }
    for (int s = scale; s < scale_; ++s) units *= 10;
    units_ += negative ? -units : units;
    return true;
}

std::string DecimalSum::text() const {
    Units u = units_ < 0 ? -units_ : units_;
    std::string digits;  // least significant first
    while (u != 0 || static_cast<int>(digits.size()) <= scale_) {
        digits.push_back(static_cast<char>('0' + static_cast<int>(u % 10)));
        u /= 10;
    }
    std::string out = units_ < 0 ? "-" : "";
    for (std::size_t i = digits.size(); i-- > 0;) {
        out.push_back(digits[i]);
        if (static_cast<int>(i) == scale_ && scale_ > 0) out.push_back('.');
    }
    return out;
}

double DecimalSum::value() const {
    return plainNumberValue(text());
}

int columnIndex(const FormLayout& layout, std::string_view name) {
    for (std::size_t i = 0; i < layout.fields.size(); ++i)
        if (layout.fields[i].name == name) return static_cast<int>(i);
    return -1;
}

bool anyFormHasColumn(const std::vector<FormLayout>& layouts, std::string_view name) {
    for (const auto& l : layouts)
        if (columnIndex(l, name) >= 0) return true;
    return false;
}

Totals totalsOf(const RecordTable& table, std::string_view keyColumn,
                const std::optional<std::string>& quantityColumn) {
    Totals out;
    // Per form: where the key and the quantity stand.
    int keyAt[kFormCount + 1];
    int quantityAt[kFormCount + 1];
    for (int f = 0; f <= kFormCount; ++f) keyAt[f] = quantityAt[f] = -1;
    for (const auto& l : table.layouts()) {
        keyAt[l.form] = columnIndex(l, keyColumn);
        if (quantityColumn) quantityAt[l.form] = columnIndex(l, *quantityColumn);
    }
    std::unordered_map<std::string, std::size_t> rowOf;
    std::string key;
    for (std::size_t r = 0; r < table.outcomes().size(); ++r) {
        const RecordOutcome& o = table.outcomes()[r];
        if (o.kind != SplitKind::Split || keyAt[o.form] < 0) continue;
        key.assign(table.cell(r, keyAt[o.form]));
        auto [it, fresh] = rowOf.try_emplace(key, out.rows.size());
        if (fresh) out.rows.push_back({key, 0, {}});
        TotalRow& row = out.rows[it->second];
        ++row.records;
        if (quantityAt[o.form] >= 0 && !row.quantity.add(table.cell(r, quantityAt[o.form])))
            out.notNumbers.push_back(r);
    }
    return out;
}

}  // namespace appgen::records
