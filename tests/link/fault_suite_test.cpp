// appgen-cli under faults, end to end over a pseudo-terminal: a line that
// hangs up, a terminal switched off, garbage, half frames, a full disk, a
// file-size limit, Ctrl-C, SIGTERM and kill -9. Each scenario checks the
// exit status, what the operator is told, the bytes on the wire, and that
// every record the PC acknowledged is in the file.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "processes.h"

namespace appgen::e2e {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kQuick = {"--test-timeouts", "500,150"};
const std::vector<std::string> kPatient = {"--test-timeouts", "60000,60000"};
const char* const kLost = "Error: The connection to the terminal was lost.";

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool has(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

int countOf(const std::string& s, const std::string& part) {
    int n = 0;
    for (auto at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
    return n;
}

class FaultSuite : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-faults-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream r(at("records.txt"), std::ios::binary);
        for (int i = 0; i < kRecords; ++i) r << record(i) << "\n";
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string at(const std::string& n) const { return (dir / n).string(); }
    static std::string record(int i) { return "4600" + std::to_string(1000 + i) + ";" + std::string(120, 'q'); }

    // The records the emulator saw acknowledged, as the file must hold them.
    std::string acknowledged() const {
        std::istringstream log(slurp(at("log")));
        std::string line, file;
        while (std::getline(log, line)) {
            int index = -1;
            const auto p = line.find(" record ");
            if (p != std::string::npos && line.find(" taken, seq ") != std::string::npos &&
                std::sscanf(line.c_str() + p, " record %d", &index) == 1)
                file += record(index) + "\r\n";
        }
        return file;
    }

    static constexpr int kRecords = 8;
    fs::path dir;
};

TEST_F(FaultSuite, Uploads) {
    struct Case {
        const char* what;
        std::vector<std::string> emulator;
        int status;
        std::vector<std::string> told;
        int kept;           // records in the file; -1: the file is not there
        std::string out = "out.TXT";
    };
    const Case cases[] = {
        {"all records", {}, 0, {"Upload Data: Done : 8 records received."}, 8},
        {"hang-up before any record", {"--hang-up-after", "0"}, 1, {kLost}, -1},
        {"hang-up after three records", {"--hang-up-after", "3"}, 1,
         {kLost, "The transfer did not complete : 3 records received."}, 3},
        {"terminal switched off after five", {"--exit-after", "5"}, 1,
         {kLost, "The transfer did not complete : 5 records received."}, 5},
        {"quiet after two", {"--stall-after", "2"}, 1, {"Error: Time out!"}, 2},
        {"garbage before record two", {"--flood-at", "2:3000"}, 0, {"Done : 8 records"}, 8},
        {"half a frame of record four", {"--half-frame-at", "4"}, 0, {"Done : 8 records"}, 8},
        {"a wrong checksum, a repeat and a long line",
         {"--corrupt", "1", "--repeat", "2", "--long-line", "3"}, 0, {"Done : 8 records"}, 8},
        {"silent terminal", {"--silent"}, 1, {"Error: Time out!", "Upload Data: No data received!"}, -1},
        {"a wrong answer to READ", {"--handshake-reply", "NAK\\r"}, 1,
         {"Error: Failed to establish connection!"}, -1},
        {"a full disk", {}, 1,
         {"Error: Can't write the file!", "/dev/full: No space left on device",
          "0 records were kept; the terminal keeps the rest."},
         -1, "/dev/full"},
        {"a folder that does not exist", {}, 1, {"Error: File open/create failed!"}, -1, "no/out.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(at("out.TXT"));
        const std::string out = c.out[0] == '/' ? c.out : at(c.out);
        std::vector<std::string> em = {"--mode", "upload", "--records", at("records.txt"),
                                       "--log", at("log"), "--capture", at("wire")};
        EmulatorProcess terminal(join(em, c.emulator));
        ASSERT_TRUE(terminal.started());
        const Finished r = runCli(join({"upload", out, "--port", terminal.slave()}, kQuick));
        EXPECT_EQ(c.status, r.status) << r.output;
        for (const auto& t : c.told) EXPECT_TRUE(has(r.output, t)) << t << "\n" << r.output;

        const std::string wire = slurp(at("wire"));
        const std::string acked = acknowledged();
        EXPECT_EQ(countOf(acked, "\r\n") + countOf(slurp(at("log")), "repeated, answered ACK"),
                  countOf(wire, "ACK\r"));
        if (c.out[0] != 'n') EXPECT_EQ(0u, wire.rfind("READ\r", 0)) << wire;
        else EXPECT_EQ("", wire);  // refused before the port opened
        if (c.kept < 0) {
            EXPECT_FALSE(fs::exists(at("out.TXT")));
        } else {
            EXPECT_EQ(acked, slurp(out));
            EXPECT_EQ(c.kept, countOf(slurp(out), "\r\n"));
        }
        EXPECT_FALSE(fs::exists(at("out.TXT.partial")));
    }
}

TEST_F(FaultSuite, AFileSizeLimitKeepsTheRecordsWrittenAndNoHalfLine) {
    EmulatorProcess terminal({"--mode", "upload", "--records", at("records.txt"), "--log", at("log")});
    // A limit of one block (512 or 1024 bytes) takes a few 131-byte lines and part of the next.
    const std::string cli = binary("appgen-cli");
    const Finished r = runProgram({"/bin/sh", "-c",
                                   "ulimit -f 1 && exec \"$0\" upload \"$1\" --port \"$2\" "
                                   "--test-timeouts 500,150",
                                   cli, at("out.TXT"), terminal.slave()});
    EXPECT_EQ(1, r.status) << r.output;
    EXPECT_TRUE(has(r.output, "File too large")) << r.output;
    EXPECT_EQ(acknowledged(), slurp(at("out.TXT")));
    EXPECT_EQ(0u, slurp(at("out.TXT")).size() % (record(0).size() + 2));
}

TEST_F(FaultSuite, AnExistingOutputStaysWhenNothingComesAndFollowsItsLink) {
    std::ofstream(at("real.TXT")) << "yesterday\r\n";
    fs::create_symlink("real.TXT", at("link.TXT"));
    {
        EmulatorProcess silent({"--mode", "upload", "--silent"});
        const Finished r = runCli(join({"upload", at("link.TXT"), "--port", silent.slave()}, kQuick));
        EXPECT_EQ(1, r.status);
        EXPECT_EQ("yesterday\r\n", slurp(at("real.TXT")));
    }
    EmulatorProcess terminal({"--mode", "upload", "--records", at("records.txt"), "--log", at("log")});
    const Finished r = runCli(join({"upload", at("link.TXT"), "--port", terminal.slave()}, kQuick));
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_TRUE(fs::is_symlink(at("link.TXT")));
    EXPECT_EQ(acknowledged(), slurp(at("real.TXT")));
}

// A read-only file system is told as the system tells it, for a new output
// and for one already there, before any port opens. Made in a mount
// namespace of its own, which works for root and others alike where
// unprivileged user namespaces are allowed.
TEST_F(FaultSuite, AReadOnlyFileSystemIsToldByItsOwnName) {
    const char* const unshare = "/usr/bin/unshare";
    if (access(unshare, X_OK) != 0) GTEST_SKIP() << "no " << unshare << ": no read-only mount can be made";
    fs::create_directories(at("ro"));
    const char* const script =
        "mount -t tmpfs none \"$0\" && echo yesterday > \"$0/old.TXT\" && mount -o remount,ro \"$0\" "
        "|| exit 99; exec \"$1\" upload \"$0/$2\" --port \"$3\"";
    for (const char* name : {"new.TXT", "old.TXT"}) {
        SCOPED_TRACE(name);
        const Finished r = runProgram(
            {unshare, "-rm", "/bin/sh", "-c", script, at("ro"), binary("appgen-cli"), name, at("no-port")});
        if (r.status == 99 || r.status == 127 || has(r.output, "unshare:"))
            GTEST_SKIP() << "no read-only mount can be made here: " << r.output;
        EXPECT_EQ(1, r.status) << r.output;
        EXPECT_TRUE(has(r.output, "File open/create failed!")) << r.output;
        EXPECT_TRUE(has(r.output, "Read-only file system")) << r.output;
        EXPECT_FALSE(has(r.output, "Permission denied")) << r.output;
        EXPECT_FALSE(has(r.output, "no-port")) << r.output;  // refused before the port
    }
}

// A signal while the terminal is quiet after three records.
TEST_F(FaultSuite, SignalsDuringAnUpload) {
    struct Case {
        int sig;
        int status;
    } cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGKILL, 137}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sig);
        fs::remove(at("out.TXT"));
        fs::remove(at("out.TXT.partial"));
        LogFeed log(at("log"));
        EmulatorProcess terminal({"--mode", "upload", "--records", at("records.txt"), "--log",
                                  at("log"), "--stall-after", "3", "--capture", at("wire")});
        RunningCli cli({"upload", at("out.TXT"), "--port", terminal.slave()});
        ASSERT_TRUE(log.waitFor("stall after 3 units"));
        cli.signal(c.sig);
        const Finished r = cli.finish();
        EXPECT_EQ(c.status, r.status) << r.output;
        EXPECT_EQ(3, countOf(slurp(at("wire")), "ACK\r"));
        std::string expected;
        for (int i = 0; i < 3; ++i) expected += record(i) + "\r\n";
        if (c.sig == SIGKILL) {
            // In the partial file, which the next upload names.
            EXPECT_EQ(expected, slurp(at("out.TXT.partial")));
            const Finished next = runCli({"upload", at("out.TXT"), "--port", at("none")});
            EXPECT_TRUE(has(next.output, "kept in\n" + at("out.TXT.partial"))) << next.output;
        } else {
            EXPECT_TRUE(has(r.output, "Upload Data: The transfer was stopped.\n3 records were kept in\n" +
                                          at("out.TXT")))
                << r.output;
            EXPECT_EQ(expected, slurp(at("out.TXT")));
            EXPECT_FALSE(fs::exists(at("out.TXT.partial")));
            // The port was released: a new run opens it.
            const Finished again = runCli(join({"upload", at("again.TXT"), "--port", terminal.slave()}, kQuick));
            EXPECT_FALSE(has(again.output, "cannot open port")) << again.output;
        }
    }
}

TEST_F(FaultSuite, TwoProgramsNeverShareAPort) {
    LogFeed log(at("log"));
    EmulatorProcess terminal({"--mode", "upload", "--records", at("records.txt"), "--log", at("log"),
                              "--stall-after", "1"});
    RunningCli first({"upload", at("out.TXT"), "--port", terminal.slave()});
    ASSERT_TRUE(log.waitFor("stall after 1 units"));
    const Finished second = runCli({"upload", at("other.TXT"), "--port", terminal.slave()});
    EXPECT_EQ(1, second.status);
    EXPECT_TRUE(has(second.output, "Error: Fail to open COM port")) << second.output;
    EXPECT_TRUE(has(second.output, "Another program has the port open")) << second.output;
    first.signal(SIGINT);
    EXPECT_EQ(130, first.finish().status);
}

TEST_F(FaultSuite, Downloads) {
    const std::string p = at("p.TGP");
    ASSERT_EQ(0, runCli({"new", p}).status);
    struct Case {
        const char* what;
        std::vector<std::string> emulator;
        std::vector<std::string> cli;
        int status;
        std::vector<std::string> told;
        bool complete;
    };
    const Case cases[] = {
        {"hang-up after fifty blocks", {"--hang-up-after", "50"}, {}, 1,
         {kLost, "Error: Failed to download, would you like to retry?\n  -> No"}, false},
        {"hang-up, and the port gone at the retry", {"--hang-up-after", "50"}, {"--retries", "1"}, 1,
         {kLost, "  -> Yes", "Error: Can't open the COM port!"}, false},
        {"terminal switched off", {"--exit-after", "10"}, {}, 1, {kLost}, false},
        {"hang-up before the first block", {"--hang-up-after", "0"}, {}, 1, {kLost}, false},
        {"half a reply", {"--half-frame-at", "3"}, {}, 0, {"Download: Downloaded completely!"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(at("got.img"));
        EmulatorProcess terminal(join({"--image-out", at("got.img"), "--capture", at("wire")}, c.emulator));
        // A lost line waits against time-outs of a minute: ending within the
        // generous bound below means it did not wait one out.
        const auto& timeouts = c.complete ? kQuick : kPatient;
        const auto started = std::chrono::steady_clock::now();
        const Finished r = runCli(join(join({"download", p, "--port", terminal.slave()}, timeouts), c.cli));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_EQ(c.status, r.status) << r.output;
        for (const auto& t : c.told) EXPECT_TRUE(has(r.output, t)) << t << "\n" << r.output;
        EXPECT_EQ(0u, slurp(at("wire")).rfind("BRIGAN\r", 0));
        EXPECT_EQ(c.complete, fs::exists(at("got.img")));
        if (!c.complete) {
            EXPECT_LT(seconds, 30.0);  // a lost line ends the attempt, no waiting out
        }
    }
}

TEST_F(FaultSuite, CtrlCDuringADownloadReleasesThePort) {
    const std::string p = at("p.TGP");
    ASSERT_EQ(0, runCli({"new", p}).status);
    LogFeed log(at("log"));
    EmulatorProcess terminal({"--stall-after", "5", "--log", at("log"), "--image-out", at("got.img")});
    RunningCli cli({"download", p, "--port", terminal.slave(), "--retries", "3"});
    ASSERT_TRUE(log.waitFor("stall after 5 units"));
    cli.signal(SIGINT);
    const Finished r = cli.finish();
    EXPECT_EQ(130, r.status) << r.output;
    EXPECT_TRUE(has(r.output, "Error: The transfer was stopped.")) << r.output;
    EXPECT_FALSE(has(r.output, "would you like to retry")) << r.output;
    const Finished again = runCli({"download", p, "--port", terminal.slave()});
    EXPECT_EQ(0, again.status) << again.output;
    EXPECT_TRUE(fs::exists(at("got.img")));
}

TEST_F(FaultSuite, Lookups) {
    std::ofstream(at("crlf.TXT"), std::ios::binary) << "a;1\r\nb;2\r\n\r\nc;3\r\n";
    std::ofstream(at("lf.TXT"), std::ios::binary) << "a;1\nb;2\n\nc;3\n";
    fs::create_directories(at("folder.TXT"));
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> emulator;
        int status;
        std::vector<std::string> told;
        bool sent;  // anything on the wire
    };
    const Case cases[] = {
        {"CR LF lines", at("crlf.TXT"), {}, 0, {"Download: Downloaded completely!"}, true},
        {"LF lines", at("lf.TXT"), {}, 0, {"Download: Downloaded completely!"}, true},
        {"a folder", at("folder.TXT"), {}, 1, {"Error: Can't open the file!", "Is a directory"}, false},
        {"hang-up after two lines", at("crlf.TXT"), {"--hang-up-after", "2"}, 1, {kLost}, true},
        {"half a reply to line two", at("crlf.TXT"), {"--half-frame-at", "1"}, 0,
         {"Downloaded completely!"}, true},
    };
    std::string crlfWire;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmulatorProcess terminal(join({"--mode", "lookup", "--capture", at("wire")}, c.emulator));
        const Finished r = runCli(join({"download-lookup", c.file, "--port", terminal.slave()}, kQuick));
        EXPECT_EQ(c.status, r.status) << r.output;
        for (const auto& t : c.told) EXPECT_TRUE(has(r.output, t)) << t << "\n" << r.output;
        const std::string wire = slurp(at("wire"));
        EXPECT_EQ(c.sent, !wire.empty());
        if (c.file == at("crlf.TXT") && c.status == 0 && crlfWire.empty()) crlfWire = wire;
        if (c.file == at("lf.TXT")) {
            EXPECT_EQ(crlfWire, wire);  // the twin's frames exactly
        }
    }
}

}  // namespace
}  // namespace appgen::e2e
