// Program download on the fake port: handshake, blocks, replies, retries.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/download.h"
#include "link/frames.h"
#include "link/transfer_cancel.h"
#include "link_harness.h"

namespace appgen::link {
namespace {

using testing::Bytes;
using testing::bytesOf;
using testing::LinkHarness;
using testing::ReplyScript;
using testing::textOf;
using Ev = ui::RecordedEvent::Kind;

const Bytes kHandshake = bytesOf("BRIGAN\r");

class ProgramDownload : public ::testing::Test {
protected:
    // Each compile gives a different image, so a retry is seen to compile anew.
    ImageSource compiler() {
        return [this] {
            ++compiles;
            compiledAtWrite = h.port.writes().size();
            Bytes image(kImageBytes);
            for (std::size_t i = 0; i < image.size(); ++i)
                image[i] = static_cast<std::uint8_t>(i * 31 + compiles);
            lastImage = image;
            return image;
        };
    }
    int run(std::vector<std::optional<std::string>> replies,
            std::optional<std::string> otherwise = std::string("ACK\r")) {
        script.replies = std::move(replies);
        script.otherwise = std::move(otherwise);
        script.attach(h.port);
        return downloadProgram(h.link, {"COM1", 0}, false, compiler());
    }

    LinkHarness h;
    ReplyScript script;
    int compiles = 0;
    std::size_t compiledAtWrite = 0;
    Bytes lastImage;
};

TEST_F(ProgramDownload, HandshakeThenTwoHundredAcknowledgedBlocks) {
    EXPECT_EQ(kDownloadOk, run({}));
    const auto writes = h.port.writes();
    ASSERT_EQ(201u, writes.size());
    EXPECT_EQ(kHandshake, writes[0]);
    for (int n = 0; n < kBlockCount; ++n) {
        const auto block = imageBlock(lastImage, n);
        ASSERT_EQ(Bytes(block.begin(), block.end()), writes[1 + n]) << n;
    }
    EXPECT_EQ(1, compiles);
    EXPECT_EQ(1u, compiledAtWrite);  // compiled after the handshake
    EXPECT_EQ((std::vector<std::string>{"Download: Downloaded completely!"}), h.boxes());
    EXPECT_EQ(ui::Icon::Warning, h.ui.requests.at(0).icon);
    EXPECT_FALSE(h.port.isOpen());
}

TEST_F(ProgramDownload, ProgressBarClimbsFromFiveToAHundred) {
    run({});
    const auto open = h.eventsOf(Ev::ProgressOpen);
    ASSERT_EQ(1u, open.size());
    EXPECT_EQ("Прогресс", open[0].caption);
    EXPECT_EQ("Загрузка...", open[0].text);
    const auto sets = h.eventsOf(Ev::ProgressSet);
    ASSERT_EQ(201u, sets.size());
    EXPECT_EQ(5, sets[0].value);    // block 0: 5 + 1 div 2
    EXPECT_EQ(6, sets[1].value);    // block 1
    EXPECT_EQ(100, sets[194].value);  // block 194: 5 + 95
    for (const auto& s : sets) EXPECT_LE(s.value, 100);
    EXPECT_EQ(100, sets.back().value);
    EXPECT_EQ(1u, h.eventsOf(Ev::ProgressClose).size());
    // The box comes after the bar is gone.
    EXPECT_EQ(Ev::Box, h.ui.events().back().kind);
}

TEST_F(ProgramDownload, SilentTerminalGetsThreeHandshakesOverNineSeconds) {
    EXPECT_EQ(kDownloadFailed, run({}, std::nullopt));
    EXPECT_EQ((std::vector<Bytes>{kHandshake, kHandshake, kHandshake}), h.port.writes());
    const auto writes = h.port.eventsOf(testing::PortEvent::Kind::Write);
    EXPECT_EQ(3001u, writes[1].at - writes[0].at);
    EXPECT_EQ(3001u, writes[2].at - writes[1].at);
    EXPECT_EQ(3u * 3001u, h.clock.elapsed());
    EXPECT_EQ((std::vector<std::string>{"Error: Terminal is not ready!",
                                        "Error: Failed to download, would you like to retry?"}),
              h.boxes());
    EXPECT_EQ(ui::Buttons::YesNo, h.ui.requests[1].buttons);
    EXPECT_EQ(ui::Icon::Question, h.ui.requests[1].icon);
    EXPECT_EQ("No answer on COM1 at 115200 bit/s. Check that the terminal is in its download mode, "
              "its cable is plugged in at both ends, and is set to the same speed.",
              h.ui.requests[0].detail);
    EXPECT_TRUE(h.eventsOf(Ev::ProgressOpen).empty());
    // The connecting window is up over the handshakes and gone before the box.
    const auto connecting = h.eventsOf(Ev::Connecting);
    ASSERT_EQ(2u, connecting.size());
    EXPECT_EQ("Соединение с терминалом...", connecting[0].text);
    EXPECT_EQ("COM1, 115200 bit/s", connecting[0].detail);
    EXPECT_EQ(0, connecting[1].value);
    EXPECT_EQ(0, compiles);
    EXPECT_FALSE(h.port.isOpen());
}

// Cancel pressed 250 ms into a silent handshake: the wait ends within one
// poll, the port closes, and nothing is asked or told.
TEST_F(ProgramDownload, CancelDuringTheHandshakeEndsItAtOnce) {
    struct CancelAt : testing::RecordingServices {
        testing::VirtualClock* clock = nullptr;
        bool cancelRequested() override { return clock->elapsed() >= 250; }
    } ui;
    ui.clock = &h.clock;
    shell::ServicesOperatorPanel panel(ui);
    LinkContext link{h.port, h.clock, panel, h.state};
    script.otherwise = std::nullopt;
    script.attach(h.port);
    EXPECT_EQ(kDownloadFailed, downloadProgram(link, {"COM1", 0}, false, compiler()));
    EXPECT_EQ((std::vector<Bytes>{kHandshake}), h.port.writes());
    EXPECT_LE(h.clock.elapsed(), 250u + kCancelPoll);
    EXPECT_TRUE(ui.requests.empty());
    EXPECT_FALSE(h.port.isOpen());
}

// Cancel once the bar shows 10 %: the block acknowledged then is the last sent.
TEST_F(ProgramDownload, CancelStopsAfterTheUnitOnTheWire) {
    h.ui.queueCancel({ui::CancelPress::When::Progress, 10});
    EXPECT_EQ(kDownloadFailed, run({}));
    EXPECT_EQ(1u + 10u, h.port.writes().size());
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_EQ(1u, h.eventsOf(Ev::ProgressClose).size());
    EXPECT_FALSE(h.port.isOpen());

    // The next transfer starts with no Cancel pending.
    h.ui.clearEvents();
    EXPECT_EQ(kDownloadOk, downloadProgram(h.link, {"COM1", 0}, false, compiler()));
}

TEST_F(ProgramDownload, ReplyLines) {
    struct Case {
        const char* reply;
        bool accepted;
        std::uint64_t waited;  // until the handshake's reply ended
    };
    const Case cases[] = {
        {"ACK\r", true, 2},
        {"ACK", true, 3001},        // no CR: the reply ends at the time-out and equals "ACK"
        {"ack\r", false, 0},
        {"ACK \r", false, 0},
        {"NAK\r", false, 0},
        {"ACKACKACKACK\r", false, 0},  // cut at 10 bytes
        {"\rACK\r", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        LinkHarness hh;
        ReplyScript s;
        s.replies = {std::string(c.reply), std::nullopt, std::nullopt};
        s.otherwise = std::nullopt;
        s.attach(hh.port);
        downloadProgram(hh.link, {"COM1", 0}, false, [] { return Bytes(kImageBytes); });
        const auto writes = hh.port.eventsOf(testing::PortEvent::Kind::Write);
        ASSERT_GE(writes.size(), 2u);
        // Accepted: the second write is block 0; refused: a second handshake.
        EXPECT_EQ(c.accepted, writes[1].bytes != kHandshake);
        if (c.accepted) {
            EXPECT_EQ(c.waited, writes[1].at - writes[0].at);
        }
    }
}

TEST_F(ProgramDownload, EachUnitIsWrittenAtMostFourTimes) {
    // Handshake accepted; block 0 refused three times, then taken.
    EXPECT_EQ(kDownloadOk, run({"ACK\r", "NAK\r", "NAK\r", "NAK\r"}));
    EXPECT_EQ(1u + 4u + 199u, h.port.writes().size());

    LinkHarness h2;
    ReplyScript s;
    s.replies = {"ACK\r", "ACK\r", "ACK\r", "NAK\r", "NAK\r", "NAK\r", "NAK\r"};
    s.attach(h2.port);
    EXPECT_EQ(kDownloadFailed,
              downloadProgram(h2.link, {"COM1", 0}, false, [] { return Bytes(kImageBytes); }));
    const auto writes = h2.port.writes();
    ASSERT_EQ(7u, writes.size());
    for (int i = 3; i < 7; ++i) EXPECT_EQ(2, writes[i][102]);  // block 2, four times
    EXPECT_EQ((std::vector<std::string>{"Error: Error on downloading!",
                                        "Error: Failed to download, would you like to retry?"}),
              h2.boxes());
    // The bar was shown and is gone again.
    EXPECT_EQ(1u, h2.eventsOf(Ev::ProgressClose).size());
}

TEST_F(ProgramDownload, TerminalStoppingMidwayGetsTheUnitFourTimesThreeSecondsEach) {
    std::vector<std::optional<std::string>> r(11, std::string("ACK\r"));  // handshake, blocks 0..9
    EXPECT_EQ(kDownloadFailed, run(r, std::nullopt));
    const auto writes = h.port.eventsOf(testing::PortEvent::Kind::Write);
    ASSERT_EQ(15u, writes.size());
    for (std::size_t i = 11; i < 15; ++i) EXPECT_EQ(10, writes[i].bytes[102]);
    EXPECT_EQ(3001u, writes[12].at - writes[11].at);
    EXPECT_EQ(3u * 3001u, writes[14].at - writes[11].at);
    EXPECT_EQ("Error: Error on downloading!", h.boxes().at(0));
    EXPECT_EQ("The terminal on COM1 at 115200 bit/s stopped acknowledging the transfer. Check that it "
              "is still plugged in at both ends of its cable and has not been switched off, then try again.",
              h.ui.requests[0].detail);
}

TEST_F(ProgramDownload, FullStopsAfterOneWriteAndRetryCompilesAnew) {
    h.ui.queueAnswer(ui::Answer::Yes);
    EXPECT_EQ(kDownloadOk, run({"ACK\r", "FULL\r"}));
    const auto writes = h.port.writes();
    ASSERT_EQ(1u + 1u + 1u + 200u, writes.size());
    EXPECT_EQ(kHandshake, writes[0]);
    EXPECT_EQ(0, writes[1][102]);
    EXPECT_EQ(kHandshake, writes[2]);  // the retry starts from the handshake
    EXPECT_EQ(2, compiles);
    EXPECT_EQ(3u, compiledAtWrite);
    EXPECT_EQ((std::vector<std::string>{"Error: Memory full for Terminal!",
                                        "Error: Failed to download, would you like to retry?",
                                        "Download: Downloaded completely!"}),
              h.boxes());
    EXPECT_EQ(2u, h.eventsOf(Ev::ProgressOpen).size());
    EXPECT_EQ(2u, h.eventsOf(Ev::ProgressClose).size());
}

TEST_F(ProgramDownload, FullWithoutCarriageReturnStillMeansFull) {
    EXPECT_EQ(kDownloadFailed, run({"ACK\r", "FULL"}));
    EXPECT_EQ(2u, h.port.writes().size());
    EXPECT_EQ("Error: Memory full for Terminal!", h.boxes().at(0));
}

TEST_F(ProgramDownload, RetriesUntilTheOperatorDeclines) {
    h.ui.queueAnswer(ui::Answer::Yes);
    h.ui.queueAnswer(ui::Answer::Yes);
    EXPECT_EQ(kDownloadFailed, run({}, std::string("NAK\r")));
    EXPECT_EQ(9u, h.port.writes().size());  // three attempts of three handshakes
    const auto boxes = h.boxes();
    EXPECT_EQ(3, std::count(boxes.begin(), boxes.end(),
                            "Error: Failed to download, would you like to retry?"));
    // Opened once, closed once, received data purged before the close.
    EXPECT_EQ(1u, h.port.eventsOf(testing::PortEvent::Kind::Open).size());
    EXPECT_EQ(1u, h.port.eventsOf(testing::PortEvent::Kind::Close).size());
    EXPECT_EQ(testing::PortEvent::Kind::Purge, h.port.events[h.port.events.size() - 2].kind);
}

TEST_F(ProgramDownload, EveryAttemptSetsTheTransferTimeouts) {
    h.ui.queueAnswer(ui::Answer::Yes);
    run({}, std::nullopt);
    const auto t = h.port.eventsOf(testing::PortEvent::Kind::Timeouts);
    ASSERT_EQ(2u, t.size());
    EXPECT_EQ((PortTimeouts{kMaxTimeout, 0, 0, 5, 50}), t[0].timeouts);
}

TEST_F(ProgramDownload, PortFailuresEndBeforeAnythingIsSent) {
    h.port.failOpen = true;
    EXPECT_EQ(kDownloadPortFailed, run({}));
    EXPECT_TRUE(h.port.writes().empty());
    EXPECT_EQ((std::vector<std::string>{"Error: Can't open the COM port!"}), h.boxes());
    EXPECT_EQ(0, compiles);
}

TEST_F(ProgramDownload, StaleInputJoinsTheFirstReply) {
    // Nothing is purged before the handshake: a stale byte spoils the first reply
    // ("AACK"), and the second handshake is taken.
    script.attach(h.port);
    h.port.deliver("A", 0);
    EXPECT_EQ(kDownloadOk, downloadProgram(h.link, {"COM1", 0}, false, compiler()));
    EXPECT_EQ(kHandshake, h.port.writes().at(1));
    EXPECT_EQ(202u, h.port.writes().size());
}

}  // namespace
}  // namespace appgen::link
