#include "platform/lookup_file_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/utf8_file.h"

namespace appgen::platform {
namespace {

class DiskLookupFile : public link::LookupFile {
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

}  // namespace

std::unique_ptr<link::LookupFile> openLookupFile(const std::string& path) {
    return std::make_unique<DiskLookupFile>(path);
}

}  // namespace appgen::platform
