#include "link/utf8_lookup.h"

#include <optional>

#include "link/lookup_file.h"
#include "project/lookup_encoding.h"

namespace appgen::link {
namespace {

// The whole file, or nothing when it cannot be read (the download tells why).
std::optional<std::string> readAll(const LookupFileOpener& open, const std::string& path) {
    const auto file = open(path);
    if (!file->isOpen() || file->rewind() < 0) return std::nullopt;
    std::string out;
    char piece[4096];
    for (long long n = 0; (n = file->read(piece, sizeof piece)) != 0;) {
        if (n < 0) return std::nullopt;
        out.append(piece, static_cast<std::size_t>(n));
    }
    return out;
}

LookupFileUse converted(const std::string& path, const std::string& bytes) {
    LookupRecoding r = recodeUtf8Lookup(bytes);
    if (!r.ok()) {
        LookupFileUse refused{LookupFileUse::Action::Stop, {}};
        refused.refusal = "The file cannot be converted to Windows-1251; nothing was sent.";
        refused.refusalDetail = path + ": " + describe(r);
        return refused;
    }
    return {LookupFileUse::Action::SendBytes, {}, std::move(r.bytes)};
}

}  // namespace

LookupFileUse utf8LookupFileUse(const LookupFileOpener& open, const std::string& path,
                                const std::function<Utf8LookupChoice()>& choose) {
    const auto bytes = readAll(open, path);
    if (!bytes || !isUtf8LookupFile(*bytes)) return {};
    switch (choose()) {
        case Utf8LookupChoice::Convert: return converted(path, *bytes);
        case Utf8LookupChoice::SendAsIs: return {};
        case Utf8LookupChoice::Stop: break;
    }
    return {LookupFileUse::Action::Stop, {}};
}

LookupFileUse convertedLookupFile(const LookupFileOpener& open, const std::string& path) {
    const auto bytes = readAll(open, path);
    if (!bytes) return {};
    return converted(path, *bytes);
}

}  // namespace appgen::link
