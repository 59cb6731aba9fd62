// appgen-cli against our terminal emulator over a pseudo-terminal: what
// arrives at the terminal, what the operator is told, the exit status.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <cctype>
#include <fstream>
#include <sstream>

#include "processes.h"
#include "project/text.h"

namespace appgen::e2e {
namespace {

namespace fs = std::filesystem;

// Shortened reply and record time-outs for faults that wait for them; long
// enough that a loaded machine still answers within them.
const std::vector<std::string> kQuick = {"--test-timeouts", "500,150"};

class LinkEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-e2e-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const std::string& name) const { return (dir / name).string(); }

    // A project with some texts of its own, so its image is not all defaults.
    std::string project(unsigned char comPort = 0, unsigned char baud = 0) {
        const std::string p = at("p.TGP");
        EXPECT_EQ(0, runCli({"new", p}).status);
        std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(10);
        f.put(static_cast<char>(comPort));
        f.put(static_cast<char>(baud));
        f.seekp(35 + 2);  // menu 1's title
        f.write("\xcc\xe5\xed\xfe \x0d", 6);
        return p;
    }
    std::string write(const std::string& name, const std::string& content) {
        std::ofstream(at(name), std::ios::binary) << content;
        return at(name);
    }

    fs::path dir;
};

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The wire bytes of a program download, worked out here from the image.
std::string programOnTheWire(const std::string& image) {
    std::string wire = "BRIGAN\r";
    for (int n = 0; n < 200; ++n) {
        unsigned sum = 0;
        for (int i = 0; i < 100; ++i) sum += static_cast<unsigned char>(image[n * 100 + i]);
        wire += image.substr(static_cast<std::size_t>(n) * 100, 100);
        wire.push_back(static_cast<char>(sum / 256));
        wire.push_back(static_cast<char>(sum % 256));
        wire.push_back(static_cast<char>(n));
    }
    return wire;
}

bool has(const std::string& out, const std::string& line) { return out.find(line) != std::string::npos; }

TEST_F(LinkEndToEnd, ProgramDownloadDeliversTheCompiledImage) {
    const std::string p = project();
    EmulatorProcess em({"--image-out", at("got.img"), "--capture", at("wire.bin")});
    ASSERT_TRUE(em.started());
    const Finished r = runCli({"download", p, "--port", em.slave()});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_TRUE(has(r.output, "Download: Downloaded completely!\n")) << r.output;
    EXPECT_TRUE(has(r.output, "Downloading 100%")) << r.output;
    const std::string image = slurp(at("got.img"));
    ASSERT_EQ(20000u, image.size());
    EXPECT_EQ(programOnTheWire(image), slurp(at("wire.bin")));

    ASSERT_EQ(0, runCli({"compile", p, "-o", at("compiled.img")}).status);
    EXPECT_EQ(slurp(at("compiled.img")), image);
}

TEST_F(LinkEndToEnd, ProjectPortSettingsChooseThePortAndSpeed) {
    // COM3 at 57600 in the project; APPGEN_COM3 names the emulator's line.
    const std::string p = project(2, 1);
    EmulatorProcess em({"--baud", "57600", "--log", at("log")});
    const Finished r = runCli({"download", p}, {"APPGEN_COM3=" + em.slave()});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_FALSE(has(slurp(at("log")), "lost")) << slurp(at("log"));
}

TEST_F(LinkEndToEnd, AWrongSpeedReachesNoTerminal) {
    EmulatorProcess em({"--baud", "9600"});
    const Finished r = runCli(join({"download", project(), "--port", em.slave(), "--baud", "19200"}, kQuick));
    EXPECT_EQ(1, r.status);
    EXPECT_TRUE(has(r.output, "Error: Terminal is not ready!\n")) << r.output;
    EXPECT_TRUE(has(r.output, "Error: Failed to download, would you like to retry?\n  -> No\n"));
}

TEST_F(LinkEndToEnd, DownloadFaults) {
    struct Case {
        const char* what;
        std::vector<std::string> emulator;
        std::vector<std::string> cli;
        int status;
        std::vector<std::string> told;
        bool imageComplete;
    };
    const Case cases[] = {
        {"silent terminal", {"--silent"}, {}, 1, {"Error: Terminal is not ready!"}, false},
        {"memory full", {"--full-at", "0"}, {}, 1, {"Error: Memory full for Terminal!"}, false},
        {"memory full, then a retry", {"--full-at", "0"}, {"--retries", "1"}, 0,
         {"Error: Memory full for Terminal!", "  -> Yes", "Download: Downloaded completely!"}, true},
        {"a reply lost", {"--drop-reply-at", "5"}, {}, 0, {"Download: Downloaded completely!"}, true},
        {"stall after three blocks", {"--stall-after", "3"}, {}, 1, {"Error: Error on downloading!"},
         false},
        {"stall, then a retry", {"--stall-after", "3"}, {"--retries", "1"}, 0,
         {"Error: Error on downloading!", "Download: Downloaded completely!"}, true},
        {"a block always refused", {"--nak-at", "2"}, {}, 1, {"Error: Error on downloading!"}, false},
        {"ACK without CR", {"--handshake-reply", "ACK"}, {}, 0, {"Download: Downloaded completely!"},
         true},
        {"wrong handshake reply", {"--handshake-reply", "NAK\\r"}, {}, 1,
         {"Error: Terminal is not ready!"}, false},
    };
    const std::string p = project();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(at("got.img"));
        EmulatorProcess em(join({"--image-out", at("got.img")}, c.emulator));
        const Finished r = runCli(join(join({"download", p, "--port", em.slave()}, kQuick), c.cli));
        EXPECT_EQ(c.status, r.status) << r.output;
        for (const auto& t : c.told) EXPECT_TRUE(has(r.output, t + "\n")) << r.output;
        EXPECT_EQ(c.imageComplete, fs::exists(at("got.img")));
    }
}

TEST_F(LinkEndToEnd, ARepeatedBlockAfterALostReplyKeepsTheImageWhole) {
    const std::string p = project();
    EmulatorProcess plain({"--image-out", at("a.img")});
    ASSERT_EQ(0, runCli({"download", p, "--port", plain.slave()}).status);
    EmulatorProcess lossy({"--image-out", at("b.img"), "--drop-reply-at", "7", "--log", at("log")});
    ASSERT_EQ(0, runCli(join({"download", p, "--port", lossy.slave()}, kQuick)).status);
    EXPECT_EQ(slurp(at("a.img")), slurp(at("b.img")));
    EXPECT_TRUE(has(slurp(at("log")), "block 7 repeated"));
}

// Lookup frames as the terminal must see them, worked out here.
std::string lookupOnTheWire(const std::vector<std::string>& lines) {
    std::string wire = "BRIGAN\r";
    for (const auto& l : lines) {
        unsigned sum = 0;
        for (const char c : l) sum += static_cast<unsigned char>(c);
        auto safe = [](unsigned b) { return static_cast<char>(b == 0x0D ? 0x0E : b); };
        wire += l;
        wire.push_back(safe((sum >> 8) & 0xFF));
        wire.push_back(safe(sum & 0xFF));
        wire.push_back('\r');
    }
    return wire + "OVER\r";
}

TEST_F(LinkEndToEnd, LookupFileArrivesLineByLine) {
    // 13 * 0xFF + 0x1A sums to 0x0D0D: both checksum bytes go as 0x0E.
    const std::string crSum = std::string(13, '\xff') + "\x1a";
    const std::vector<std::string> lines = {utf8ToCp1251("00012;Молоко;1.20"), "", crSum, "last line"};
    const std::string file = write("lookup.TXT", lines[0] + "\r\n\r\n" + lines[2] + "\r\n" + lines[3]);
    EmulatorProcess em({"--mode", "lookup", "--lookup-out", at("got.TXT"), "--capture", at("wire.bin")});
    const Finished r = runCli({"download-lookup", file, "--port", em.slave()});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_TRUE(has(r.output, "Download: Downloaded completely!\n"));
    EXPECT_EQ(lookupOnTheWire(lines), slurp(at("wire.bin")));
    EXPECT_EQ(lines[0] + "\r\n\r\n" + lines[2] + "\r\n" + lines[3] + "\r\n", slurp(at("got.TXT")));
}

// The terminal reads Windows-1251: a file in UTF-8 is refused unless told,
// converted on request into exactly the frames of its Windows-1251 twin, and
// refused with its line and column when a character has no code there.
TEST_F(LinkEndToEnd, Utf8LookupFiles) {
    const std::string text = "00012;Молоко;1.20\r\n\r\nЧай\nlast";
    const std::string utf8 = write("utf8.TXT", text);
    const std::string twin = write("twin.TXT", utf8ToCp1251(text));
    auto send = [&](const std::string& file, const std::vector<std::string>& extra) {
        fs::remove(at("wire.bin"));
        EmulatorProcess em({"--mode", "lookup", "--lookup-out", at("got.TXT"), "--capture", at("wire.bin")});
        return runCli(join({"download-lookup", file, "--port", em.slave()}, extra));
    };

    const Finished refused = send(utf8, {});
    EXPECT_EQ(1, refused.status) << refused.output;
    EXPECT_TRUE(has(refused.output, "Error: The file is in UTF-8")) << refused.output;
    EXPECT_TRUE(has(refused.output, "--encoding utf-8")) << refused.output;
    EXPECT_EQ("", slurp(at("wire.bin")));

    ASSERT_EQ(0, send(twin, {}).status);
    const std::string twinWire = slurp(at("wire.bin"));
    const Finished converted = send(utf8, {"--encoding", "utf-8"});
    EXPECT_EQ(0, converted.status) << converted.output;
    EXPECT_EQ(twinWire, slurp(at("wire.bin")));
    EXPECT_TRUE(has(twinWire, "\xD7\xE0\xE9"));  // "Чай" as the terminal reads it

    const Finished asIs = send(utf8, {"--encoding", "windows-1251"});
    EXPECT_EQ(0, asIs.status) << asIs.output;
    EXPECT_TRUE(has(slurp(at("wire.bin")), "Чай"));

    const Finished noCode = send(write("mark.TXT", "ok\r\nЯ✓\r\n"), {"--encoding", "utf-8"});
    EXPECT_EQ(1, noCode.status) << noCode.output;
    EXPECT_TRUE(has(noCode.output, "line 2, column 2: \"✓\" (U+2713) has no Windows-1251 code"))
        << noCode.output;
    EXPECT_EQ("", slurp(at("wire.bin")));
}

TEST_F(LinkEndToEnd, ALookupLineTooLongIsRefusedBeforeAnythingIsSent) {
    const std::string file = write("lookup.TXT", "short\r\n" + std::string(300, 'x') + "\r\n");
    EmulatorProcess em({"--mode", "lookup", "--capture", at("wire.bin")});
    const Finished r = runCli({"download-lookup", file, "--port", em.slave()});
    EXPECT_EQ(1, r.status);
    EXPECT_TRUE(has(r.output, "Error: Line 2 of the file is longer than 253 characters")) << r.output;
    EXPECT_EQ("", slurp(at("wire.bin")));
}

TEST_F(LinkEndToEnd, LookupRetryAfterAStallSendsTheFileFromItsFirstLine) {
    std::string content;
    for (int i = 1; i <= 20; ++i) content += "item " + std::to_string(i) + "\r\n";
    const std::string file = write("lookup.TXT", content);
    EmulatorProcess em({"--mode", "lookup", "--lookup-out", at("got.TXT"), "--stall-after", "5"});
    const Finished r = runCli(join({"download-lookup", file, "--port", em.slave(), "--retries", "1"}, kQuick));
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_EQ(content, slurp(at("got.TXT")));
}

TEST_F(LinkEndToEnd, MissingLookupFile) {
    const Finished r = runCli({"download-lookup", at("none.TXT"), "--port", "/dev/null"});
    EXPECT_EQ(1, r.status);
    EXPECT_TRUE(has(r.output, "Error: Can't open the file!\n")) << r.output;
}

TEST_F(LinkEndToEnd, UploadWritesOneRecordALine) {
    const std::string records = "4600123;2\n4600456;10\nЧай;1\nend\n";
    write("records.txt", records);
    EmulatorProcess em({"--mode", "upload", "--records", at("records.txt"), "--repeat", "1",
                        "--corrupt", "2", "--long-line", "3", "--log", at("log")});
    const Finished r = runCli({"upload", at("out.TXT"), "--port", em.slave()});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_EQ("4600123;2\r\n4600456;10\r\nЧай;1\r\nend\r\n", slurp(at("out.TXT")));
    EXPECT_TRUE(has(r.output, "Upload Data: Done : 4 records received.\nView the received data?\n"));
    EXPECT_TRUE(has(r.output, "Data received : 4\n")) << r.output;
    const std::string log = slurp(at("log"));
    EXPECT_TRUE(has(log, "record 1 repeated, answered ACK")) << log;
    EXPECT_TRUE(has(log, "record 2 answered NAK")) << log;
    EXPECT_TRUE(has(log, "record 3 answered NAK")) << log;
}

// --trace appends every byte both ways, one line a chunk: milliseconds since
// the open, the direction, hex, and the same bytes as text.
TEST_F(LinkEndToEnd, TraceHoldsEveryByteBothWays) {
    write("records.txt", "r1\nr2\n");
    const std::string trace = write("trace.txt", "an earlier trace\n");
    EmulatorProcess em({"--mode", "upload", "--records", at("records.txt")});
    const Finished r = runCli({"upload", at("out.TXT"), "--port", em.slave(), "--trace", trace});
    ASSERT_EQ(0, r.status) << r.output;

    std::ifstream in(trace);
    std::string line, out, got, notes;
    unsigned long last = 0;
    int replies = 0;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ("an earlier trace", line);
    while (std::getline(in, line)) {
        if (line[0] == '#') continue;
        std::istringstream words(line);
        unsigned long ms = 0;
        std::string dir;
        ASSERT_TRUE(words >> ms >> dir) << line;
        EXPECT_GE(ms, last) << line;
        last = ms;
        if (dir == "--") {
            notes += line.substr(14) + "\n";
            continue;
        }
        ASSERT_TRUE(dir == "out" || dir == "in") << line;
        // Up to 16 bytes in hex from column 13, then the same bytes as text.
        std::istringstream hex(line.substr(13, 48));
        std::string bytes;
        for (unsigned b = 0; hex >> std::hex >> b;) bytes.push_back(static_cast<char>(b));
        const std::string text = line.substr(63);
        ASSERT_EQ(bytes.size(), text.size()) << line;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            EXPECT_EQ(std::isprint(static_cast<unsigned char>(bytes[i])) ? bytes[i] : '.', text[i]) << line;
        (dir == "out" ? out : got) += bytes;
        replies += dir == "in" && bytes.back() == '\r' && bytes != "OVER\r";
    }
    EXPECT_EQ("READ\rACK\rACK\r", out);
    EXPECT_EQ(0u, got.find("ACK\r")) << got;
    EXPECT_EQ(got.size() - 5, got.find("OVER\r")) << got;
    EXPECT_EQ(3, replies) << "a line for ACK and each record";
    EXPECT_TRUE(has(notes, "open " + em.slave() + "\n")) << notes;
    EXPECT_TRUE(has(notes, "line 115200 8N1, DTR off, RTS off\n")) << notes;
    EXPECT_TRUE(has(notes, "close\n")) << notes;

    const Finished nowhere = runCli({"upload", at("out.TXT"), "--port", em.slave(), "--trace", at("no/dir/t")});
    EXPECT_EQ(1, nowhere.status);
    EXPECT_TRUE(has(nowhere.output, "--trace: cannot write " + at("no/dir/t") + ": No such file")) << nowhere.output;
}

TEST_F(LinkEndToEnd, UploadFirstRecordNumberedNineIsTakenAsARepeat) {
    write("records.txt", "lost\nkept\n");
    EmulatorProcess em({"--mode", "upload", "--records", at("records.txt"), "--first-seq", "9"});
    const Finished r = runCli({"upload", at("out.TXT"), "--port", em.slave()});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_EQ("kept\r\n", slurp(at("out.TXT")));
}

TEST_F(LinkEndToEnd, UploadFaults) {
    struct Case {
        const char* what;
        std::vector<std::string> emulator;
        std::vector<std::string> told;
        const char* file;  // nullptr: deleted
    };
    const Case cases[] = {
        {"silent terminal", {"--silent"}, {"Error: Time out!", "Upload Data: No data received!"},
         nullptr},
        {"wrong reply", {"--handshake-reply", "NAK\\r"},
         {"Error: Failed to establish connection!", "Upload Data: No data received!"}, nullptr},
        {"quiet after two records", {"--stall-after", "2"},
         {"Error: Time out!",
          "Upload Data: The transfer did not complete : 2 records received.\nView the received data?"},
         "a\r\nb\r\n"},
        {"quiet before any record", {"--stall-after", "0"}, {"Error: Time out!"}, nullptr},
    };
    write("records.txt", "a\nb\nc\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(at("out.TXT"));
        EmulatorProcess em(join({"--mode", "upload", "--records", at("records.txt")}, c.emulator));
        const Finished r = runCli(join({"upload", at("out.TXT"), "--port", em.slave()}, kQuick));
        EXPECT_EQ(1, r.status) << r.output;
        for (const auto& t : c.told) EXPECT_TRUE(has(r.output, t + "\n")) << r.output;
        if (c.file) {
            EXPECT_EQ(c.file, slurp(at("out.TXT")));
        } else {
            EXPECT_FALSE(fs::exists(at("out.TXT")));
        }
    }
}

TEST_F(LinkEndToEnd, ThroughTheCradle) {
    const std::string p = project();
    EmulatorProcess em({"--cradle", "115200", "--image-out", at("got.img"), "--log", at("log")});
    const Finished r = runCli({"download", p, "--port", em.slave(), "--cradle", "--baud", "38400"});
    EXPECT_EQ(0, r.status) << r.output;
    const std::string log = slurp(at("log"));
    EXPECT_TRUE(has(log, "cradle lost 0x0F sent at 9600")) << log;
    EXPECT_TRUE(has(log, "cradle probe answered at 115200")) << log;
    EXPECT_TRUE(has(log, "cradle speed command '4' (38400)")) << log;
    EXPECT_TRUE(has(log, "cradle switched to 38400")) << log;
    // Nothing of the transfer itself went at a wrong speed.
    EXPECT_EQ(std::string::npos, log.find("lost", log.find("switched"))) << log;
    EXPECT_EQ(20000u, slurp(at("got.img")).size());
}

TEST_F(LinkEndToEnd, UploadThroughTheCradle) {
    write("records.txt", "x1\nx2\n");
    EmulatorProcess em({"--mode", "upload", "--records", at("records.txt"), "--cradle", "9600"});
    const Finished r = runCli({"upload", at("out.TXT"), "--port", em.slave(), "--cradle", "--baud", "19200"});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_EQ("x1\r\nx2\r\n", slurp(at("out.TXT")));
}

TEST_F(LinkEndToEnd, NoCradleAnswers) {
    EmulatorProcess em({"--capture", at("wire.bin")});
    const Finished r = runCli({"download", project(), "--port", em.slave(), "--cradle"});
    EXPECT_EQ(1, r.status);
    EXPECT_TRUE(has(r.output, "Error: Failed to set IR device!\n")) << r.output;
    EXPECT_EQ(std::string(5, '\x0F'), slurp(at("wire.bin")));
}

TEST_F(LinkEndToEnd, PortsThatCannotBeOpened) {
    const Finished d = runCli({"download", project(), "--port", at("no-such-tty")});
    EXPECT_EQ(1, d.status);
    EXPECT_TRUE(has(d.output, "Error: Can't open the COM port!\n")) << d.output;
    EXPECT_TRUE(has(d.output, "No such file or directory")) << d.output;
    const Finished u = runCli({"upload", at("out.TXT"), "--port", at("no-such-tty")});
    EXPECT_EQ(1, u.status);
    EXPECT_TRUE(has(u.output, "Error: Fail to open COM port\n")) << u.output;
    EXPECT_FALSE(fs::exists(at("out.TXT")));  // no record, no file
    const Finished notTty = runCli({"download", project(), "--port", "/dev/null"});
    EXPECT_EQ(1, notTty.status);
    EXPECT_TRUE(has(notTty.output, "It is not a serial port.")) << notTty.output;
}

// Under the program's own text, a second paragraph says what to do: for a
// missing device, one that is forbidden, and a terminal that never answers.
TEST_F(LinkEndToEnd, PortMessagesSayWhatToDo) {
    const Finished missing = runCli({"upload", at("out.TXT"), "--port", at("ttyUSB7")});
    EXPECT_TRUE(has(missing.output, "Error: Fail to open COM port\n  " + at("ttyUSB7") +
                                        ": No such file or directory. ")) << missing.output;
    EXPECT_TRUE(has(missing.output, "Serial devices found: ") ||
                has(missing.output, "No serial devices were found")) << missing.output;

    {
        EmulatorProcess em({});
        ASSERT_EQ(0, chmod(em.slave().c_str(), 0));
        // Root opens any device: the operator is played by nobody then.
        std::vector<std::string> argv = {binary("appgen-cli"), "download", project(), "--port", em.slave()};
        if (geteuid() == 0)
            argv.insert(argv.begin(), {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        const Finished forbidden = runProgram(argv);
        EXPECT_EQ(1, forbidden.status);
        EXPECT_TRUE(has(forbidden.output, "Error: Can't open the COM port!\n  " + em.slave() +
                                              ": Permission denied. ")) << forbidden.output;
        EXPECT_TRUE(has(forbidden.output, "\"dialout\" group")) << forbidden.output;
        EXPECT_TRUE(has(forbidden.output, "log in again")) << forbidden.output;
    }

    EmulatorProcess em({"--silent"});
    const Finished silent = runCli(join({"download", project(), "--port", em.slave(), "--baud", "9600"}, kQuick));
    EXPECT_TRUE(has(silent.output, "Error: Terminal is not ready!\n  No answer on " + em.slave() +
                                       " at 9600 bit/s. Check that the terminal is in its download mode")) << silent.output;
    EXPECT_TRUE(has(silent.output, "same speed")) << silent.output;
}

// A script presses Cancel: while the download waits for a silent terminal,
// and at the third record of an upload, whose three records are kept.
TEST_F(LinkEndToEnd, ScriptedCancel) {
    {
        EmulatorProcess em({"--silent"});
        write("cancel.script", "press-cancel connecting\ncommand 3020\n");
        const Finished r = runCli({"script", at("cancel.script")}, {"APPGEN_COM1=" + em.slave()});
        EXPECT_EQ(0, r.status) << r.output;
        EXPECT_TRUE(has(r.output, "{\"event\":\"connecting\",\"caption\":\"Прогресс\",\"text\":"
                                  "\"Соединение с терминалом...\",\"detail\":\"" + em.slave() +
                                  " (COM1), 115200 bit/s\"}\n{\"event\":\"cancel\"}\n"
                                  "{\"event\":\"connecting\",\"closed\":true}\n")) << r.output;
        EXPECT_FALSE(has(r.output, "\"box\"")) << r.output;
    }
    write("records.txt", "a\nb\nc\nd\ne\n");
    EmulatorProcess em({"--mode", "upload", "--records", at("records.txt")});
    write("cancel.script", "press-cancel 3\nfile " + at("out.TXT") + "\nanswer no\ncommand 3030\n");
    const Finished r = runCli({"script", at("cancel.script")}, {"APPGEN_COM1=" + em.slave()});
    EXPECT_EQ(0, r.status) << r.output;
    EXPECT_TRUE(has(r.output, "{\"event\":\"progress\",\"value\":3}\n{\"event\":\"cancel\"}\n")) << r.output;
    EXPECT_TRUE(has(r.output, "The transfer did not complete : 3 records received.")) << r.output;
    EXPECT_EQ("a\r\nb\r\nc\r\n", slurp(at("out.TXT")));
}

TEST_F(LinkEndToEnd, BadUsage) {
    const std::string p = project();
    const std::vector<std::vector<std::string>> cases = {
        {"download"},
        {"download", p, "--baud", "1234"},
        {"download", p, "--port", "COM7"},
        {"download", p, "--retries", "many"},
        {"download", p, "--port"},
        {"upload", at("o.TXT"), "--retries", "1"},
        {"download-lookup", "a.TXT", "b.TXT"},
        {"upload", at("o.TXT"), "--frobnicate"},
    };
    for (const auto& c : cases) {
        const Finished r = runCli(c);
        EXPECT_EQ(2, r.status) << c.back() << "\n" << r.output;
    }
    EXPECT_EQ(0, runCli({"upload", "--help"}).status);
}

TEST_F(LinkEndToEnd, ProjectThatCannotBeOpened) {
    const Finished r = runCli({"download", write("bad.TGP", "not a project at all"), "--port", "/dev/null"});
    EXPECT_EQ(1, r.status);
    EXPECT_TRUE(has(r.output, "Format mismatch !!!")) << r.output;
}

}  // namespace
}  // namespace appgen::e2e
