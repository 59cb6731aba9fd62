// A file too large to build in memory, written the safe way piece by piece: a
// temporary file beside the target takes the pieces and, once all of them
// reached the disk, takes the target's place; a failure leaves the target as
// it was and no temporary file behind.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_ops.h"
#include "platform/safe_file.h"

namespace appgen::shell {

class StreamedFile {
  public:
    explicit StreamedFile(const std::string& path,
                          const platform::FileOps& ops = platform::systemFileOps());
    ~StreamedFile();  // removes the temporary file when commit() was not reached
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    // The first failure is kept; later pieces are dropped.
    void write(std::string_view bytes);
    bool failed() const { return !reason_.empty(); }

    // For a library that writes a file of its own: the temporary file's path
    // (empty where the target is written in place: a device, a folder that
    // takes no new file). The library must have closed it before commit().
    std::string temporaryPath();

    // Forces the bytes to the disk and puts the file in place.
    platform::FileWriteResult commit();

  private:
    void fail(int error);
    void closeFile();

    const platform::FileOps ops_;
    platform::FileTarget target_;
    std::string folder_;
    std::string temp_;  // empty when writing the target in place
    platform::FileHandle file_ = platform::kNoFile;
    std::uint64_t size_ = 0;
    std::string reason_;
    bool committed_ = false;
};

}  // namespace appgen::shell
