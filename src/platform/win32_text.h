// UTF-8 inside the program, UTF-16 at the Win32 boundary, and the system's
// own words for an error code.
#pragma once

#include <string>
#include <string_view>

namespace appgen::platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);
// FormatMessageW's text for a Win32 error code, without the trailing newline
// ("Access is denied."); the code itself when the system has no text.
std::string win32ErrorText(unsigned long error);

}  // namespace appgen::platform
