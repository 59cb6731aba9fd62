// The safe save on real files, with failures put into its system calls.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/file_ops.h"
#include "platform/safe_file.h"
#include "platform/side_file_names.h"

namespace appgen::platform {
namespace {

namespace fs = std::filesystem;

class SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-safe-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string at(const std::string& n) const { return (dir / n).string(); }
    void put(const std::string& n, const std::string& content, fs::perms mode = fs::perms(0644)) {
        std::ofstream(at(n), std::ios::binary) << content;
        fs::permissions(at(n), mode);
    }
    static std::string slurp(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t entries() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
        return n;
    }
    static unsigned modeOf(const std::string& p) {
        struct stat st {};
        stat(p.c_str(), &st);
        return st.st_mode & 07777;
    }
    fs::path dir;
};

TEST_F(SafeFile, CreatesAndReplacesLeavingNothingElse) {
    ASSERT_TRUE(replaceFile(at("job.TGP"), "first").ok);
    EXPECT_EQ("first", slurp(at("job.TGP")));
    ASSERT_TRUE(replaceFile(at("job.TGP"), "second, longer").ok);
    EXPECT_EQ("second, longer", slurp(at("job.TGP")));
    EXPECT_EQ(1u, entries());
}

TEST_F(SafeFile, FollowsLinksAndKeepsPermissions) {
    put("real.TGP", "old", fs::perms(0600));
    fs::create_symlink("real.TGP", at("link.TGP"));
    ASSERT_TRUE(replaceFile(at("link.TGP"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(at("link.TGP")));
    EXPECT_EQ("new", slurp(at("real.TGP")));
    EXPECT_EQ(0600u, modeOf(at("real.TGP")));

    fs::create_symlink("later.TGP", at("dangling.TGP"));
    ASSERT_TRUE(replaceFile(at("dangling.TGP"), "made").ok);
    EXPECT_TRUE(fs::is_symlink(at("dangling.TGP")));
    EXPECT_EQ("made", slurp(at("later.TGP")));
}

TEST_F(SafeFile, Refusals) {
    put("ro.TGP", "keep", fs::perms(0444));
    fs::create_directories(at("dir.TGP"));
    struct Case {
        std::string path;
        const char* reason;
    } cases[] = {
        {at("ro.TGP"), "read-only"},
        {at("dir.TGP"), "Is a directory"},
        {at("missing/x.TGP"), "No such file or directory"},
        {"", "No such file or directory"},
        {at(std::string(300, 'n')), "File name too long"},
    };
    for (const auto& c : cases) {
        const FileWriteResult r = replaceFile(c.path, "new");
        EXPECT_FALSE(r.ok) << c.path;
        EXPECT_NE(std::string::npos, r.reason.find(c.reason)) << c.path << ": " << r.reason;
    }
    EXPECT_EQ("keep", slurp(at("ro.TGP")));
    EXPECT_EQ(2u, entries());
}

TEST_F(SafeFile, ALongNameThatFitsIsSaved) {
    const std::string name(255, 'a');
    put(name, "old");
    ASSERT_TRUE(replaceFile(at(name), "new").ok);
    EXPECT_EQ("new", slurp(at(name)));
    EXPECT_EQ(1u, entries());
    // Cut to fit, and never inside a character.
    const std::string cyr = "\xd0\xb4\xd0\xb0";  // two letters, four bytes
    EXPECT_EQ(".\xd0\xb4.00002a~", temporaryName(cyr, 12, 42));
    EXPECT_EQ(std::nullopt, partialName(name, 255, 1));
    EXPECT_EQ("a.partial2", partialName("a", 255, 2));
}

TEST_F(SafeFile, InjectedFailuresLeaveTheOldFileWhole) {
    struct Case {
        const char* what;
        void (*spoil)(FileOps&);
        const char* reason;
    } cases[] = {
        {"a write that fails midway",
         [](FileOps& o) {
             o.write = [real = o.write](FileHandle f, const char* d, std::size_t n, std::size_t& w) {
                 return n > 3 ? real(f, d, 3, w) : ENOSPC;
             };
         },
         "No space left on device"},
        {"a failing rename", [](FileOps& o) { o.replace = [](const std::string&, const FileTarget&) { return EXDEV; }; },
         "Invalid cross-device link"},
        {"a failing fsync", [](FileOps& o) { o.sync = [](FileHandle) { return EIO; }; }, "Input/output error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put("job.TGP", "the old project");
        FileOps ops = systemFileOps();
        c.spoil(ops);
        const FileWriteResult r = replaceFileWith(ops, at("job.TGP"), "the new project");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(c.reason, r.reason);
        EXPECT_EQ("the old project", slurp(at("job.TGP")));
        EXPECT_EQ(1u, entries());
    }
}

TEST_F(SafeFile, WritesInPlaceWhereTheFolderTakesNoNewFile) {
    put("job.TGP", "a longer old project", fs::perms(0640));
    FileOps ops = systemFileOps();
    ops.createNew = [](const std::string&, const FileTarget&, FileHandle&) { return EACCES; };
    ASSERT_TRUE(replaceFileWith(ops, at("job.TGP"), "new").ok);
    EXPECT_EQ("new", slurp(at("job.TGP")));
    EXPECT_EQ(0640u, modeOf(at("job.TGP")));
    // With no file to write in place, the folder's refusal is the answer.
    const FileWriteResult r = replaceFileWith(ops, at("other.TGP"), "new");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ("Permission denied", r.reason);
}

TEST_F(SafeFile, AFullDeviceIsToldAsSuch) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    const FileWriteResult r = replaceFile("/dev/full", "bytes");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ("No space left on device", r.reason);
}

}  // namespace
}  // namespace appgen::platform
