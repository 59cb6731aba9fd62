#include <string>

#include "platform/utf8_file.h"
#include "project/utf8_path.h"

namespace appgen::platform {

std::FILE* openUtf8File(std::string_view name, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(utf8Path(name).c_str(), wideMode.c_str());
}

}  // namespace appgen::platform
