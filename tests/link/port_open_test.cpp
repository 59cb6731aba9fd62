// Opening the port for a transfer, and the cradle set-up.
#include <gtest/gtest.h>

#include "link/cradle_setup.h"
#include "link/download.h"
#include "link/port_open.h"
#include "link/upload.h"
#include "link_harness.h"

namespace appgen::link {
namespace {

using testing::Bytes;
using testing::LinkHarness;
using testing::PortEvent;
using Kind = PortEvent::Kind;

TEST(PortChoice, ProjectSettingsNameThePortAndSpeed) {
    EXPECT_EQ("COM6", portChoiceOf({5, 4}).name);
    EXPECT_EQ(9600u, baudFromIndex(portChoiceOf({5, 4}).baudIndex));
    EXPECT_EQ("COM1", portChoiceOf({0, 0}).name);
    EXPECT_EQ(115200u, baudFromIndex(portChoiceOf({0, 0}).baudIndex));
    // A damaged project names a port and a speed rather than reading past a table.
    EXPECT_EQ("COM10", portChoiceOf({9, 7}).name);
    EXPECT_EQ(115200u, baudFromIndex(portChoiceOf({9, 7}).baudIndex));
    EXPECT_EQ(3, baudIndexOf(19200));
    EXPECT_FALSE(baudIndexOf(4800));
}

TEST(OpenForDownload, QueuesAndEightBitsNoParityAtTheChosenSpeed) {
    LinkHarness h;
    ASSERT_EQ(kOpened, openForDownload(h.link, {"COM6", 2}, false));
    EXPECT_EQ("COM6", h.port.eventsOf(Kind::Open).at(0).name);
    EXPECT_EQ(256u, h.port.inputQueue);
    EXPECT_EQ(1200u, h.port.outputQueue);
    const LineSettings& l = h.port.applied();
    EXPECT_EQ(38400u, l.baudRate);
    EXPECT_EQ(8, l.byteSize);
    EXPECT_EQ(Parity::None, l.parity);
    EXPECT_EQ(StopBits::One, l.stopBits);
    EXPECT_EQ(LineMode::Disable, l.dtr);  // the run's record starts all off
    EXPECT_EQ(LineMode::Disable, l.rts);
    EXPECT_FALSE(l.outxCtsFlow);
    EXPECT_FALSE(l.outX);
    EXPECT_TRUE(h.boxes().empty());
}

TEST(OpenForUpload, SetsTheTransferTimeouts) {
    LinkHarness h;
    ASSERT_TRUE(openForUpload(h.link, {"COM2", 0}, false));
    EXPECT_EQ(256u, h.port.inputQueue);
    EXPECT_EQ(256u, h.port.outputQueue);
    EXPECT_EQ((PortTimeouts{kMaxTimeout, 0, 0, 5, 50}), h.port.timeouts());
    EXPECT_EQ(115200u, h.port.applied().baudRate);
}

// Each row of the failure table: message, icon, result, and the port left closed.
TEST(OpenFailures, AreToldAsTheSystemTellsThem) {
    struct Case {
        const char* what;
        bool upload, cradle, failOpen, failApply;
        const char* box;  // nullptr: no message
        ui::Icon icon;
        int result;
    };
    const Case cases[] = {
        {"download, no port", false, false, true, false, "Error: Can't open the COM port!",
         ui::Icon::Warning, kOpenFailed},
        {"download, no cradle", false, true, false, false, "Error: Failed to set IR device!",
         ui::Icon::Warning, kOpenFailed},
        {"download, settings refused", false, false, false, true,
         "Error: Error on setting communication state", ui::Icon::Warning, kLineSettingsRejected},
        {"upload, no port", true, false, true, false, "Error: Fail to open COM port",
         ui::Icon::None, 0},
        {"upload, no cradle", true, true, false, false, "Error: Can't set IR device!",
         ui::Icon::Warning, 0},
        {"upload, settings refused", true, false, false, true, nullptr, ui::Icon::None, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkHarness h;
        h.port.failOpen = c.failOpen;
        h.port.failApply = c.failApply;  // no cradle answers in these cases
        const int r = c.upload ? int(openForUpload(h.link, {"COM1", 0}, c.cradle))
                               : openForDownload(h.link, {"COM1", 0}, c.cradle);
        EXPECT_EQ(c.result, r);
        EXPECT_FALSE(h.port.isOpen());
        if (c.box) {
            ASSERT_EQ(1u, h.ui.requests.size());
            EXPECT_EQ(c.box, h.boxes().at(0));
            EXPECT_EQ(c.icon, h.ui.requests[0].icon);
            EXPECT_EQ(ui::Buttons::Ok, h.ui.requests[0].buttons);
        } else {
            EXPECT_TRUE(h.ui.requests.empty());
        }
        if (c.failOpen) {
            EXPECT_EQ("COM1: no such device.", h.ui.requests.at(0).detail);
            EXPECT_TRUE(h.port.eventsOf(Kind::Close).empty());
        }
    }
}

TEST(OpenFailures, UploadClosesThePortBeforeTellingOfTheCradle) {
    LinkHarness h;
    bool closedWhenTold = false;
    h.ui.onEvent = [&](const ui::RecordedEvent& e) {
        if (e.kind == ui::RecordedEvent::Kind::Box) closedWhenTold = !h.port.isOpen();
    };
    EXPECT_FALSE(openForUpload(h.link, {"COM1", 0}, true));
    EXPECT_TRUE(closedWhenTold);
}

// A cradle that listens at `speed` and echoes the probe while RTS is off.
void cradleAt(LinkHarness& h, std::uint32_t speed, std::uint8_t answer = kProbeByte,
              Tick latency = 5) {
    h.port.onWrite = [=](testing::FakePort& p, const Bytes& b) {
        if (b == Bytes{kProbeByte} && p.applied().baudRate == speed &&
            p.applied().rts == LineMode::Disable)
            p.deliver(Bytes{answer}, latency);
    };
}

TEST(CradleSetup, ProbesInOrderAndCommandsAtTheProbedSpeed) {
    LinkHarness h;
    cradleAt(h, 115200);
    ASSERT_EQ(kOpened, openForDownload(h.link, {"COM1", 2}, true));  // 38400 configured

    const auto writes = h.port.eventsOf(Kind::Write);
    ASSERT_EQ(5u, writes.size());
    EXPECT_EQ(Bytes{0x0F}, writes[0].bytes);
    EXPECT_EQ(9600u, writes[0].line.baudRate);
    EXPECT_EQ(Bytes{0x0F}, writes[1].bytes);
    EXPECT_EQ(115200u, writes[1].line.baudRate);
    // The commands go at the probed speed with RTS off.
    const Bytes commands[] = {{0x07}, {'4'}, {'Q'}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(commands[i], writes[2 + i].bytes) << i;
        EXPECT_EQ(115200u, writes[2 + i].line.baudRate) << i;
        EXPECT_EQ(LineMode::Disable, writes[2 + i].line.rts) << i;
        EXPECT_EQ(LineMode::Enable, writes[2 + i].line.dtr) << i;
    }
    // Each command is on the wire before its pause starts.
    for (std::size_t i = 0; i < h.port.events.size(); ++i) {
        if (h.port.events[i].kind == Kind::Write) {
            EXPECT_EQ(Kind::Drain, h.port.events.at(i + 1).kind) << i;
        }
    }
    // Then the transfer runs at the configured speed with both lines on.
    const LineSettings& l = h.port.applied();
    EXPECT_EQ(38400u, l.baudRate);
    EXPECT_EQ(LineMode::Enable, l.dtr);
    EXPECT_EQ(LineMode::Enable, l.rts);
    EXPECT_EQ(8, l.byteSize);
    EXPECT_EQ(Parity::None, l.parity);
    EXPECT_EQ(kMaxTimeout, h.port.eventsOf(Kind::Timeouts).at(0).timeouts.readInterval);
    // The other time-outs are kept as the driver had them.
    EXPECT_EQ(2u, h.port.eventsOf(Kind::Timeouts).at(0).timeouts.readTotalMultiplier);
}

TEST(CradleSetup, EveryWaitIsAHundredMilliseconds) {
    LinkHarness h;
    cradleAt(h, 9600);
    h.port.open("COM1");
    ASSERT_TRUE(runCradleSetup(h.link, 0));
    // First apply at 38400 with DTR and RTS on, then the probe at 9600.
    const auto& ev = h.port.events;
    std::vector<std::uint64_t> applies, writes;
    for (const auto& e : ev) {
        if (e.kind == Kind::Apply) applies.push_back(e.at - testing::VirtualClock::kStart);
        if (e.kind == Kind::Write) writes.push_back(e.at - testing::VirtualClock::kStart);
    }
    // apply(38400) 0, apply(9600, RTS off) 100, 0x0F 200 (echoed at 205, read after the
    // wait), apply(RTS on) 300, apply(RTS off) 400, 0x07 500, '6' 600, 'Q' 700,
    // apply(115200, RTS on) 800, end 900.
    EXPECT_EQ((std::vector<std::uint64_t>{0, 100, 300, 400, 800}), applies);
    EXPECT_EQ((std::vector<std::uint64_t>{200, 500, 600, 700}), writes);
    EXPECT_EQ(900u, h.clock.elapsed());
    EXPECT_EQ(38400u, h.port.eventsOf(Kind::Apply).at(0).line.baudRate);
    EXPECT_EQ(LineMode::Enable, h.port.eventsOf(Kind::Apply).at(0).line.rts);
    EXPECT_EQ(Bytes{'6'}, h.port.writes().at(2));
}

TEST(CradleSetup, AWrongAnswerFailsTheProbeAtOnce) {
    LinkHarness h;
    cradleAt(h, 9600, 0x55, 130);
    h.port.open("COM1");
    EXPECT_FALSE(probeCradle(h.link, 9600));
    // 100 after the apply, 100 after the probe byte, the answer 30 ms into the
    // listening, then 100 after RTS on.
    EXPECT_EQ(330u, h.clock.elapsed());
    LinkHarness silent;
    silent.port.open("COM1");
    EXPECT_FALSE(probeCradle(silent.link, 9600));
    EXPECT_EQ(400u, silent.clock.elapsed());
    LinkHarness late;
    cradleAt(late, 9600, kProbeByte, 130);
    late.port.open("COM1");
    EXPECT_TRUE(probeCradle(late.link, 9600));
    EXPECT_EQ(330u, late.clock.elapsed());
}

TEST(CradleSetup, ASilentCradleIsProbedAtAllFiveSpeeds) {
    LinkHarness h;
    EXPECT_EQ(kOpenFailed, openForDownload(h.link, {"COM1", 0}, true));
    std::vector<std::uint32_t> probed;
    for (const auto& w : h.port.eventsOf(Kind::Write)) probed.push_back(w.line.baudRate);
    EXPECT_EQ((std::vector<std::uint32_t>{9600, 115200, 38400, 57600, 19200}), probed);
    EXPECT_EQ(100u + 5 * 400u, h.clock.elapsed());
}

TEST(CradleSetup, SpeedDigits) {
    const std::uint8_t expected[] = {'6', '5', '4', '3', '2'};
    for (std::uint8_t i = 0; i < 5; ++i) EXPECT_EQ(expected[i], cradleSpeedDigit(i));
}

// The set-up shows the connecting window from its start and hands it on to
// the handshake: one window, naming the transfer's speed, not the probe's.
TEST(CradleSetup, ShowsTheConnectingWindowUntilTheHandshakeIsAnswered) {
    LinkHarness h;
    cradleAt(h, 57600);
    const auto probe = h.port.onWrite;
    h.port.onWrite = [&](testing::FakePort& p, const Bytes& b) {
        if (b == testing::bytesOf("BRIGAN\r") || b == testing::bytesOf("OVER\r")) p.deliver("ACK\r", 2);
        probe(p, b);
    };
    std::size_t appliesAtOpen = 99;
    h.ui.onEvent = [&](const ui::RecordedEvent& e) {
        if (e.kind == ui::RecordedEvent::Kind::Connecting && e.value == 1)
            appliesAtOpen = h.port.eventsOf(Kind::Apply).size();
    };
    ASSERT_EQ(kDownloadOk, downloadLookupLines(h.link, {"COM1", 3}, true, {}));
    const auto connecting = h.eventsOf(ui::RecordedEvent::Kind::Connecting);
    ASSERT_EQ(2u, connecting.size());
    EXPECT_EQ(1, connecting[0].value);
    EXPECT_EQ("COM1, 19200 bit/s", connecting[0].detail);
    EXPECT_EQ(0, connecting[1].value);
    EXPECT_EQ(0u, appliesAtOpen);
}

// Cancel at any moment of the set-up ends it within one wait: no message, no
// retry question, the port closed, the record left with RTS on.
TEST(CradleSetup, CancelEndsItBetweenSteps) {
    struct Case {
        const char* what;
        bool upload;
        std::uint32_t cradleSpeed;
        Bytes pressedAt;  // the write that comes with the press; empty: as the window opens
        std::size_t writes;
    };
    const Case cases[] = {
        {"download, as the window opens", false, 9600, {}, 0},
        {"download, while probing", false, 57600, {kProbeByte}, 1},
        {"upload, while probing", true, 57600, {kProbeByte}, 1},
        {"download, between the commands", false, 9600, {kCradleAttention}, 2},
        {"upload, after the speed command", true, 9600, {'6'}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkHarness h;
        cradleAt(h, c.cradleSpeed);
        const auto cradle = h.port.onWrite;
        std::uint64_t pressed = 0;
        if (c.pressedAt.empty()) {
            h.ui.queueCancel({ui::CancelPress::When::Connecting, 0});
        } else {
            h.port.onWrite = [&](testing::FakePort& p, const Bytes& b) {
                if (b == c.pressedAt && !pressed) {
                    pressed = h.clock.elapsed();
                    h.ui.pressCancel();
                }
                cradle(p, b);
            };
        }
        const bool opened = c.upload ? openForUpload(h.link, {"COM1", 0}, true)
                                     : openForDownload(h.link, {"COM1", 0}, true) == kOpened;
        EXPECT_FALSE(opened);
        EXPECT_TRUE(h.boxes().empty());
        EXPECT_FALSE(h.port.isOpen());
        EXPECT_EQ(c.writes, h.port.writes().size());
        EXPECT_LE(h.clock.elapsed(), pressed + 100);
        EXPECT_EQ(2u, h.eventsOf(ui::RecordedEvent::Kind::Connecting).size());
        EXPECT_EQ(LineMode::Enable, h.state.line.rts);
    }
}

// Ctrl-C (a stop) at any moment of the set-up ends it within 100 ms, not
// after the probing: nothing more is written and the stop is told.
TEST(CradleSetup, AStopEndsItWithinAHundredMilliseconds) {
    struct Case {
        const char* what;
        bool upload;
        std::uint32_t cradleSpeed;  // 0: a silent cradle
        std::uint64_t stopAt;       // ms after the open
    };
    const Case cases[] = {
        {"download, in the first wait", false, 0, 30},
        {"download, listening for the echo", false, 0, 250},
        {"upload, probing the fourth speed", true, 0, 1399},
        {"download, between the commands", false, 9600, 555},
        {"upload, in the last wait", true, 9600, 801},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LinkHarness h;
        if (c.cradleSpeed) cradleAt(h, c.cradleSpeed);
        h.port.stopAt = testing::VirtualClock::kStart + c.stopAt;
        const bool opened = c.upload ? openForUpload(h.link, {"COM1", 0}, true)
                                     : openForDownload(h.link, {"COM1", 0}, true) == kOpened;
        EXPECT_FALSE(opened);
        EXPECT_LE(h.clock.elapsed(), c.stopAt + 100);
        for (const auto& w : h.port.eventsOf(Kind::Write)) EXPECT_LT(w.at, *h.port.stopAt);
        EXPECT_EQ((std::vector<std::string>{std::string(c.upload ? "Upload Data" : "Error") +
                                            ": The transfer was stopped."}),
                  h.boxes());
        EXPECT_FALSE(h.port.isOpen());
    }
}

TEST(LineSettingsRecord, CradleLinesStayOnForLaterDirectTransfers) {
    LinkHarness h;
    cradleAt(h, 57600);
    ASSERT_EQ(kOpened, openForDownload(h.link, {"COM1", 0}, true));
    closeAfterDownload(h.link);
    h.port.onWrite = nullptr;
    ASSERT_EQ(kOpened, openForDownload(h.link, {"COM1", 4}, false));
    EXPECT_EQ(9600u, h.port.applied().baudRate);
    EXPECT_EQ(LineMode::Enable, h.port.applied().dtr);
    EXPECT_EQ(LineMode::Enable, h.port.applied().rts);
    closeAfterDownload(h.link);
    ASSERT_TRUE(openForUpload(h.link, {"COM1", 1}, false));
    EXPECT_EQ(LineMode::Enable, h.port.applied().rts);
}

TEST(CloseAfterDownload, PurgesReceivedDataFirst) {
    LinkHarness h;
    ASSERT_EQ(kOpened, openForDownload(h.link, {"COM1", 0}, false));
    h.port.deliver("stale");
    closeAfterDownload(h.link);
    ASSERT_GE(h.port.events.size(), 2u);
    EXPECT_EQ(Kind::Purge, h.port.events[h.port.events.size() - 2].kind);
    EXPECT_EQ(Kind::Close, h.port.events.back().kind);
    EXPECT_EQ(0u, h.port.pendingInput());
}

}  // namespace
}  // namespace appgen::link
