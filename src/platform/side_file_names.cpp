#include "platform/side_file_names.h"

#include <cstdio>

namespace appgen::platform {
namespace {

constexpr int kPartialNames = 100;  // partial files of killed uploads we step over

// Cuts s to at most n bytes without splitting a UTF-8 sequence.
std::string cutAt(const std::string& s, std::size_t n) {
    if (s.size() <= n) return s;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return s.substr(0, n);
}

}  // namespace

std::string temporaryName(const std::string& name, std::size_t maxName, unsigned salt) {
    char tail[16];
    std::snprintf(tail, sizeof tail, ".%06x~", salt & 0xFFFFFFu);
    const std::size_t fixed = 1 + std::string(tail).size();
    std::string temp(1, '.');
    temp += cutAt(name, maxName > fixed ? maxName - fixed : 0);
    temp += tail;
    return temp;
}

std::optional<std::string> partialName(const std::string& name, std::size_t maxName, int n) {
    std::string p = name + ".partial";
    if (n > 1) p += std::to_string(n);
    if (p.size() > maxName) return std::nullopt;
    return p;
}

PartialChoice choosePartial(const std::string& name, std::size_t maxName,
                            const std::function<bool(const std::string&)>& taken,
                            const std::function<std::size_t(const std::string&)>& length) {
    PartialChoice c;
    for (int n = 1; n <= kPartialNames; ++n) {
        const auto p = partialName(name, static_cast<std::size_t>(-1), n);
        if (!p || (length ? length(*p) : p->size()) > maxName) break;
        if (!taken(*p)) {
            c.free = *p;
            break;
        }
        if (c.leftover.empty()) c.leftover = *p;
    }
    return c;
}

}  // namespace appgen::platform
