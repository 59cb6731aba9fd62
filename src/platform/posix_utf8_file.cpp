#include <string>

#include "platform/utf8_file.h"

namespace appgen::platform {

// POSIX names are bytes: UTF-8 goes through as it is.
std::FILE* openUtf8File(std::string_view name, const char* mode) { return std::fopen(std::string(name).c_str(), mode); }

}  // namespace appgen::platform
