// The project's texts are Windows-1251 bytes and the core speaks UTF-8; the
// windows take UTF-16. The conversions go through the project's own code
// page table, so they do not depend on the system's code pages.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace appgen::win32 {

std::wstring wideFromCp1251(std::string_view bytes);
// Characters Windows-1251 has no code for become '?'.
std::string cp1251FromWide(std::wstring_view text);

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view text);

// A window's text, whole.
std::wstring windowText(HWND window);

}  // namespace appgen::win32
