#include "link/frames.h"

#include <algorithm>

namespace appgen::link {

std::uint16_t byteSum(std::span<const std::uint8_t> bytes) {
    std::uint32_t s = 0;
    for (const std::uint8_t b : bytes) s += b;
    return static_cast<std::uint16_t>(s);
}

std::array<std::uint8_t, kBlockSize> imageBlock(std::span<const std::uint8_t> image, int n) {
    std::array<std::uint8_t, kBlockSize> block{};
    const std::size_t from = static_cast<std::size_t>(n) * kBlockData;
    if (from < image.size()) {
        const std::size_t count = std::min(kBlockData, image.size() - from);
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), count, block.begin());
    }
    const std::uint16_t sum = byteSum(std::span<const std::uint8_t>(block.data(), kBlockData));
    block[kBlockData] = static_cast<std::uint8_t>(sum >> 8);
    block[kBlockData + 1] = static_cast<std::uint8_t>(sum & 0xFF);
    block[kBlockData + 2] = static_cast<std::uint8_t>(n);
    return block;
}

std::vector<std::uint8_t> lookupLineFrame(std::span<const std::uint8_t> line) {
    const std::size_t n = std::min(line.size(), kMaxLookupLine);
    std::vector<std::uint8_t> frame(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(n));
    const std::uint16_t sum = byteSum(std::span<const std::uint8_t>(frame));
    frame.push_back(notCr(static_cast<std::uint8_t>(sum >> 8)));
    frame.push_back(notCr(static_cast<std::uint8_t>(sum & 0xFF)));
    frame.push_back(kCr);
    return frame;
}

bool recordChecksumMatches(std::span<const std::uint8_t> line) {
    if (line.size() < 4) return false;
    const std::uint16_t sum = byteSum(line.first(line.size() - 3));
    return line[line.size() - 3] == notCr(static_cast<std::uint8_t>(sum & 0xFF)) &&
           line[line.size() - 2] == notCr(static_cast<std::uint8_t>(sum >> 8));
}

std::span<const std::uint8_t> recordData(std::span<const std::uint8_t> line) {
    if (line.size() < 4) return {};
    return line.subspan(1, line.size() - 4);
}

}  // namespace appgen::link
