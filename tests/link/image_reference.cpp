#include "image_reference.h"

#include <cstring>
#include <string>

namespace appgen::test {
namespace {

// File offsets of the blocks; the image starts at the barcode block.
constexpr int kMenus = 35, kForms = 3535, kStartup = 16051, kImageStart = 12;
constexpr int kContent = 18830, kImageSize = 20000;

// Message groups as rows, width and image offset.
struct Group {
    int rows, width, imageOffset;
};
constexpr Group kGroups[26] = {
    {4, 15, 16103}, {8, 20, 16167}, {4, 15, 16335}, {4, 15, 16399}, {4, 15, 16463},
    {7, 15, 16527}, {8, 20, 16639}, {6, 20, 16807}, {6, 20, 16933}, {5, 20, 17059},
    {4, 20, 17164}, {4, 20, 17248}, {6, 20, 17332}, {8, 20, 17458}, {3, 15, 17626},
    {5, 15, 17674}, {4, 20, 17754}, {5, 15, 17838}, {5, 15, 17918}, {3, 15, 17998},
    {2, 15, 18046}, {4, 15, 18078}, {3, 15, 18142}, {6, 20, 18190}, {8, 15, 18316},
    {3, 20, 18444},
};

// Characters up to the NUL, at most `width` of them.
std::string textAt(const Bytes& b, int at, int width) {
    std::string s;
    for (int i = 0; i < width && b[at + i] != 0; ++i) s.push_back(static_cast<char>(b[at + i]));
    return s;
}

void putSlot(Bytes& b, int at, int width, std::string s) {
    s.resize(static_cast<std::size_t>(width), ' ');
    for (int i = 0; i < width; ++i) b[at + i] = static_cast<std::uint8_t>(s[i]);
    b[at + width] = 0;
}

void clearByType(Bytes& b, int form) {
    for (int i = 0; i < 8; ++i) {
        const int type = b[form + 29 + i];
        if (type == 0 || type == 12) b[form + 37 + 21 * i] = 0;
        if (type == 0 || type >= 8) b[form + 21 + i] = 0;
    }
}

}  // namespace

Bytes recordBytes(const Project& p) {
    Bytes b(sizeof p);
    std::memcpy(b.data(), &p, sizeof p);
    return b;
}

ReferenceCompile referenceCompile(Bytes r) {
    for (int f = 0; f < 10; ++f) {
        const int form = kForms + 1215 * f;
        if (r[form] != 0) r[form + 33] = r[form + 34] = r[form + 35] = r[form + 36] = 0;
        for (int i = 0; i < 8; ++i) {
            std::uint8_t& minLen = r[form + 213 + i];
            std::uint8_t& maxLen = r[form + 221 + i];
            if (maxLen > 50) maxLen = 50;
            if (minLen > maxLen) minLen = maxLen;
        }
        clearByType(r, form);
    }
    for (int k = 0; k < 10; ++k) {
        const int menu = kMenus + 350 * k, form = kForms + 1215 * k;
        const int width = r[menu] ? 15 : 20;
        if (r[menu + 1]) putSlot(r, menu + 2, width, textAt(r, menu + 2, width));
        int count = 0;
        for (int i = 0; i < 10; ++i) {
            const std::string item = textAt(r, menu + 23 + 21 * i, width);
            bool visible = false;
            for (unsigned char c : item) visible = visible || c > ' ';
            count += visible;
            putSlot(r, menu + 23 + 21 * i, width, item);
        }
        r[menu + 247] = static_cast<std::uint8_t>(count);
        clearByType(r, form);
        int last = 0;
        for (int i = 0; i < 8; ++i)
            if (r[form + 29 + i] >= 1 && r[form + 29 + i] <= 6) last = i + 1;
        r[form + 1013] = static_cast<std::uint8_t>(last);
    }

    Bytes img(r.begin() + kImageStart, r.begin() + kImageStart + kContent);
    img.resize(kImageSize, 0);
    for (int line = 0; line < 4; ++line)
        putSlot(img, kStartup - kImageStart + 16 * line, 15, textAt(r, kStartup + 16 * line, 15));
    for (const Group& g : kGroups)
        for (int row = 0; row < g.rows; ++row) {
            const int at = g.imageOffset + (g.width + 1) * row;
            putSlot(img, at, g.width, textAt(r, at + kImageStart, g.width));
        }

    constexpr int kWedge = 18507, kTerm = 18562;
    img[kWedge] = static_cast<std::uint8_t>(img[kWedge] + 1);
    // Each 2-bit field: 0 stays, 1 and 2 go up by one, a stored 3 stays 3.
    constexpr int kField[4] = {0, 2, 3, 3};
    const int flags = img[kWedge + 1];
    img[kWedge + 1] = static_cast<std::uint8_t>((flags & 0xE1) | kField[(flags >> 1) & 3] << 1 |
                                                kField[(flags >> 3) & 3] << 3);
    img[kTerm + 1] = img[kTerm + 1] == 0 ? 1 : 11;
    for (int at : {5, 27, 28, 29, 31, 32}) img[kTerm + at] = static_cast<std::uint8_t>(img[kTerm + at] + 1);
    img[kTerm + 30] = static_cast<std::uint8_t>(img[kTerm + 30] + '0');
    for (int at = 46; at < 56; ++at)
        if (img[kTerm + at] >= 'a' && img[kTerm + at] <= 'z') img[kTerm + at] -= 'a' - 'A';
    return {std::move(r), std::move(img)};
}

}  // namespace appgen::test
