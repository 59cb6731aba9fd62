// The byte trace's lines in virtual time: what support reads after a failed
// transfer (the bytes of a whole transfer are checked end to end over a pty).
#include <gtest/gtest.h>

#include "fake_line.h"
#include "link/traced_port.h"

namespace appgen::link {
namespace {

using testing::Bytes;
using testing::bytesOf;

struct MemoryTrace : TraceSink {
    void append(std::string_view text) override { lines.push_back(std::string(text)); }
    std::vector<std::string> lines;  // one per append: what reaches the file at once
};

TEST(TracedPort, EachChunkIsALineWithTheNotesBetween) {
    testing::VirtualClock clock;
    testing::FakePort fake(clock);
    MemoryTrace trace;
    TracedPort port(fake, clock, &trace);
    fake.onWrite = [](testing::FakePort& p, const Bytes&) { p.deliver("ACK\r\x01xy", 3); };

    ASSERT_TRUE(port.open("COM1").ok);
    LineSettings line;
    line.baudRate = 9600;
    line.byteSize = 8;
    line.rts = LineMode::Enable;
    port.apply(line);
    EXPECT_EQ(7u, port.write(bytesOf("BRIGAN\r")));
    while (port.readByte(10)) {
    }
    EXPECT_EQ(20u, port.write(Bytes(20, 0xC0)));
    fake.holdOutput = true;
    EXPECT_EQ(0u, port.write(bytesOf("OVER\r")));
    fake.holdOutput = false;
    fake.goDown(LineStatus::Lost, "/dev/ttyUSB0: the line hung up");
    EXPECT_FALSE(port.readByte(10));
    port.close();

    const std::vector<std::string> expected = {
        "# ms since the open, out (to the terminal) or in (from it), bytes in hex, as text\n",
        "       0 --   open COM1\n",
        "       0 --   line 9600 8N1, DTR off, RTS on\n",
        "       0 out  42 52 49 47 41 4E 0D                             BRIGAN.\n",
        "       3 in   41 43 4B 0D                                      ACK.\n",
        "       3 in   01 78 79                                         .xy\n",
        "      13 out  C0 C0 C0 C0 C0 C0 C0 C0 C0 C0 C0 C0 C0 C0 C0 C0  ................\n"
        "      13 out  C0 C0 C0 C0                                      ....\n",
        "      38 --   write ended after 0 of 5 bytes\n",
        "      38 --   line lost: /dev/ttyUSB0: the line hung up\n",
        "      38 --   close\n",
    };
    EXPECT_EQ(expected, trace.lines);
}

}  // namespace
}  // namespace appgen::link
