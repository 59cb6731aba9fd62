// The units on the wire and the lookup file's lines.
#include <gtest/gtest.h>

#include <sstream>

#include "fake_line.h"
#include "link/frames.h"
#include "link/lookup_lines.h"

namespace appgen::link {
namespace {

using testing::Bytes;
using testing::bytesOf;

TEST(ImageBlock, CarriesTheBytesTheirSumAndTheBlockNumber) {
    Bytes image(kImageBytes);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const auto block = imageBlock(image, 7);
    unsigned sum = 0;
    for (std::size_t i = 0; i < 100; ++i) {
        ASSERT_EQ(image[700 + i], block[i]) << i;
        sum += image[700 + i];
    }
    EXPECT_EQ(sum >> 8, block[100]);
    EXPECT_EQ(sum & 0xFF, block[101]);
    EXPECT_EQ(7, block[102]);
}

TEST(ImageBlock, SendsCarriageReturnsUnchanged) {
    Bytes image(kImageBytes, 0);
    image[0] = 0x0D;  // sum 0x0D: the low checksum byte is CR
    const auto block = imageBlock(image, 0);
    EXPECT_EQ(0x0D, block[0]);
    EXPECT_EQ(0x00, block[100]);
    EXPECT_EQ(0x0D, block[101]);
    std::fill(image.begin() + 19900, image.end(), std::uint8_t{0xFF});
    const auto last = imageBlock(image, 199);
    EXPECT_EQ(25500 >> 8, last[100]);
    EXPECT_EQ(25500 & 0xFF, last[101]);
    EXPECT_EQ(199, last[102]);
}

TEST(ImageBlock, ShortImageCountsAsZeros) {
    const Bytes image(150, 1);
    const auto b1 = imageBlock(image, 1);
    EXPECT_EQ(1, b1[49]);
    EXPECT_EQ(0, b1[50]);
    EXPECT_EQ(50, b1[101]);
    const auto b5 = imageBlock(image, 5);
    EXPECT_EQ(0, b5[100]);
    EXPECT_EQ(0, b5[101]);
}

TEST(LookupLineFrame, ChecksumHighThenLowWithCarriageReturnAvoided) {
    struct Case {
        Bytes line;
        Bytes frame;
    };
    Bytes sum0d0d(13, 0xFF);  // 13 * 255 = 3315 = 0x0CF3; add 0x1A to reach 0x0D0D
    sum0d0d.push_back(0x1A);
    Bytes expect0d0d = sum0d0d;
    expect0d0d.insert(expect0d0d.end(), {0x0E, 0x0E, 0x0D});
    const Case cases[] = {
        {{}, {0x00, 0x00, 0x0D}},                             // a blank line
        {bytesOf("AB"), {'A', 'B', 0x00, 0x83, 0x0D}},        // 65 + 66 = 0x83
        {{0x0D}, {0x0D, 0x00, 0x0E, 0x0D}},                   // only the checksum is changed
        {sum0d0d, expect0d0d},
    };
    for (const auto& c : cases) EXPECT_EQ(c.frame, lookupLineFrame(c.line));
}

TEST(LookupLineFrame, NeverExceedsTheFrameBuffer) {
    const Bytes line(400, 'x');
    EXPECT_EQ(kFrameBuffer, lookupLineFrame(line).size());
}

Bytes record(std::initializer_list<int> bytes) {
    Bytes b;
    for (int v : bytes) b.push_back(static_cast<std::uint8_t>(v));
    return b;
}

TEST(RecordChecksum, LowByteFirstAndCarriageReturnSentAsOhE) {
    struct Case {
        const char* what;
        Bytes line;
        bool matches;
    };
    const Case cases[] = {
        {"plain", record({0, 'A', 'B', 0x83, 0x00, 0x0D}), true},
        {"high and low swapped", record({0, 'A', 'B', 0x00, 0x83, 0x0D}), false},
        {"low 0x0D sent as 0x0E", record({1, 0x0C, 0x0E, 0x00, 0x0D}), true},
        {"low 0x0D sent as is", record({1, 0x0C, 0x0D, 0x00, 0x0D}), false},
        {"high 0x0D sent as 0x0E", record({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                           0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0x03, 0x0E, 0x0D}),
         true},  // 13 * 255 + 0x10 = 0x0D03
        {"sequence byte counts", record({2, 'A', 'B', 0x83, 0x00, 0x0D}), false},
        {"no data", record({3, 3, 0, 0x0D}), true},
        {"too short", record({0, 0, 0x0D}), false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.matches, recordChecksumMatches(c.line)) << c.what;
    const Bytes l = record({0, 'A', 'B', 0x83, 0x00, 0x0D});
    const auto data = recordData(l);
    EXPECT_EQ(Bytes({'A', 'B'}), Bytes(data.begin(), data.end()));
}

std::vector<std::string> split(const std::string& file) {
    std::vector<std::string> lines;
    LookupLineSplitter s;
    for (const char c : file)
        if (s.feed(static_cast<std::uint8_t>(c))) lines.emplace_back(s.line().begin(), s.line().end());
    if (s.hasRest()) lines.emplace_back(s.line().begin(), s.line().end());
    return lines;
}

TEST(LookupLines, EndAtCarriageReturnLineFeedOrEither) {
    using V = std::vector<std::string>;
    EXPECT_EQ(V({"a", "", "bc"}), split("a\r\n\r\nbc\r\n"));
    EXPECT_EQ(V({"a", "bc"}), split("a\rbc"));
    EXPECT_EQ(V({"a1", "b2", "c3"}), split("a1\nb2\nc3\n"));  // a file made on Linux
    EXPECT_EQ(split("a\r\n\r\nbc\r\n"), split("a\n\nbc\n"));
    EXPECT_EQ(V({}), split(""));
    EXPECT_EQ(V({"", ""}), split("\n\n"));
}

}  // namespace
}  // namespace appgen::link
