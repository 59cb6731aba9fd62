// The Win32 backends' own logic, run under Wine: port names, the DCB and
// COMMTIMEOUTS the link's settings become, the operator's open failure texts,
// the safe file replace and the upload's record file on the Windows file
// system, and the port directory of the COM dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "link/port_advice.h"
#include "platform/program_folder.h"
#include "platform/win32_com_ports.h"
#include "platform/safe_file.h"
#include "platform/system_port_directory.h"
#include "platform/record_file.h"
#include "platform/win32_text.h"
#include "platform/win32_serial_settings.h"
#include "project/utf8_path.h"

namespace appgen::platform {
namespace {

TEST(Win32SerialSettings, PortNamesBecomeDevices) {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"COM1", L"\\\\.\\COM1"},   {"com6", L"\\\\.\\COM6"},         {"COM10", L"\\\\.\\COM10"},
        {"COM256", L"\\\\.\\COM256"}, {"\\\\.\\COM12", L"\\\\.\\COM12"}, {"COM0", L"COM0"},
        {"COM257", L"COM257"},      {"COMx", L"COMx"},               {"\\\\.\\CNCA0", L"\\\\.\\CNCA0"},
    };
    for (const auto& [name, device] : cases) EXPECT_EQ(device, win32DeviceName(name)) << name;
    EXPECT_EQ(L"Global\\appgen-serial-__._COM5", portMutexName(L"\\\\.\\com5"));
}

TEST(Win32SerialSettings, LineSettingsFillTheDcb) {
    link::LineSettings s;
    s.baudRate = 38400;
    s.byteSize = 8;
    s.parity = link::Parity::Even;
    s.stopBits = link::StopBits::Two;
    s.dtr = link::LineMode::Enable;
    s.rts = link::LineMode::Handshake;
    s.outxCtsFlow = true;
    DCB dcb{};
    dcb.fInX = TRUE;
    dcb.fNull = TRUE;
    applyToDcb(s, dcb);
    EXPECT_EQ(38400u, dcb.BaudRate);
    EXPECT_EQ(8, dcb.ByteSize);
    EXPECT_EQ(EVENPARITY, dcb.Parity);
    EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
    EXPECT_EQ(static_cast<DWORD>(DTR_CONTROL_ENABLE), dcb.fDtrControl);
    EXPECT_EQ(static_cast<DWORD>(RTS_CONTROL_HANDSHAKE), dcb.fRtsControl);
    EXPECT_TRUE(dcb.fOutxCtsFlow && dcb.fParity && dcb.fBinary);
    EXPECT_FALSE(dcb.fOutX || dcb.fInX || dcb.fNull || dcb.fAbortOnError);
    EXPECT_TRUE(framingMatches(s, dcb));
    dcb.BaudRate = 9600;
    EXPECT_FALSE(framingMatches(s, dcb));
}

TEST(Win32SerialSettings, ReadsReturnAtOnceOrWaitForOneByte) {
    const link::PortTimeouts link{0xFFFFFFFFu, 0, 0, 5, 50};
    const COMMTIMEOUTS now = commTimeoutsFor(0, link);
    EXPECT_EQ(MAXDWORD, now.ReadIntervalTimeout);
    EXPECT_EQ(0u, now.ReadTotalTimeoutMultiplier + now.ReadTotalTimeoutConstant);
    const COMMTIMEOUTS wait = commTimeoutsFor(100, link);
    EXPECT_EQ(0u, wait.ReadIntervalTimeout + wait.ReadTotalTimeoutMultiplier);
    EXPECT_EQ(100u, wait.ReadTotalTimeoutConstant);
    EXPECT_EQ(5u, wait.WriteTotalTimeoutMultiplier);
    EXPECT_EQ(50u, wait.WriteTotalTimeoutConstant);
    // MAXDWORD as a total would mean "wait for ever".
    EXPECT_GT(MAXDWORD, commTimeoutsFor(0xFFFFFFFFu, link).ReadTotalTimeoutConstant);
}

TEST(Win32SerialSettings, OpenFailuresSayWhy) {
    // In the words the other systems use: the port, the system's reason, the fix.
    const std::string denied = link::openFailureText("COM3", win32OpenFailure("COM3", ERROR_ACCESS_DENIED));
    EXPECT_EQ(0u, denied.find("COM3: ")) << denied;
    EXPECT_NE(std::string::npos, denied.find("Another program has the port open: close it and try again."))
        << denied;
    const std::string missing = link::openFailureText("COM9", win32OpenFailure("COM9", ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(0u, missing.find("COM9: ")) << missing;
    EXPECT_TRUE(missing.find("Device Manager") != std::string::npos ||
                missing.find("No serial devices were found") != std::string::npos)
        << missing;
    EXPECT_EQ(std::string::npos, missing.find("ports set")) << missing;
}

class Win32SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / L"appgen-safe-файлы";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        for (const auto& e : std::filesystem::directory_iterator(dir))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(dir);
    }
    std::string at(const char* name) const { return utf8String(dir / utf8Path(name)); }
    std::string slurp(const std::string& path) const {
        std::ifstream in(utf8Path(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t files() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
    }
    std::filesystem::path dir;
};

TEST_F(Win32SafeFile, CreatesAndReplacesKeepingAttributes) {
    const std::string path = at("склад.TGP");
    ASSERT_TRUE(replaceFile(path, "first").ok);
    EXPECT_EQ("first", slurp(path));
    const std::wstring wide = utf8Path(path).wstring();
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    const FileWriteResult r = replaceFile(path, std::string("second\0bytes", 12));
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(std::string("second\0bytes", 12), slurp(path));
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(1u, files());
}

TEST_F(Win32SafeFile, RefusalsLeaveEverythingAsItWas) {
    const std::string locked = at("locked.TGP");
    ASSERT_TRUE(replaceFile(locked, "kept").ok);
    SetFileAttributesW(utf8Path(locked).c_str(), FILE_ATTRIBUTE_READONLY);
    const FileWriteResult r = replaceFile(locked, "lost");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(std::string::npos, r.reason.find("read-only")) << r.reason;
    EXPECT_EQ("kept", slurp(locked));
    EXPECT_FALSE(replaceFile(utf8String(dir), "x").ok);
    const FileWriteResult noFolder = replaceFile(at("no-such-folder\\a.TGP"), "x");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_FALSE(noFolder.reason.empty());
    EXPECT_EQ(1u, files());
}

TEST_F(Win32SafeFile, LongNamesAndDevices) {
    // A name at the limit leaves no room for a temporary name made from it whole.
    const std::string path = at((std::string(251, 'n') + ".TGP").c_str());
    const FileWriteResult first = replaceFile(path, "one");
    ASSERT_TRUE(first.ok) << first.reason;
    const FileWriteResult again = replaceFile(path, "two");
    ASSERT_TRUE(again.ok) << again.reason;
    EXPECT_EQ("two", slurp(path));
    EXPECT_TRUE(replaceFile("NUL", "nothing").ok);
    EXPECT_EQ(1u, files());
}

TEST_F(Win32SafeFile, InjectedFailuresLeaveTheOldFileWhole) {
    struct Case {
        const char* what;
        void (*spoil)(FileOps&);
        DWORD error;
    } cases[] = {
        {"a write that fails midway",
         [](FileOps& o) {
             o.write = [real = o.write](FileHandle f, const char* d, std::size_t n, std::size_t& w) {
                 return n > 3 ? real(f, d, 3, w) : static_cast<int>(ERROR_DISK_FULL);
             };
         },
         ERROR_DISK_FULL},
        {"a failing replace",
         [](FileOps& o) {
             o.replace = [](const std::string&, const FileTarget&) { return static_cast<int>(ERROR_SHARING_VIOLATION); };
         },
         ERROR_SHARING_VIOLATION},
        {"a failing flush",
         [](FileOps& o) { o.sync = [](FileHandle) { return static_cast<int>(ERROR_IO_DEVICE); }; },
         ERROR_IO_DEVICE},
    };
    const std::string path = at("склад.TGP");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(replaceFile(path, "the old project").ok);
        FileOps ops = systemFileOps();
        c.spoil(ops);
        const FileWriteResult r = replaceFileWith(ops, path, "the new project");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(win32ErrorText(c.error), r.reason);
        EXPECT_EQ("the old project", slurp(path));
        EXPECT_EQ(1u, files());
    }
}

TEST_F(Win32SafeFile, RecordsGoToAPartialFileWholeLinesOnlyAndTakeTheOutputsPlace) {
    const std::string out = at("приход.TXT");
    ASSERT_TRUE(replaceFile(out, "old").ok);
    const std::wstring wide = utf8Path(out).wstring();
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    int writes = 0;
    FileOps ops = systemFileOps();
    ops.write = [&, real = ops.write](FileHandle h, const char* d, std::size_t n, std::size_t& w) {
        if (++writes < 3) return real(h, d, n, w);
        real(h, d, n / 2, w);  // midway, then the disk is full
        return static_cast<int>(ERROR_DISK_FULL);
    };
    RecordFile f(ops);
    const auto add = [&](const std::string& line) {
        return f.append(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
    };
    ASSERT_TRUE(f.begin(out).ok);
    EXPECT_EQ(1u, files());  // nothing made before the first record
    ASSERT_TRUE(add("a\r\n").ok);
    EXPECT_EQ(out + ".partial", f.location());
    ASSERT_TRUE(add("b\r\n").ok);
    const link::OutputStatus failed = add("cccccc\r\n");
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(win32ErrorText(ERROR_DISK_FULL), failed.reason);
    EXPECT_EQ("a\r\nb\r\n", slurp(out + ".partial"));
    ASSERT_TRUE(f.finish().ok);
    EXPECT_EQ(out, f.location());
    EXPECT_EQ("a\r\nb\r\n", slurp(out));
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(1u, files());
}

TEST_F(Win32SafeFile, AKilledUploadsRecordsAreNamedAndKept) {
    const std::string out = at("приход.TXT");
    ASSERT_TRUE(replaceFile(out + ".partial", "kept\r\n").ok);
    RecordFile f;
    ASSERT_TRUE(f.begin(out).ok);
    EXPECT_EQ(out + ".partial", f.leftover());
    const std::string line = "new\r\n";
    ASSERT_TRUE(f.append(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size())).ok);
    EXPECT_EQ(out + ".partial2", f.location());
    ASSERT_TRUE(f.finish().ok);
    EXPECT_EQ("new\r\n", slurp(out));
    EXPECT_EQ("kept\r\n", slurp(out + ".partial"));
    EXPECT_EQ(2u, files());

    // No room for a partial name: the records go straight into the output.
    const std::string longest = at((std::string(251, 'n') + ".TXT").c_str());
    RecordFile inPlace;
    ASSERT_TRUE(inPlace.begin(longest).ok);
    ASSERT_TRUE(inPlace.append(std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size())).ok);
    EXPECT_EQ(longest, inPlace.location());
    ASSERT_TRUE(inPlace.finish().ok);
    EXPECT_EQ("new\r\n", slurp(longest));
}

TEST_F(Win32SafeFile, RecordFileRefusalsAndDevices) {
    const std::string locked = at("locked.TXT");
    ASSERT_TRUE(replaceFile(locked, "kept").ok);
    SetFileAttributesW(utf8Path(locked).c_str(), FILE_ATTRIBUTE_READONLY);
    const char* refused[] = {"locked.TXT", "no-such-folder\\a.TXT", ""};
    for (const char* name : refused) {
        RecordFile f;
        const link::OutputStatus r = f.begin(at(name));
        EXPECT_FALSE(r.ok) << name;
        EXPECT_FALSE(r.reason.empty()) << name;
    }
    EXPECT_EQ("kept", slurp(locked));
    RecordFile nul;
    ASSERT_TRUE(nul.begin("NUL").ok);
    ASSERT_TRUE(nul.append(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("x\r\n"), 3)).ok);
    EXPECT_TRUE(nul.finish().ok);
    EXPECT_EQ(1u, files());
}

TEST(Win32PortDirectory, EachComNameOpensItselfAndNoMapIsKept) {
    SystemPortDirectory ports([] {
        std::vector<link::SerialDevice> found(2);
        found[0].path = "COM1";
        found[1].path = "COM12";
        return found;
    });
    const link::PortAnswer com3 = ports.resolve("com3");
    EXPECT_EQ("COM3", com3.device);
    EXPECT_EQ(link::PortSource::Default, com3.source);
    EXPECT_EQ(link::PortSource::Given, ports.resolve("\\\\.\\CNCA0").source);
    const auto devices = ports.devices();
    EXPECT_EQ(&devices[1], ports.deviceNamed(devices, "\\\\.\\COM12"));
    EXPECT_EQ(nullptr, ports.deviceNamed(devices, "COM2"));
    EXPECT_FALSE(ports.mapped(1));
    EXPECT_TRUE(ports.assign(1, std::nullopt).ok);
    const link::PortMapSaveResult r = ports.assign(1, "COM12");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(std::string::npos, r.reason.find("Device Manager")) << r.reason;
}

TEST(Win32ProgramFolder, IsTheFolderOfThisProgram) {
    const std::filesystem::path folder = utf8Path(programFolder());
    EXPECT_TRUE(std::filesystem::exists(folder / L"win32_platform_tests.exe")) << programFolder();
}

TEST(Win32ComPorts, ListedOnceEachInNumericOrder) {
    const std::vector<std::string> ports = listWin32ComPorts();
    if (ports.empty()) GTEST_SKIP() << "no COM port on this machine: nothing to check the order of";
    unsigned last = 0;
    for (const std::string& port : ports) {
        ASSERT_EQ(0u, port.rfind("COM", 0)) << port;
        const unsigned n = static_cast<unsigned>(std::stoul(port.substr(3)));
        EXPECT_LT(last, n) << port;
        last = n;
    }
}

}  // namespace
}  // namespace appgen::platform
