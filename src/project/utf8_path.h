// File names are UTF-8 strings everywhere in the program. A
// std::filesystem::path made from a plain std::string takes it in the
// system's narrow code page, which on Windows is not UTF-8 (a name like
// "склад.TGP" would come out garbled or throw); going through char8_t is
// UTF-8 on every system and leaves POSIX names byte for byte as they are.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace appgen {

inline std::filesystem::path utf8Path(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

inline std::string utf8String(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

}  // namespace appgen
