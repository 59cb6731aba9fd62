#include "link/lookup_lines.h"

namespace appgen::link {

std::optional<int> firstLineLongerThan(std::istream& in, std::size_t maxLen) {
    LookupLineSplitter split;
    int number = 1;
    char piece[4096];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        const auto n = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < n; ++i) {
            const bool ended = split.feed(static_cast<std::uint8_t>(piece[i]));
            if (split.line().size() > maxLen) return number;
            if (ended) ++number;
        }
    }
    return std::nullopt;
}

}  // namespace appgen::link
