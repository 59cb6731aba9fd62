#include "link/lookup_file.h"

#include <utility>

namespace appgen::link {
namespace {

// A file converted before sending is read from memory, exactly as a file of
// its bytes would be.
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

}  // namespace appgen::link
