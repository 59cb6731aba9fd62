// Splitting a record back into the fields of the form that made it. A record
// is tried against every candidate form; it is split only when exactly one
// way of reading it exists, otherwise it is reported as fitting no form or as
// ambiguous: nothing is guessed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "records/record_layout.h"

namespace appgen::records {

// Where a field's text stands in the record (prefix and suffix outside). A
// terminal's record is a few hundred bytes at most (eight fixed lengths of 255
// with prefixes and suffixes stay under 2500): a longer line is no record, and
// is not tried, since splitting a line of free fields takes time that grows
// with its length squared.
inline constexpr std::size_t kLongestRecord = 4096;
struct FieldSpan {
    std::uint16_t begin = 0;
    std::uint16_t end = 0;
};

enum class SplitKind : std::uint8_t { Split, NoForm, Ambiguous };

struct SplitResult {
    SplitKind kind = SplitKind::NoForm;
    int form = 0;                  // Split: the form
    std::vector<FieldSpan> spans;  // Split: one per field of the form's layout
    std::vector<int> fitting;      // Ambiguous: the forms with a split, ascending
};

struct FormSplit {
    int form = 0;
    std::vector<FieldSpan> spans;
};

class RecordSplitter {
  public:
    explicit RecordSplitter(std::vector<FormLayout> forms);

    const std::vector<FormLayout>& forms() const { return forms_; }
    const FormLayout* layoutOf(int form) const;

    // The record's one split, or why it has none. `out` keeps its storage
    // from call to call.
    void split(std::string_view record, SplitResult& out);

    // Every way the record splits, form by form, at most `limit` of them.
    std::vector<FormSplit> allSplits(std::string_view record, std::size_t limit = 100);

  private:
    // The number of ways the fields from `k` on fit the record from `pos`
    // to its end, counted up to 2.
    int ways(const FormLayout& layout, std::size_t k, std::size_t pos);
    template <class Visit>
    void eachStep(const FormLayout& layout, std::size_t k, std::size_t pos, Visit&& visit) const;
    void startForm(const FormLayout& layout);
    void collect(const FormLayout& layout, std::size_t k, std::size_t pos,
                 std::vector<FieldSpan>& spans, std::vector<FormSplit>& out, std::size_t limit);

    std::vector<FormLayout> forms_;
    std::string_view record_;
    std::vector<signed char> memo_;
    std::vector<int> fittingScratch_;
};

}  // namespace appgen::records
