#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

namespace appgen::platform {

std::string programFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}

}  // namespace appgen::platform
