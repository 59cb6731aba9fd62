#include "win32/wide_text.h"

#include "project/text.h"

namespace appgen::win32 {

std::wstring wideFromCp1251(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    // Every Windows-1251 character lies in the Basic Multilingual Plane.
    for (const char b : bytes) out += static_cast<wchar_t>(cp1251ToUnicode(static_cast<unsigned char>(b)));
    return out;
}

std::string cp1251FromWide(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (const wchar_t w : text) {
        unsigned char b = '?';
        if (!unicodeToCp1251(static_cast<char32_t>(w), b)) b = '?';
        out += static_cast<char>(b);
    }
    return out;
}

std::wstring wideFromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string utf8FromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring windowText(HWND window) {
    const int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), n + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

}  // namespace appgen::win32
