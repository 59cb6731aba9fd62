// The lookup data file of a download, open over every attempt. Reads tell
// their errors, so a file that fails midway is never sent as if it had ended.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace appgen::link {

class LookupFile {
public:
    virtual ~LookupFile() = default;
    virtual bool isOpen() const = 0;
    // The system's reason for the last failure.
    virtual std::string error() const = 0;
    // Back to the first byte; the size the file has now, or -1 on an error.
    virtual long long rewind() = 0;
    // Bytes read into piece; 0 at the end, -1 on an error.
    virtual long long read(char* piece, std::size_t n) = 0;
    virtual void close() = 0;
};

// Bytes held in memory read as a file (a file converted before sending).
std::unique_ptr<LookupFile> lookupFileOfBytes(std::string bytes);

// Opens the file the operator picked (on the disk: platform/lookup_file_reader.h).
using LookupFileOpener = std::function<std::unique_ptr<LookupFile>(const std::string& path)>;

}  // namespace appgen::link
