// Lookup download on the fake port: the file, its frames, the end marker.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/download.h"
#include "link/frames.h"
#include "link_harness.h"
#include "platform/lookup_file_reader.h"

namespace appgen::link {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::bytesOf;
using testing::LinkHarness;
using testing::ReplyScript;
using Ev = ui::RecordedEvent::Kind;

const Bytes kHandshake = bytesOf("BRIGAN\r");
const Bytes kOver = bytesOf("OVER\r");

class LookupDownload : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-lookup-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const std::string& content, const std::string& name = "data.TXT") {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    int run(const std::string& path) {
        h.ui.queueFile(path);
        script.attach(h.port);
        return downloadLookup(h.link, {"COM1", 0}, false, platform::openLookupFile);
    }
    // The frames after the handshake.
    std::vector<Bytes> frames() const {
        auto w = h.port.writes();
        return std::vector<Bytes>(w.begin() + 1, w.end());
    }

    fs::path dir;
    LinkHarness h;
    ReplyScript script;
};

TEST_F(LookupDownload, OneFramePerLineThenOver) {
    EXPECT_EQ(kDownloadOk, run(file("AB\r\n\r\nC\r\n")));
    EXPECT_EQ(kHandshake, h.port.writes().at(0));
    EXPECT_EQ((std::vector<Bytes>{{'A', 'B', 0x00, 0x83, 0x0D}, {0x00, 0x00, 0x0D},
                                  {'C', 0x00, 0x43, 0x0D}, kOver}),
              frames());
    EXPECT_EQ((std::vector<std::string>{"Download: Downloaded completely!"}), h.boxes());
}

TEST_F(LookupDownload, LineFeedsAloneEndLinesAsCarriageReturnsDo) {
    EXPECT_EQ(kDownloadOk, run(file("12\n34\n")));
    EXPECT_EQ((std::vector<Bytes>{{'1', '2', 0x00, 0x63, 0x0D}, {'3', '4', 0x00, 0x67, 0x0D}, kOver}),
              frames());
}

// A filter may send converted lines in place of the file, or stop before the port opens.
TEST_F(LookupDownload, AFilterSendsItsLinesOrStops) {
    const std::string path = file("not sent\r\n", "data.csv");
    h.ui.queueFile(path);
    script.attach(h.port);
    auto lines = [](const std::string&) {
        return LookupFileUse{LookupFileUse::Action::SendLines, {"AB", ""}};
    };
    EXPECT_EQ(kDownloadOk, downloadLookup(h.link, {"COM1", 0}, false, platform::openLookupFile, lines));
    EXPECT_EQ((std::vector<Bytes>{{'A', 'B', 0x00, 0x83, 0x0D}, {0x00, 0x00, 0x0D}, kOver}), frames());

    LinkHarness converted;
    converted.ui.queueFile(path);
    ReplyScript acks;
    acks.attach(converted.port);
    auto bytes = [](const std::string&) {
        return LookupFileUse{LookupFileUse::Action::SendBytes, {}, "AB\r\n\r\n"};
    };
    EXPECT_EQ(kDownloadOk, downloadLookup(converted.link, {"COM1", 0}, false, platform::openLookupFile, bytes));
    const auto w = converted.port.writes();
    EXPECT_EQ(frames(), std::vector<Bytes>(w.begin() + 1, w.end())) << "bytes go as a file of them";

    LinkHarness stopped;
    stopped.ui.queueFile(path);
    auto stop = [](const std::string&) { return LookupFileUse{LookupFileUse::Action::Stop, {}}; };
    EXPECT_EQ(kDownloadFailed, downloadLookup(stopped.link, {"COM1", 0}, false, platform::openLookupFile, stop));
    EXPECT_TRUE(stopped.port.writes().empty());
}

TEST_F(LookupDownload, AnEmptyFileSendsOnlyOver) {
    EXPECT_EQ(kDownloadOk, run(file("")));
    EXPECT_EQ((std::vector<Bytes>{kOver}), frames());
}

TEST_F(LookupDownload, LastLineWithoutCarriageReturnIsSent) {
    EXPECT_EQ(kDownloadOk, run(file("A\rB")));
    EXPECT_EQ((std::vector<Bytes>{{'A', 0, 'A', 0x0D}, {'B', 0, 'B', 0x0D}, kOver}), frames());
}

TEST_F(LookupDownload, ProgressFollowsThePiecesRead) {
    std::string content;
    for (int i = 0; i < 10; ++i) content += std::string(38, 'a' + i) + "\r\n";  // 400 bytes
    run(file(content));
    std::vector<int> values;
    for (const auto& e : h.eventsOf(Ev::ProgressSet)) values.push_back(e.value);
    // Pieces of 128, 128, 128, 16 bytes, then the bar is put at 100.
    EXPECT_EQ((std::vector<int>{32, 64, 96, 100, 100}), values);
    EXPECT_EQ(11u, frames().size());
}

TEST_F(LookupDownload, FileDialogAsksForLookupFilesAndRemembersTheName) {
    const std::string path = file("x\r\n");
    run(path);
    h.ui.queueFile(std::nullopt);
    EXPECT_EQ(kDownloadFailed, downloadLookup(h.link, {"COM1", 0}, false, platform::openLookupFile));
    ASSERT_EQ(2u, h.ui.fileRequests.size());
    const auto& r = h.ui.fileRequests[0];
    EXPECT_EQ(ui::FileDialogRequest::Kind::Open, r.kind);
    ASSERT_EQ(3u, r.filters.size());
    EXPECT_EQ("Lookup data files {*.TXT}", r.filters[0].description);
    EXPECT_EQ("*.TXT", r.filters[0].pattern);
    EXPECT_EQ("All files {*.*}", r.filters[1].description);
    EXPECT_EQ("*.*", r.filters[1].pattern);
    EXPECT_EQ("*.csv", r.filters[2].pattern);
    EXPECT_EQ(0, r.filterIndex);
    EXPECT_EQ("TXT", r.defaultExtension);
    EXPECT_EQ("", r.initialName);
    EXPECT_EQ(unsigned(ui::kFileMustExist | ui::kHideReadOnly), r.options);
    EXPECT_EQ(path, h.ui.fileRequests[1].initialName);
}

TEST_F(LookupDownload, CancelledDialogStartsNothing) {
    h.ui.queueFile(std::nullopt);
    EXPECT_EQ(kDownloadFailed, downloadLookup(h.link, {"COM1", 0}, false, platform::openLookupFile));
    EXPECT_TRUE(h.port.events.empty());
    EXPECT_TRUE(h.boxes().empty());
}

TEST_F(LookupDownload, AFileThatCannotBeOpenedIsToldWithoutOwner) {
    EXPECT_EQ(kDownloadFailed, run((dir / "missing.TXT").string()));
    EXPECT_EQ((std::vector<std::string>{"Error: Can't open the file!"}), h.boxes());
    EXPECT_FALSE(h.ui.requests.at(0).hasOwner);
    EXPECT_EQ(ui::Icon::Warning, h.ui.requests.at(0).icon);
    EXPECT_TRUE(h.port.events.empty());
}

TEST_F(LookupDownload, ALineTooLongForAFrameRefusesTheFileBeforeAnythingIsSent) {
    const std::string fits(253, 'f');
    EXPECT_EQ(kDownloadFailed, run(file(fits + "\r\n" + fits + "\r\n" + std::string(254, 'x') + "\r\n")));
    EXPECT_TRUE(h.port.events.empty());  // the port was not even opened
    ASSERT_EQ(1u, h.boxes().size());
    EXPECT_EQ("Error: Line 3 of the file is longer than 253 characters; nothing was sent.",
              h.boxes()[0]);
}

TEST_F(LookupDownload, ALineOf253BytesFillsTheFrame) {
    const std::string fits(253, 'f');
    EXPECT_EQ(kDownloadOk, run(file(fits + "\r\n")));
    EXPECT_EQ(256u, frames().at(0).size());
}

TEST_F(LookupDownload, RetryAfterAFailedLineStartsAgainFromTheFirstLine) {
    std::string content;
    for (int i = 1; i <= 45; ++i) content += "line " + std::to_string(i) + "\r\n";
    // Handshake and lines 1..39 taken, line 40 refused four times.
    script.replies.assign(40, std::string("ACK\r"));
    script.replies.insert(script.replies.end(), 4, std::string("NAK\r"));
    h.ui.queueAnswer(ui::Answer::Yes);
    EXPECT_EQ(kDownloadOk, run(file(content)));
    const auto w = h.port.writes();
    ASSERT_EQ(1u + 39u + 4u + 1u + 45u + 1u, w.size());
    EXPECT_EQ(kHandshake, w[44]);
    EXPECT_EQ(w[1], w[45]);  // line 1 again
    EXPECT_EQ(kOver, w.back());
}

TEST_F(LookupDownload, RetryAfterAnUnacknowledgedOverSendsTheWholeFileAgain) {
    // The terminal begins afresh at every handshake; a retry that sent only
    // "OVER" would leave it with an empty table.
    script.replies = {"ACK\r", "ACK\r", "ACK\r", "NAK\r", "NAK\r", "NAK\r", "NAK\r"};
    h.ui.queueAnswer(ui::Answer::Yes);
    EXPECT_EQ(kDownloadOk, run(file("a\r\nb\r\n")));
    const auto w = h.port.writes();
    ASSERT_EQ(1u + 2u + 4u + 1u + 2u + 1u, w.size());
    EXPECT_EQ(kHandshake, w[7]);
    EXPECT_EQ(w[1], w[8]);
}

TEST_F(LookupDownload, NoClosesTheFileAndThePortAndShowsNothingMore) {
    script.otherwise = std::string("NAK\r");
    const std::string path = file("a\r\n");
    EXPECT_EQ(kDownloadFailed, run(path));
    EXPECT_FALSE(h.port.isOpen());
    EXPECT_EQ(2u, h.boxes().size());
    // The file is no longer held: it can be removed and written again.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "b";
    EXPECT_TRUE(fs::remove(path));
}

TEST_F(LookupDownload, AFileThatShrinksEndsTheTransferAtItsEnd) {
    std::string content;
    for (int i = 0; i < 2000; ++i) content += "record " + std::to_string(i) + "\r\n";
    const std::string path = file(content);
    script.attach(h.port);
    const auto answer = h.port.onWrite;
    h.port.onWrite = [&, answer](testing::FakePort& p, const Bytes& b) {
        if (h.port.writes().size() == 2) fs::resize_file(path, 100);
        answer(p, b);
    };
    h.ui.queueFile(path);
    EXPECT_EQ(kDownloadOk, downloadLookup(h.link, {"COM1", 0}, false, platform::openLookupFile));
    EXPECT_EQ(kOver, h.port.writes().back());
    EXPECT_LT(h.port.writes().size(), 2000u);
}

TEST_F(LookupDownload, CancelSendsNoFurtherLineAndNoEnd) {
    std::string content;
    for (int i = 0; i < 100; ++i) content += "record " + std::to_string(i) + "\r\n";
    h.ui.queueCancel({ui::CancelPress::When::Progress, 1});
    EXPECT_EQ(kDownloadFailed, run(file(content)));
    // The lines of the first 128-byte piece went out; then it stopped.
    EXPECT_EQ(12u, frames().size());
    EXPECT_NE(kOver, h.port.writes().back());
    EXPECT_TRUE(h.boxes().empty());
    EXPECT_FALSE(h.port.isOpen());
}

TEST_F(LookupDownload, PortFailureClosesTheFile) {
    h.port.failOpen = true;
    const std::string path = file("a\r\n");
    EXPECT_EQ(kDownloadPortFailed, run(path));
    EXPECT_EQ((std::vector<std::string>{"Error: Can't open the COM port!"}), h.boxes());
    EXPECT_TRUE(fs::remove(path));
}

// Reads as a file would until the transfer's pass (after the check) reaches
// `failAt`, then fails as a disk does.
class FailingLookupFile : public LookupFile {
public:
    FailingLookupFile(std::string content, std::size_t failAt) : content_(std::move(content)), failAt_(failAt) {}
    bool isOpen() const override { return true; }
    std::string error() const override { return "Input/output error"; }
    long long rewind() override {
        ++passes_;
        at_ = 0;
        return static_cast<long long>(content_.size());
    }
    long long read(char* piece, std::size_t n) override {
        const std::size_t end = passes_ > 1 ? failAt_ : content_.size();
        if (at_ >= end) return passes_ > 1 ? -1 : 0;
        n = std::min(n, end - at_);
        content_.copy(piece, n, at_);
        at_ += n;
        return static_cast<long long>(n);
    }
    void close() override {}

private:
    std::string content_;
    std::size_t failAt_;
    std::size_t at_ = 0;
    int passes_ = 0;
};

TEST_F(LookupDownload, AReadErrorMidwayFailsTheTransferWithoutAnEnd) {
    h.ui.queueFile("data.TXT");
    script.attach(h.port);
    const auto failing = [](const std::string&) {
        return std::make_unique<FailingLookupFile>("one\r\ntwo\r\nthree\r\n", 5);
    };
    EXPECT_EQ(kDownloadFailed, downloadLookup(h.link, {"COM1", 0}, false, failing));
    EXPECT_EQ((std::vector<Bytes>{{'o', 'n', 'e', 0x01, 0x42, 0x0D}}), frames());
    EXPECT_EQ((std::vector<std::string>{"Error: Can't read the file!",
                                        "Error: Failed to download, would you like to retry?"}),
              h.boxes());
    EXPECT_EQ("data.TXT: Input/output error", h.ui.requests[0].detail);
    EXPECT_FALSE(h.port.isOpen());
}

}  // namespace
}  // namespace appgen::link
