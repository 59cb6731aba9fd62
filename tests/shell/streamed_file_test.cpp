// A file written piece by piece the safe way, on real files with failures put
// into its system calls: the old file stays whole and nothing is left beside it.
#include "shell/streamed_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "project/utf8_path.h"

namespace appgen::shell {
namespace {

namespace fs = std::filesystem;
using platform::FileHandle;
using platform::FileOps;
using platform::FileTarget;

class StreamedFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("appgen-streamed-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const std::string& n) const { return utf8String(dir / n); }
    void put(const std::string& n, const std::string& content) {
        std::ofstream(dir / n, std::ios::binary) << content;
    }
    std::string slurp(const std::string& n) const {
        std::ifstream in(dir / n, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::size_t entries() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
        return n;
    }
    fs::path dir;
};

TEST_F(StreamedFileTest, PiecesTakeThePlaceOnlyWhenAllAreWritten) {
    put("t.csv", "old");
    {
        StreamedFile f(at("t.csv"));
        f.write("a;b\r\n");
        f.write("1;2\r\n");
        EXPECT_EQ("old", slurp("t.csv"));
        EXPECT_EQ(2u, entries());
        ASSERT_TRUE(f.commit().ok);
    }
    EXPECT_EQ("a;b\r\n1;2\r\n", slurp("t.csv"));
    EXPECT_EQ(1u, entries());
    {
        StreamedFile abandoned(at("t.csv"));
        abandoned.write("never");
    }
    EXPECT_EQ("a;b\r\n1;2\r\n", slurp("t.csv"));
    EXPECT_EQ(1u, entries());
}

TEST_F(StreamedFileTest, ALibraryWritesTheTemporaryFileItself) {
    StreamedFile f(at("t.xlsx"));
    const std::string temp = f.temporaryPath();
    ASSERT_FALSE(temp.empty());
    std::ofstream(fs::u8path(temp), std::ios::binary) << "workbook";
    ASSERT_TRUE(f.commit().ok);
    EXPECT_EQ("workbook", slurp("t.xlsx"));
    EXPECT_EQ(1u, entries());
}

TEST_F(StreamedFileTest, InjectedFailuresLeaveTheOldFileWhole) {
    const FileOps real = platform::systemFileOps();
    struct Case {
        const char* what;
        void (*spoil)(FileOps&);
        int error;
    } cases[] = {
        {"a write that fails in the second piece",
         [](FileOps& o) {
             o.write = [real = o.write, calls = 0](FileHandle f, const char* d, std::size_t n,
                                                   std::size_t& w) mutable {
                 return ++calls > 1 ? ENOSPC : real(f, d, n, w);
             };
         },
         ENOSPC},
        {"a failing replace",
         [](FileOps& o) {
             o.replace = [](const std::string&, const FileTarget&) { return EXDEV; };
         },
         EXDEV},
        {"a failing sync", [](FileOps& o) { o.sync = [](FileHandle) { return EIO; }; }, EIO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put("t.csv", "old");
        FileOps ops = real;
        c.spoil(ops);
        platform::FileWriteResult r;
        {
            StreamedFile f(at("t.csv"), ops);
            f.write("first ");
            f.write("second");
            r = f.commit();
        }
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(real.reason(c.error), r.reason);
        EXPECT_EQ("old", slurp("t.csv"));
        EXPECT_EQ(1u, entries());
    }
}

TEST_F(StreamedFileTest, WritesInPlaceWhereTheFolderTakesNoNewFile) {
    put("t.csv", "a longer old table");
    FileOps ops = platform::systemFileOps();
    ops.createNew = [](const std::string&, const FileTarget&, FileHandle&) { return EACCES; };
    ops.fault = [](int) { return platform::FileFault::Denied; };
    {
        StreamedFile f(at("t.csv"), ops);
        f.write("new ");
        f.write("one");
        ASSERT_TRUE(f.commit().ok);
    }
    EXPECT_EQ("new one", slurp("t.csv"));
    StreamedFile none(at("other.csv"), ops);
    EXPECT_FALSE(none.commit().ok);
    EXPECT_EQ(1u, entries());
}

}  // namespace
}  // namespace appgen::shell
