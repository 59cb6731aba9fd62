// The units on the wire: image blocks and lookup lines (PC to terminal), and
// the check of the terminal's record lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace appgen::link {

inline constexpr std::size_t kImageBytes = 20000;
inline constexpr int kBlockCount = 200;
inline constexpr std::size_t kBlockData = 100;
inline constexpr std::size_t kBlockSize = kBlockData + 3;  // data, checksum high, low, number
// A unit is built in a 256-byte buffer: data, two checksum bytes and CR.
inline constexpr std::size_t kFrameBuffer = 256;
inline constexpr std::size_t kMaxLookupLine = kFrameBuffer - 3;

inline constexpr std::uint8_t kCr = 0x0D;
inline constexpr std::uint8_t kLf = 0x0A;

// In frames ended by CR, a checksum byte that would be CR is sent as 0x0E.
constexpr std::uint8_t notCr(std::uint8_t b) { return b == kCr ? std::uint8_t{0x0E} : b; }

// Sum of the bytes as unsigned values, modulo 65536.
std::uint16_t byteSum(std::span<const std::uint8_t> bytes);

// Block n of the image: its 100 bytes unchanged, the sum's high and low
// bytes, and n. Bytes beyond a short image count as zero.
std::array<std::uint8_t, kBlockSize> imageBlock(std::span<const std::uint8_t> image, int n);

// One lookup line: its bytes, the sum's high and low bytes (CR sent as 0x0E)
// and CR. The line must hold at most kMaxLookupLine bytes.
std::vector<std::uint8_t> lookupLineFrame(std::span<const std::uint8_t> line);

// A record line as kept by the upload (its last byte stands where the CR
// is): sequence byte, data, checksum low, checksum high, CR. True when the
// checksum bytes match the sum of the sequence byte and the data.
bool recordChecksumMatches(std::span<const std::uint8_t> line);
// The data bytes of such a line (between the sequence byte and the checksum).
std::span<const std::uint8_t> recordData(std::span<const std::uint8_t> line);

}  // namespace appgen::link
