#include "records/record_splitter.h"

#include <algorithm>
#include <cstring>

namespace appgen::records {
namespace {

bool bytesAt(std::string_view r, std::size_t pos, std::string_view what) {
    return pos <= r.size() && r.size() - pos >= what.size() &&
           (what.empty() || std::memcmp(r.data() + pos, what.data(), what.size()) == 0);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool stampFits(std::string_view r, std::size_t pos, const std::string& text,
               const std::string& digits) {
    if (r.size() - pos < text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = r[pos + i];
        if (digits[i] == 'd' ? !isDigit(c) : c != text[i]) return false;
    }
    return true;
}

// A fixed-length field whose text begins with the fixed line's prompt: the
// prompt at the start, or after the padding when it goes on the left.
bool startsWithFits(const FieldLayout& f, std::string_view text) {
    if (text.substr(0, f.text.size()) == f.text) return true;
    if (f.leftPad == 0) return false;
    for (std::size_t k = 1; k + f.text.size() <= text.size() && text[k - 1] == f.leftPad; ++k)
        if (text.substr(k, f.text.size()) == f.text) return true;
    return false;
}

}  // namespace

RecordSplitter::RecordSplitter(std::vector<FormLayout> forms) : forms_(std::move(forms)) {}

const FormLayout* RecordSplitter::layoutOf(int form) const {
    for (const auto& l : forms_)
        if (l.form == form) return &l;
    return nullptr;
}

// Calls visit(textBegin, textEnd, next) for every way field k can stand at
// pos, `next` being where the following field starts; visit returns false to
// stop early.
template <class Visit>
void RecordSplitter::eachStep(const FormLayout& layout, std::size_t k, std::size_t pos,
                              Visit&& visit) const {
    const std::string_view r = record_;
    const std::size_t n = r.size();
    const FieldLayout& f = layout.fields[k];
    std::size_t p = pos;
    // Separators go before a field only when something is already in the record.
    if (pos > 0) {
        if (!bytesAt(r, p, layout.separators)) return;
        p += layout.separators.size();
    }
    if (!bytesAt(r, p, f.prefix)) return;
    p += f.prefix.size();
    auto close = [&](std::size_t e) {
        if (!bytesAt(r, e, f.suffix)) return true;
        return visit(p, e, e + f.suffix.size());
    };

    switch (f.kind) {
        case FieldText::Stamp: {
            const std::string& text = p > 0 ? f.textAfter : f.text;
            if (stampFits(r, p, text, p > 0 ? f.digitsAfter : f.digits)) close(p + text.size());
            return;
        }
        case FieldText::Exact:
            if (bytesAt(r, p, f.text)) close(p + f.text.size());
            return;
        default:
            break;
    }
    if (f.fixed) {
        if (n - p < f.length) return;
        if (f.kind == FieldText::StartsWith && !startsWithFits(f, r.substr(p, f.length))) return;
        close(p + f.length);
        return;
    }
    std::size_t from = p;
    if (f.kind == FieldText::StartsWith) {
        if (!bytesAt(r, p, f.text)) return;
        from += f.text.size();
    }
    // A text of free length ends where what follows it can start: try only
    // those places.
    if (!f.suffix.empty()) {
        for (std::size_t e = from; e < n; ++e) {
            const void* hit = std::memchr(r.data() + e, f.suffix[0], n - e);
            if (hit == nullptr) return;
            e = static_cast<std::size_t>(static_cast<const char*>(hit) - r.data());
            if (!close(e)) return;
        }
        return;
    }
    if (k + 1 == layout.fields.size()) {
        close(n);
        return;
    }
    const FieldLayout& next = layout.fields[k + 1];
    const std::string_view lead = !layout.separators.empty() ? std::string_view(layout.separators)
                                                             : std::string_view(next.prefix);
    std::size_t e = from;
    if (e == 0) {
        if (!close(0)) return;
        e = 1;
    }
    if (lead.empty()) {
        for (; e <= n; ++e)
            if (!close(e)) return;
        return;
    }
    for (; e < n; ++e) {
        const void* hit = std::memchr(r.data() + e, lead[0], n - e);
        if (hit == nullptr) return;
        e = static_cast<std::size_t>(static_cast<const char*>(hit) - r.data());
        if (!close(e)) return;
    }
}

int RecordSplitter::ways(const FormLayout& layout, std::size_t k, std::size_t pos) {
    const std::size_t n = record_.size();
    if (k == layout.fields.size()) return pos == n ? 1 : 0;
    signed char& memo = memo_[k * (n + 1) + pos];
    if (memo >= 0) return memo;
    int total = 0;
    eachStep(layout, k, pos, [&](std::size_t, std::size_t, std::size_t next) {
        total += ways(layout, k + 1, next);
        if (total < 2) return true;
        total = 2;
        return false;
    });
    memo_[k * (n + 1) + pos] = static_cast<signed char>(total);
    return total;
}

void RecordSplitter::startForm(const FormLayout& layout) {
    memo_.assign(layout.fields.size() * (record_.size() + 1), -1);
}

void RecordSplitter::split(std::string_view record, SplitResult& out) {
    record_ = record;
    out.spans.clear();
    out.fitting.clear();
    out.form = 0;
    out.kind = SplitKind::NoForm;
    if (record.size() > kLongestRecord) return;
    int total = 0;
    const FormLayout* only = nullptr;
    for (const FormLayout& layout : forms_) {
        startForm(layout);
        const int w = ways(layout, 0, 0);
        if (w == 0) continue;
        total += w;
        only = &layout;
        out.fitting.push_back(layout.form);
    }
    if (total == 0) {
        out.kind = SplitKind::NoForm;
        return;
    }
    if (total > 1) {
        out.kind = SplitKind::Ambiguous;
        std::sort(out.fitting.begin(), out.fitting.end());
        return;
    }
    out.kind = SplitKind::Split;
    out.form = only->form;
    out.fitting.clear();
    // The counts of the last form tried are still at hand.
    if (only != &forms_.back()) {
        startForm(*only);
        ways(*only, 0, 0);
    }
    std::size_t pos = 0;
    for (std::size_t k = 0; k < only->fields.size(); ++k) {
        eachStep(*only, k, pos, [&](std::size_t b, std::size_t e, std::size_t next) {
            if (ways(*only, k + 1, next) == 0) return true;
            out.spans.push_back({static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(e)});
            pos = next;
            return false;
        });
    }
}

void RecordSplitter::collect(const FormLayout& layout, std::size_t k, std::size_t pos,
                             std::vector<FieldSpan>& spans, std::vector<FormSplit>& out,
                             std::size_t limit) {
    if (k == layout.fields.size()) {
        out.push_back({layout.form, spans});
        return;
    }
    eachStep(layout, k, pos, [&](std::size_t b, std::size_t e, std::size_t next) {
        if (ways(layout, k + 1, next) == 0) return true;
        spans.push_back({static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(e)});
        collect(layout, k + 1, next, spans, out, limit);
        spans.pop_back();
        return out.size() < limit;
    });
}

std::vector<FormSplit> RecordSplitter::allSplits(std::string_view record, std::size_t limit) {
    record_ = record;
    std::vector<FormSplit> out;
    if (record.size() > kLongestRecord) return out;
    std::vector<FieldSpan> spans;
    for (const FormLayout& layout : forms_) {
        if (out.size() >= limit) break;
        startForm(layout);
        if (ways(layout, 0, 0) == 0) continue;
        collect(layout, 0, 0, spans, out, limit);
    }
    return out;
}

}  // namespace appgen::records
