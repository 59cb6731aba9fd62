#include "project/project_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "project/m40_conversion.h"
#include "project/m40_layout.h"
#include "project/utf8_path.h"

namespace appgen {
namespace {

constexpr char kCurrentTag[] = "4610-1.00";
constexpr std::size_t kCurrentTagCompared = 9;  // the tenth byte is not examined
constexpr std::size_t kUnreadTail = sizeof(Reserved);

bool startsWith(const unsigned char* data, std::size_t size, const char* tag, std::size_t n) {
    return size >= n && std::memcmp(data, tag, n) == 0;
}

}  // namespace

int projectFormat(const unsigned char* data, std::size_t size) {
    if (startsWith(data, size, kCurrentTag, kCurrentTagCompared)) return 2;
    if (startsWith(data, size, "M40-4.00", m40::kTagSize) ||
        startsWith(data, size, "M40-3.10", m40::kTagSize))
        return 1;
    return 0;
}

ReadResult readProjectBytes(const unsigned char* data, std::size_t size, Project& p) {
    switch (projectFormat(data, size)) {
        case 2: {
            // Blocks are read in order up to the reserved tail, which is never read.
            const std::size_t end = kProjectFileSize - kUnreadTail;
            const std::size_t from = sizeof(FormatTag);
            const std::size_t have = std::min(size, end);
            if (have > from)
                std::memcpy(reinterpret_cast<unsigned char*>(&p) + from, data + from, have - from);
            return {size < end ? ReadStatus::Short : ReadStatus::Ok, false};
        }
        case 1:
            convertM40(data, std::min(size, m40::kFileSize), p);
            return {size < m40::kFileSize ? ReadStatus::Short : ReadStatus::Ok, true};
        default:
            return {ReadStatus::FormatMismatch, false};
    }
}

ReadResult readProjectFile(const std::string& path, Project& p) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(utf8Path(path), ec)) return {ReadStatus::CannotOpen, false};
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) return {ReadStatus::CannotOpen, false};
    // Nothing past the largest known file is needed to tell or read a project.
    std::vector<unsigned char> bytes(kProjectFileSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return {ReadStatus::CannotOpen, false};
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return readProjectBytes(bytes.data(), bytes.size(), p);
}

std::string projectFileImage(const Project& p) {
    std::string image(reinterpret_cast<const char*>(&p), kProjectFileSize - kUnreadTail);
    image.append(kUnreadTail, '\0');
    return image;
}

}  // namespace appgen
