#include "link/lookup_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "project/utf8_path.h"

namespace appgen::link {
namespace {

class DiskLookupFile : public LookupFile {
public:
    explicit DiskLookupFile(const std::string& path) : f_(openUtf8File(path, "rb")) {
        if (!f_) error_ = errno;
    }
    ~DiskLookupFile() override { close(); }
    DiskLookupFile(const DiskLookupFile&) = delete;
    DiskLookupFile& operator=(const DiskLookupFile&) = delete;

    bool isOpen() const override { return f_ != nullptr; }
    std::string error() const override { return std::strerror(error_); }
    long long rewind() override {
        if (std::fseek(f_, 0, SEEK_END) != 0) return failed();
        const long long size = std::ftell(f_);
        if (size < 0 || std::fseek(f_, 0, SEEK_SET) != 0) return failed();
        std::clearerr(f_);
        return size;
    }
    long long read(char* piece, std::size_t n) override {
        const std::size_t got = std::fread(piece, 1, n, f_);
        if (got == 0 && std::ferror(f_)) return failed();
        return static_cast<long long>(got);
    }
    void close() override {
        if (f_) std::fclose(f_);
        f_ = nullptr;
    }

private:
    long long failed() {
        error_ = errno;
        return -1;
    }
    std::FILE* f_;
    int error_ = 0;
};

class MemoryLookupFile : public LookupFile {
public:
    explicit MemoryLookupFile(std::string bytes) : bytes_(std::move(bytes)) {}
    bool isOpen() const override { return true; }
    std::string error() const override { return {}; }
    long long rewind() override {
        at_ = 0;
        return static_cast<long long>(bytes_.size());
    }
    long long read(char* piece, std::size_t n) override {
        const std::size_t got = bytes_.copy(piece, n, at_);
        at_ += got;
        return static_cast<long long>(got);
    }
    void close() override {}

private:
    std::string bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::unique_ptr<LookupFile> lookupFileOfBytes(std::string bytes) {
    return std::make_unique<MemoryLookupFile>(std::move(bytes));
}

std::unique_ptr<LookupFile> openLookupFile(const std::string& path) {
    return std::make_unique<DiskLookupFile>(path);
}

}  // namespace appgen::link
