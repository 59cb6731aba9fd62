// Faults on the fake line and in the record file: a file that takes no more
// records, a port that hangs up or is stopped, a killed upload's leftovers.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "link/download.h"
#include "link/frames.h"
#include "link/upload.h"
#include "link_harness.h"
#include "platform/record_file.h"

namespace appgen::link {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::FakePort;
using testing::LinkHarness;
using testing::textOf;

Bytes frame(int seq, const std::string& data) {
    Bytes f{static_cast<std::uint8_t>(seq)};
    f.insert(f.end(), data.begin(), data.end());
    const std::uint16_t sum = byteSum(f);
    f.push_back(notCr(static_cast<std::uint8_t>(sum & 0xFF)));
    f.push_back(notCr(static_cast<std::uint8_t>(sum >> 8)));
    f.push_back(kCr);
    return f;
}

// Keeps the lines in memory, with the number of ACKs already written when
// each arrived; refuses the line with index failAt.
struct MemoryRecords : RecordOutput {
    explicit MemoryRecords(FakePort& port) : port(port) {}
    OutputStatus begin(const std::string&) override { return {}; }
    std::string leftover() const override { return {}; }
    OutputStatus append(std::span<const std::uint8_t> line) override {
        if (static_cast<int>(lines.size()) == failAt) return {false, "No space left on device"};
        lines.emplace_back(line.begin(), line.end());
        int acks = 0;
        for (const auto& w : port.writes()) acks += textOf(w) == "ACK\r";
        acksBefore.push_back(acks);
        return {};
    }
    OutputStatus finish() override {
        ++finished;
        return {};
    }
    std::string location() const override { return "out.TXT"; }

    FakePort& port;
    std::vector<std::string> lines;
    std::vector<int> acksBefore;
    int failAt = -1;
    int finished = 0;
};

// Sends records 0.. one after each ACK; `onRecord(n)` runs before record n goes out.
struct Terminal {
    std::function<void(FakePort&, int)> onRecord = [](FakePort&, int) {};
    int sent = 0;
    void attach(FakePort& port) {
        port.onWrite = [this](FakePort& p, const Bytes& w) {
            const std::string s = textOf(w);
            if (s == "READ\r") p.deliver("ACK\r", 2);
            if (s != "READ\r" && s != "ACK\r") return;
            onRecord(p, sent);
            if (p.status() == LineStatus::Up) p.deliver(frame(sent % 10, "r" + std::to_string(sent)), 2);
            ++sent;
        };
    }
};

TEST(UploadFaults, EveryRecordIsStoredBeforeItsAnswer) {
    LinkHarness h;
    MemoryRecords out(h.port);
    out.failAt = 2;
    Terminal t;
    t.attach(h.port);
    h.ui.queueFile("out.TXT");
    const UploadOutcome r = upload(h.link, {"COM1", 0}, false, out);
    EXPECT_EQ(kUploadWriteFailed, r.result);
    EXPECT_EQ(2, r.records);
    EXPECT_EQ((std::vector<int>{0, 1}), out.acksBefore);
    int acks = 0;
    for (const auto& w : h.port.writes()) acks += textOf(w) == "ACK\r";
    EXPECT_EQ(2, acks);  // the record the file refused was not acknowledged
    EXPECT_EQ(1, out.finished);
    ASSERT_GE(h.ui.requests.size(), 2u);
    EXPECT_EQ("Can't write the file!", h.ui.requests[0].text);
    EXPECT_EQ("out.TXT: No space left on device\n2 records were kept; the terminal keeps the rest.",
              h.ui.requests[0].detail);
    EXPECT_EQ("The transfer did not complete : 2 records received.\nView the received data?",
              h.ui.requests[1].text);
}

TEST(UploadFaults, ALineThatGoesDownEndsTheUploadAtOnceKeepingTheRecords) {
    struct Case {
        LineStatus how;
        int at;  // records sent before
        int result;
        std::string told;
    } cases[] = {
        {LineStatus::Lost, 0, kUploadLineDown, "Error: The connection to the terminal was lost."},
        {LineStatus::Lost, 3, kUploadLineDown, "Error: The connection to the terminal was lost."},
        {LineStatus::Stopped, 0, kUploadStopped, "Upload Data: The transfer was stopped."},
        {LineStatus::Stopped, 3, kUploadStopped,
         "Upload Data: The transfer was stopped.\n3 records were kept in\nout.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told + " after " + std::to_string(c.at));
        LinkHarness h;
        MemoryRecords out(h.port);
        Terminal t;
        t.onRecord = [&](FakePort& p, int n) {
            if (n == c.at) p.goDown(c.how);
        };
        t.attach(h.port);
        h.ui.queueFile("out.TXT");
        const UploadOutcome r = upload(h.link, {"COM1", 0}, false, out);
        EXPECT_EQ(c.result, r.result);
        EXPECT_EQ(c.at, r.records);
        EXPECT_EQ(static_cast<std::size_t>(c.at), out.lines.size());
        EXPECT_EQ(1, out.finished);
        EXPECT_LE(h.port.readsWhileDown, 1);  // noticed, not polled
        EXPECT_EQ(c.told, h.boxes().at(0));
        EXPECT_FALSE(h.port.isOpen());
    }
}

TEST(DownloadFaults, ALostLineIsToldAndARetryOpensThePortAfresh) {
    LinkHarness h;
    int blocks = 0;
    bool hungUp = false;
    h.port.onWrite = [&](FakePort& p, const Bytes& w) {
        if (w.size() == 103 && ++blocks == 5 && !hungUp) {
            hungUp = true;
            p.goDown(LineStatus::Lost, "/dev/ttyUSB0: the line hung up");
            return;
        }
        p.deliver("ACK\r", 2);
    };
    h.ui.queueAnswer(ui::Answer::Yes);
    const auto image = [] { return Bytes(kImageBytes, 0x11); };
    EXPECT_EQ(kDownloadOk, downloadProgram(h.link, {"COM1", 0}, false, image));
    EXPECT_EQ((std::vector<std::string>{"Error: The connection to the terminal was lost.",
                                        "Error: Failed to download, would you like to retry?",
                                        "Download: Downloaded completely!"}),
              h.boxes());
    EXPECT_EQ("/dev/ttyUSB0: the line hung up", h.ui.requests[0].detail);
    EXPECT_EQ(2u, h.port.eventsOf(testing::PortEvent::Kind::Open).size());
    EXPECT_LE(h.port.readsWhileDown, 1);
}

TEST(DownloadFaults, AStopAsksNothingMore) {
    LinkHarness h;
    h.port.onWrite = [](FakePort& p, const Bytes&) { p.goDown(LineStatus::Stopped); };
    h.ui.queueAnswer(ui::Answer::Yes);
    const auto image = [] { return Bytes(kImageBytes, 0x11); };
    EXPECT_EQ(kDownloadFailed, downloadProgram(h.link, {"COM1", 0}, false, image));
    EXPECT_EQ((std::vector<std::string>{"Error: The transfer was stopped."}), h.boxes());
    EXPECT_FALSE(h.port.isOpen());
}

// A port whose output is held (a stuck adapter) ends the attempt with a word
// once a write's time-outs pass, rather than waiting for answers to bytes
// that never left.
TEST(PortFaults, HeldOutputEndsTheAttemptAndIsTold) {
    const std::string held = "Error: The COM port did not send the data in time.";
    {
        LinkHarness h;
        h.port.holdOutput = true;
        const auto image = [] { return Bytes(kImageBytes, 0x11); };
        EXPECT_EQ(kDownloadFailed, downloadProgram(h.link, {"COM1", 0}, false, image));
        EXPECT_EQ((std::vector<std::string>{held, "Error: Failed to download, would you like to retry?"}),
                  h.boxes());
        EXPECT_EQ(0u, h.ui.requests[0].detail.find("COM1, 115200 bit/s: 0 of 7 bytes went out within 85 ms."));
        EXPECT_EQ(1u, h.port.writes().size());
        EXPECT_EQ(85u, h.clock.elapsed());
    }
    {
        LinkHarness h;
        MemoryRecords out(h.port);
        Terminal t;
        t.onRecord = [](FakePort& p, int n) { p.holdOutput = n == 2; };
        t.attach(h.port);
        h.ui.queueFile("out.TXT");
        const UploadOutcome r = upload(h.link, {"COM1", 0}, false, out);
        EXPECT_EQ(kUploadPortHeld, r.result);
        EXPECT_EQ(3, r.records);  // the third was stored before its answer was held
        EXPECT_EQ(held, h.boxes().at(0));
        EXPECT_EQ(1, out.finished);
        EXPECT_FALSE(h.port.isOpen());
    }
}

class RecordFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-records-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        out = (dir / "data.TXT").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string slurp(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static OutputStatus add(RecordOutput& f, const std::string& line) {
        return f.append(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
    }
    fs::path dir;
    std::string out;
};

TEST_F(RecordFile, AFailedWriteLeavesOnlyWholeLinesWhichFinishPutsInPlace) {
    std::ofstream(out) << "old";
    fs::permissions(out, fs::perms(0600));
    platform::FileOps ops = platform::systemFileOps();
    int writes = 0;
    ops.write = [&, real = ops.write](platform::FileHandle fd, const char* d, std::size_t n, std::size_t& w) {
        if (++writes < 3) return real(fd, d, n, w);
        [[maybe_unused]] const int half = real(fd, d, n / 2, w);  // midway, then full
        return ENOSPC;
    };
    platform::RecordFile f(ops);
    ASSERT_TRUE(f.begin(out).ok);
    EXPECT_EQ("old", slurp(out));  // nothing made before the first record
    ASSERT_TRUE(add(f, "a\r\n").ok);
    EXPECT_EQ(out + ".partial", f.location());
    ASSERT_TRUE(add(f, "b\r\n").ok);
    const OutputStatus failed = add(f, "cccccc\r\n");
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ("No space left on device", failed.reason);
    EXPECT_EQ("a\r\nb\r\n", slurp(out + ".partial"));
    ASSERT_TRUE(f.finish().ok);
    EXPECT_EQ("a\r\nb\r\n", slurp(out));
    EXPECT_EQ(fs::perms(0600), fs::status(out).permissions() & fs::perms::mask);
    EXPECT_FALSE(fs::exists(out + ".partial"));
}

// The system's own reason, never another: a folder on a read-only file
// system is not "Permission denied"; a sync that fails loses the record.
TEST_F(RecordFile, FailuresAreToldInTheSystemsOwnWords) {
    platform::FileOps ops = platform::systemFileOps();
    ops.probeFolder = [](const std::string&, const std::string&) { return EROFS; };
    platform::RecordFile readOnly(ops);
    EXPECT_EQ("Read-only file system", readOnly.begin(out).reason);

    ops = platform::systemFileOps();
    ops.sync = [](platform::FileHandle) { return EIO; };
    platform::RecordFile unsynced(ops);
    ASSERT_TRUE(unsynced.begin(out).ok);
    EXPECT_EQ("Input/output error", add(unsynced, "a\r\n").reason);
    EXPECT_EQ("", slurp(out + ".partial"));  // not acknowledged, so not kept
}

TEST_F(RecordFile, AKilledUploadsRecordsAreNamedAndNeverOverwritten) {
    std::ofstream(out + ".partial") << "kept\r\n";
    platform::RecordFile f;
    ASSERT_TRUE(f.begin(out).ok);
    EXPECT_EQ(out + ".partial", f.leftover());
    ASSERT_TRUE(add(f, "new\r\n").ok);
    EXPECT_EQ(out + ".partial2", f.location());
    ASSERT_TRUE(f.finish().ok);
    EXPECT_EQ("new\r\n", slurp(out));
    EXPECT_EQ("kept\r\n", slurp(out + ".partial"));

    // Told in the upload's own words.
    LinkHarness h;
    h.port.failOpen = true;
    h.ui.queueFile(out);
    upload(h.link, {"COM1", 0}, false, f);
    EXPECT_EQ("Upload Data: Records of an earlier upload that did not end are kept in\n" + out +
                  ".partial",
              h.boxes().at(0));
}

}  // namespace
}  // namespace appgen::link
