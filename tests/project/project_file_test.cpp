#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "project/project.h"
#include "project/project_file.h"
#include "project/system_messages.h"
#include "project/text.h"

namespace appgen {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Project fresh() {
    Project p{};
    resetBarcodeSettings(p);
    resetProject(p);
    return p;
}

Bytes bytesOf(const Project& p) {
    const std::string image = projectFileImage(p);
    return Bytes(image.begin(), image.end());
}

Bytes randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<unsigned char>(rng());
    return b;
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("appgen-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static void writeFile(const std::string& p, const Bytes& b) {
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                 static_cast<std::streamsize>(b.size()));
    }
    static Bytes readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};

TEST(TagTest, CurrentOlderAndMismatch) {
    struct Case {
        std::string head;
        int format;
    } cases[] = {
        {std::string("4610-1.00\0", 10), 2},
        {"4610-1.00X", 2},          // the tenth byte is not examined
        {"4610-1.00", 2},
        {"4610-1.01", 0},
        {"4610-1.0", 0},            // too short for the tag
        {"M40-4.00", 1},
        {"M40-3.10", 1},
        {"M40-3.11", 0},
        {"", 0},
        {"8610-1.00", 0},
    };
    for (const auto& c : cases) {
        const auto* d = reinterpret_cast<const unsigned char*>(c.head.data());
        EXPECT_EQ(c.format, projectFormat(d, c.head.size())) << c.head;
    }
}

TEST(ReadProject, AnyValidFileRoundTripsBytes10To18841) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        Bytes file = randomBytes(kProjectFileSize, seed);
        std::memcpy(file.data(), "4610-1.00", 9);
        Project p = fresh();
        ASSERT_EQ(ReadStatus::Ok, readProjectBytes(file.data(), file.size(), p).status);
        const Bytes saved = bytesOf(p);
        ASSERT_EQ(kProjectFileSize, saved.size());
        EXPECT_TRUE(std::equal(file.begin() + 10, file.begin() + 18842, saved.begin() + 10));
        EXPECT_EQ(0, std::memcmp(saved.data(), "4610-1.00\0", 10));
        for (std::size_t i = 18842; i < kProjectFileSize; ++i) EXPECT_EQ(0, saved[i]);
    }
}

TEST(ReadProject, ShortCurrentFileKeepsDefaultsPastItsEnd) {
    const Project defaults = fresh();
    Bytes file = randomBytes(5000, 9);
    std::memcpy(file.data(), "4610-1.00", 9);
    Project p = fresh();
    EXPECT_EQ(ReadStatus::Short, readProjectBytes(file.data(), file.size(), p).status);
    const Bytes got = bytesOf(p);
    const Bytes def = bytesOf(defaults);
    EXPECT_TRUE(std::equal(file.begin() + 10, file.end(), got.begin() + 10));
    EXPECT_TRUE(std::equal(def.begin() + 5000, def.end(), got.begin() + 5000));
}

// Saving itself (the safe replace, its failures) is the platform's; its
// tests are with the platform's.
TEST_F(TempDir, TheFileImageReadsBackAsTheSameRecord) {
    Project p = fresh();
    p.forms[0].lineType[0] = kLineText;
    const std::string target = path("job.TGP");
    writeFile(target, bytesOf(p));
    Project back = fresh();
    ASSERT_EQ(ReadStatus::Ok, readProjectFile(target, back).status);
    EXPECT_EQ(bytesOf(p), bytesOf(back));
}

TEST_F(TempDir, ReadFileFailures) {
    Project p = fresh();
    EXPECT_EQ(ReadStatus::CannotOpen, readProjectFile(path("none.TGP"), p).status);
    EXPECT_EQ(ReadStatus::CannotOpen, readProjectFile(dir_.string(), p).status);
    writeFile(path("empty.TGP"), {});
    EXPECT_EQ(ReadStatus::FormatMismatch, readProjectFile(path("empty.TGP"), p).status);
    writeFile(path("junk.TGP"), randomBytes(30000, 4));
    EXPECT_EQ(ReadStatus::FormatMismatch, readProjectFile(path("junk.TGP"), p).status);
    EXPECT_EQ(bytesOf(fresh()), bytesOf(p));  // a refused file changes nothing
}

}  // namespace
}  // namespace appgen
