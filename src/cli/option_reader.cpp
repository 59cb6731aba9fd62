#include "cli/option_reader.h"

namespace appgen::cli {

bool OptionReader::next() {
    if (bad_ || i_ >= args_.size()) return false;
    ++i_;
    return true;
}

const std::string* OptionReader::value() {
    if (i_ >= args_.size()) {
        bad_ = true;
        return nullptr;
    }
    return &args_[i_++];
}

std::optional<char> delimiterOption(const std::string& value) {
    if (value == "tab" || value == "\\t") return '\t';
    if (value.size() == 1 && value[0] != '"' && value[0] != '\r' && value[0] != '\n') return value[0];
    return std::nullopt;
}

}  // namespace appgen::cli
