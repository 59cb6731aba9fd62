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

// The file on disk, by its UTF-8 name; not open (isOpen() false, error()
// telling why) when it cannot be opened.
std::unique_ptr<LookupFile> openLookupFile(const std::string& path);

// Bytes held in memory read as a file (a file converted before sending).
std::unique_ptr<LookupFile> lookupFileOfBytes(std::string bytes);

using LookupFileOpener = std::function<std::unique_ptr<LookupFile>(const std::string& path)>;

}  // namespace appgen::link
