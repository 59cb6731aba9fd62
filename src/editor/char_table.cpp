#include "editor/char_table.h"

namespace appgen::editor {
namespace {

constexpr const char* kControlNames[32] = {
    "",    "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

constexpr CharLabel nameOf(int code) {
    CharLabel l{};
    const auto copy = [&l](const char* s) {
        for (int i = 0; s[i] != '\0'; ++i) l.text[i] = s[i];
    };
    if (code < 32) {
        copy(kControlNames[code]);
    } else if (code == 32) {
        copy("Space");
    } else if (code < 127) {
        l.text[0] = static_cast<char>(code);
    } else if (code == 127) {
        copy("DEL");
    } else {
        l.text[0] = static_cast<char>('0' + code / 100);
        l.text[1] = static_cast<char>('0' + code / 10 % 10);
        l.text[2] = static_cast<char>('0' + code % 10);
    }
    return l;
}

constexpr std::array<CharLabel, 256> makeLabels() {
    std::array<CharLabel, 256> labels{};
    for (int code = 0; code < 256; ++code) labels[16 * (code & 15) + (code >> 4)] = nameOf(code);
    return labels;
}

}  // namespace

const std::array<CharLabel, 256> charLabels = makeLabels();

std::string_view charName(unsigned char byte) {
    return charLabels[16 * (byte & 15) + (byte >> 4)].view();
}

int charTokens(const char* bytes, int max, std::string& text) {
    int n = 0;
    while (n < max && bytes[n] != '\0') {
        text += '[';
        text += charName(static_cast<unsigned char>(bytes[n]));
        text += ']';
        ++n;
    }
    return n;
}

std::string charTokenText(const char* bytes, int max) {
    std::string text;
    charTokens(bytes, max, text);
    return text;
}

}  // namespace appgen::editor
