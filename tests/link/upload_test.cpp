// Data upload on the fake port: the request, record frames and answers, the file.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

#include "link/frames.h"
#include "link/upload.h"
#include "link_harness.h"
#include "platform/record_file.h"

namespace appgen::link {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::bytesOf;
using testing::FakePort;
using testing::LinkHarness;
using testing::textOf;
using Ev = ui::RecordedEvent::Kind;

Bytes frame(int seq, const std::string& data) {
    Bytes f(data.size() + 1);
    f[0] = static_cast<std::uint8_t>(seq);
    std::copy(data.begin(), data.end(), f.begin() + 1);
    const std::uint16_t sum = byteSum(f);
    f.push_back(notCr(static_cast<std::uint8_t>(sum & 0xFF)));
    f.push_back(notCr(static_cast<std::uint8_t>(sum >> 8)));
    f.push_back(kCr);
    return f;
}

// The terminal's side: answers "READ\r", then sends one line after each
// answer of ours, "OVER\r" after the last.
struct UploadTerminal {
    std::string connectReply = "ACK\r";
    std::vector<Bytes> lines;   // sent in order; a NAK sends the same line again
    bool over = true;
    std::size_t next = 0;
    Tick latency = 3;
    std::vector<std::string> answers;  // what the PC wrote after the request

    void attach(FakePort& port) {
        port.onWrite = [this](FakePort& p, const Bytes& w) {
            const std::string s = textOf(w);
            if (s == "READ\r") {
                if (connectReply.empty()) return;
                p.deliver(connectReply, latency);
                if (connectReply == "ACK\r") sendNext(p);
                return;
            }
            answers.push_back(s);
            if (s == "ACK\r") ++next;
            sendNext(p);
        };
    }
    void sendNext(FakePort& p) {
        if (next < lines.size()) p.deliver(lines[next], latency);
        else if (next == lines.size() && over) p.deliver("OVER\r", latency);
    }
};

class Upload : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-upload-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        out = (dir / "data.TXT").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    UploadOutcome run() {
        h.ui.queueFile(out);
        terminal.attach(h.port);
        return upload(h.link, {"COM1", 0}, false, records);
    }
    std::string output() const {
        std::ifstream in(out, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int requests() const {
        int n = 0;
        for (const auto& w : h.port.writes()) n += textOf(w) == "READ\r";
        return n;
    }

    fs::path dir;
    std::string out;
    LinkHarness h;
    UploadTerminal terminal;
    const std::unique_ptr<RecordOutput> recordFile = platform::makeRecordFile();
    RecordOutput& records = *recordFile;
};

TEST_F(Upload, TwelveRecordsThenOver) {
    for (int i = 0; i < 12; ++i) terminal.lines.push_back(frame(i % 10, "rec" + std::to_string(i)));
    h.ui.queueAnswer(ui::Answer::Yes);
    const UploadOutcome r = run();
    EXPECT_EQ(12, r.result);
    std::string expected;
    for (int i = 0; i < 12; ++i) expected += "rec" + std::to_string(i) + "\r\n";
    EXPECT_EQ(expected, output());
    EXPECT_EQ((std::vector<std::string>(12, "ACK\r")), terminal.answers);
    EXPECT_EQ((std::vector<std::string>{
                  "Upload Data: Done : 12 records received.\nView the received data?"}),
              h.boxes());
    EXPECT_EQ(ui::Buttons::YesNo, h.ui.requests[0].buttons);
    EXPECT_EQ(ui::Icon::None, h.ui.requests[0].icon);
    const auto launched = h.eventsOf(Ev::Launch);
    ASSERT_EQ(1u, launched.size());
    EXPECT_EQ(out, launched[0].caption);
    EXPECT_FALSE(h.port.isOpen());
}

TEST_F(Upload, CountBoxShowsEachRecordAndGoesAway) {
    for (int i = 0; i < 3; ++i) terminal.lines.push_back(frame(i, "x"));
    run();
    const auto open = h.eventsOf(Ev::ProgressOpen);
    ASSERT_EQ(1u, open.size());
    EXPECT_EQ(1, open[0].value);  // the count box, not the bar
    EXPECT_EQ("Data received : %d", open[0].text);
    std::vector<int> counts;
    for (const auto& e : h.eventsOf(Ev::ProgressSet)) counts.push_back(e.value);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), counts);
    EXPECT_EQ(1u, h.eventsOf(Ev::ProgressClose).size());
}

TEST_F(Upload, SequenceNumbersRepeatsAndChecksums) {
    struct Case {
        const char* what;
        std::vector<Bytes> lines;
        std::string file;
        std::vector<std::string> answers;
    };
    Bytes badSum = frame(0, "a");
    badSum[2] ^= 1;
    Bytes lowCrAsIs = frame(0, std::string(1, '\x0D'));  // sum 0x0D: must come as 0x0E
    lowCrAsIs[2] = 0x0D;
    const Case cases[] = {
        {"repeat of the previous record", {frame(0, "a"), frame(1, "b"), frame(1, "b"), frame(2, "c")},
         "a\r\nb\r\nc\r\n", {"ACK\r", "ACK\r", "ACK\r", "ACK\r"}},
        {"first record numbered 9 is a repeat", {frame(9, "z"), frame(0, "a")}, "a\r\n",
         {"ACK\r", "ACK\r"}},
        {"bad checksum refused, expected number kept", {badSum, frame(0, "a")}, "a\r\n",
         {"NAK\r", "ACK\r"}},
        {"low checksum byte CR sent as 0x0E", {frame(0, std::string(1, '\x0C')), frame(1, "b")},
         "\x0C\r\nb\r\n", {"ACK\r", "ACK\r"}},
        {"low checksum byte CR sent as CR", {Bytes{0, 0x0D}}, "", {"NAK\r"}},
        {"number out of order", {frame(5, "q"), frame(0, "a")}, "a\r\n", {"NAK\r", "ACK\r"}},
        {"line shorter than four bytes", {Bytes{0, 0x0D}, Bytes{0, 0, 0x0D}, frame(0, "")}, "\r\n",
         {"NAK\r", "NAK\r", "ACK\r"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(out);
        LinkHarness hh;
        UploadTerminal t;
        // A refused line is not sent again here: the next line follows each answer.
        t.lines = c.lines;
        hh.port.onWrite = [&t](FakePort& p, const Bytes& w) {
            const std::string s = textOf(w);
            if (s != "READ\r") t.answers.push_back(s);
            else p.deliver("ACK\r", 3);
            if (t.next < t.lines.size()) p.deliver(t.lines[t.next++], 3);
            else if (t.next++ == t.lines.size()) p.deliver("OVER\r", 3);
        };
        hh.ui.queueFile(out);
        const UploadOutcome r = upload(hh.link, {"COM1", 0}, false, records);
        EXPECT_EQ(c.answers, t.answers);
        const int lines = static_cast<int>(std::count(c.file.begin(), c.file.end(), '\n'));
        EXPECT_EQ(lines, r.records);
        if (lines > 0) {
            EXPECT_EQ(c.file, output());
        } else {
            EXPECT_FALSE(fs::exists(out));
        }
    }
}

TEST_F(Upload, ALongLineIsCutAtTheLineBufferAndRefused) {
    Bytes longLine = frame(0, std::string(300, 'L'));
    terminal.lines = {longLine};
    // After the refusal the terminal sends a proper record instead.
    h.port.onWrite = nullptr;
    int sent = 0;
    h.port.onWrite = [&](FakePort& p, const Bytes& w) {
        const std::string s = textOf(w);
        if (s == "READ\r") p.deliver("ACK\r", 3);
        else terminal.answers.push_back(s);
        if (sent == 0) p.deliver(longLine, 3);
        else if (sent == 1) p.deliver(frame(0, std::string(251, 'k')), 3);
        else if (sent == 2) p.deliver("OVER\r", 3);
        ++sent;
    };
    h.ui.queueFile(out);
    const UploadOutcome r = upload(h.link, {"COM1", 0}, false, records);
    EXPECT_EQ((std::vector<std::string>{"NAK\r", "ACK\r"}), terminal.answers);
    EXPECT_EQ(1, r.result);  // 251 data bytes: the longest record that fits 255
    EXPECT_EQ(std::string(251, 'k') + "\r\n", output());
}

TEST_F(Upload, SilentTerminalGetsFourRequestsThenTimeOut) {
    terminal.connectReply = "";
    const UploadOutcome r = run();
    EXPECT_EQ(kUploadNothing, r.result);
    EXPECT_EQ(4, requests());
    EXPECT_EQ(4u * 3001u, h.clock.elapsed());
    EXPECT_EQ((std::vector<std::string>{"Error: Time out!", "Upload Data: No data received!"}),
              h.boxes());
    EXPECT_NE(std::string::npos, h.ui.requests[0].detail.find("COM1 at 115200 bit/s"));
    EXPECT_NE(std::string::npos, h.ui.requests[0].detail.find("upload mode"));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(h.eventsOf(Ev::ProgressOpen).empty());
    EXPECT_EQ(2u, h.eventsOf(Ev::Connecting).size());
}

TEST_F(Upload, CancelWhileConnectingTellsNothingAndWritesNothing) {
    terminal.connectReply = "";
    h.ui.queueCancel({ui::CancelPress::When::Connecting, 0});
    const UploadOutcome r = run();
    EXPECT_EQ(kUploadCancelled, r.result);
    EXPECT_EQ(1, requests());
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(h.port.isOpen());
}

// Cancel at the third record: the three acknowledged are kept and offered;
// the fourth, on the wire, stays with the terminal.
TEST_F(Upload, CancelKeepsEveryRecordTaken) {
    for (int i = 0; i < 6; ++i) terminal.lines.push_back(frame(i, "r" + std::to_string(i)));
    h.ui.queueCancel({ui::CancelPress::When::Progress, 3});
    const UploadOutcome r = run();
    EXPECT_EQ(kUploadCancelled, r.result);
    EXPECT_EQ(3, r.records);
    EXPECT_EQ("r0\r\nr1\r\nr2\r\n", output());
    EXPECT_EQ((std::vector<std::string>(3, "ACK\r")), terminal.answers);
    EXPECT_EQ((std::vector<std::string>{
                  "Upload Data: The transfer did not complete : 3 records received.\nView the received data?"}),
              h.boxes());
    EXPECT_FALSE(h.port.isOpen());
}

TEST_F(Upload, WrongRepliesGetSixRequestsThenNoConnection) {
    struct Case {
        const char* reply;
    };
    for (const char* reply : {"NAK\r", "ack\r", "ACK\n\r", "ACKACKACKACK\r"}) {
        SCOPED_TRACE(reply);
        LinkHarness hh;
        UploadTerminal t;
        t.connectReply = reply;
        t.attach(hh.port);
        hh.ui.queueFile(out);
        EXPECT_EQ(kUploadNothing, upload(hh.link, {"COM1", 0}, false, records).result);
        int n = 0;
        for (const auto& w : hh.port.writes()) n += textOf(w) == "READ\r";
        // The over-long reply never stores its CR: it ends at the time-outs.
        if (std::string(reply).size() > 10) {
            EXPECT_EQ(4, n);
            continue;
        }
        EXPECT_EQ(6, n);
        EXPECT_EQ((std::vector<std::string>{"Error: Failed to establish connection!",
                                            "Upload Data: No data received!"}),
                  hh.boxes());
    }
}

TEST_F(Upload, AckWithoutCarriageReturnIsNotAConnection) {
    terminal.connectReply = "ACK";
    EXPECT_EQ(kUploadNothing, run().result);
    EXPECT_EQ(4, requests());  // each ends at the time-out
    EXPECT_EQ("Error: Time out!", h.boxes().at(0));
}

TEST_F(Upload, OverWithNoRecordMakesNoFile) {
    const UploadOutcome r = run();
    EXPECT_EQ(kUploadNothing, r.result);
    EXPECT_EQ((std::vector<std::string>{"Upload Data: No data received!"}), h.boxes());
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Upload, ATerminalGoingQuietKeepsTheRecordsThatArrived) {
    for (int i = 0; i < 5; ++i) terminal.lines.push_back(frame(i, "r" + std::to_string(i)));
    terminal.over = false;  // quiet after the fifth record
    const UploadOutcome r = run();
    EXPECT_EQ(kUploadTimedOut, r.result);
    EXPECT_EQ(5, r.records);
    // 11 waits of 500 ms in a row, a NAK after each of the first ten.
    EXPECT_EQ(std::vector<std::string>(5, "ACK\r"),
              std::vector<std::string>(terminal.answers.begin(), terminal.answers.begin() + 5));
    EXPECT_EQ(std::vector<std::string>(10, "NAK\r"),
              std::vector<std::string>(terminal.answers.begin() + 5, terminal.answers.end()));
    EXPECT_EQ("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\n", output());
    EXPECT_EQ((std::vector<std::string>{
                  "Error: Time out!",
                  "Upload Data: The transfer did not complete : 5 records received.\n"
                  "View the received data?"}),
              h.boxes());
    EXPECT_EQ(ui::Icon::Warning, h.ui.requests[1].icon);
    EXPECT_TRUE(h.eventsOf(Ev::Launch).empty());  // answered No
    // The box was removed before "Time out!".
    const auto& ev = h.ui.events();
    for (std::size_t i = 0; i < ev.size(); ++i)
        if (ev[i].kind == Ev::Box) {
            EXPECT_EQ(Ev::ProgressClose, ev[i - 1].kind);
            break;
        }
}

TEST_F(Upload, TimeOutsAreFiveHundredMillisecondsAndCountOnlyInARow) {
    terminal.lines = {frame(0, "a")};
    terminal.over = false;
    run();
    const auto writes = h.port.eventsOf(testing::PortEvent::Kind::Write);
    // READ, ACK for the record, then ten NAKs 501 ms apart.
    ASSERT_EQ(12u, writes.size());
    for (std::size_t i = 3; i < writes.size(); ++i) EXPECT_EQ(501u, writes[i].at - writes[i - 1].at);
    EXPECT_EQ(501u, h.clock.time() - writes.back().at);

    // A line between time-outs starts the count again.
    LinkHarness hh;
    int nakCount = 0;
    hh.port.onWrite = [&](FakePort& p, const Bytes& w) {
        const std::string s = textOf(w);
        if (s == "READ\r") p.deliver("ACK\r", 3);
        if (s == "NAK\r" && ++nakCount == 8) p.deliver(frame(0, "late"), 3);
    };
    hh.ui.queueFile(out);
    const UploadOutcome r = upload(hh.link, {"COM1", 0}, false, records);
    EXPECT_EQ(1, r.records);
    EXPECT_EQ(8 + 10, nakCount);
}

TEST_F(Upload, QuietWithNoRecordMakesNoFile) {
    terminal.over = false;
    const UploadOutcome r = run();
    EXPECT_EQ(kUploadTimedOut, r.result);
    EXPECT_EQ((std::vector<std::string>{"Error: Time out!"}), h.boxes());
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Upload, APartialLineIsDroppedAtTheTimeOut) {
    int sent = 0;
    h.port.onWrite = [&](FakePort& p, const Bytes& w) {
        const std::string s = textOf(w);
        if (s == "READ\r") {
            p.deliver("ACK\r", 3);
            p.deliver("\x00ab", 3);  // a line that never ends
        } else if (s == "NAK\r" && sent++ == 0) {
            const Bytes f = frame(0, "ok");
            p.deliver(f, 3);
            p.deliver("OVER\r", 10);
        }
    };
    h.ui.queueFile(out);
    EXPECT_EQ(1, upload(h.link, {"COM1", 0}, false, records).result);
    EXPECT_EQ("ok\r\n", output());
}

TEST_F(Upload, SaveDialogAndItsCancel) {
    h.ui.queueFile(std::nullopt);
    EXPECT_EQ(kUploadNothing, upload(h.link, {"COM1", 0}, false, records).result);
    EXPECT_TRUE(h.port.events.empty());
    EXPECT_TRUE(h.boxes().empty());
    const auto& r = h.ui.fileRequests.at(0);
    EXPECT_EQ(ui::FileDialogRequest::Kind::Save, r.kind);
    ASSERT_EQ(2u, r.filters.size());
    EXPECT_EQ("Data files {*.TXT}", r.filters[0].description);
    EXPECT_EQ("*.TXT", r.filters[0].pattern);
    EXPECT_EQ("All files {*.*}", r.filters[1].description);
    EXPECT_EQ("TXT", r.defaultExtension);
    EXPECT_EQ("", r.initialName);
    EXPECT_EQ(unsigned(ui::kOverwritePrompt | ui::kPathMustExist | ui::kHideReadOnly), r.options);
}

TEST_F(Upload, FileThatCannotBeCreated) {
    h.ui.queueFile((dir / "no" / "such" / "dir.TXT").string());
    EXPECT_EQ(kUploadFileFailed, upload(h.link, {"COM1", 0}, false, records).result);
    EXPECT_EQ((std::vector<std::string>{"Error: File open/create failed!"}), h.boxes());
    EXPECT_EQ(ui::Icon::None, h.ui.requests[0].icon);
    EXPECT_TRUE(h.port.events.empty());
}

TEST_F(Upload, WithoutRecordsAnExistingFileStaysAsItWas) {
    std::ofstream(out) << "old contents";
    h.port.failOpen = true;
    EXPECT_EQ(kUploadPortFailed, run().result);
    EXPECT_EQ((std::vector<std::string>{"Error: Fail to open COM port"}), h.boxes());
    EXPECT_EQ("old contents", output());
    h.port.failOpen = false;
    terminal.over = false;
    EXPECT_EQ(kUploadTimedOut, run().result);
    EXPECT_EQ("old contents", output());
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir), {}));
}

TEST_F(Upload, CradleFailureShowsOnlyItsMessage) {
    h.ui.queueFile(out);
    EXPECT_EQ(kUploadPortFailed, upload(h.link, {"COM1", 0}, true, records).result);
    EXPECT_EQ((std::vector<std::string>{"Error: Can't set IR device!"}), h.boxes());
    EXPECT_FALSE(h.port.isOpen());
}

}  // namespace
}  // namespace appgen::link
