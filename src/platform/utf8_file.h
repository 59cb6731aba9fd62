// std::fopen for a UTF-8 file name: the C library's own fopen takes the
// narrow code page on Windows, its wide twin the name as the system keeps it.
#pragma once

#include <cstdio>
#include <string_view>

namespace appgen::platform {

std::FILE* openUtf8File(std::string_view name, const char* mode);

}  // namespace appgen::platform
