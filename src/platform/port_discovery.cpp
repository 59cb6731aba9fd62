#include "platform/port_discovery.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <system_error>
#include <tuple>

namespace appgen::platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFamilies[] = {"ttyS", "ttyUSB", "ttyACM"};
// The USB device holding an adapter's tty is a few levels up from it
// (port, interface, device).
constexpr int kUsbLevels = 4;

// "ttyUSB12" → family 1, number 12; nothing for other names.
std::optional<std::pair<int, int>> familyOf(const std::string& name) {
    for (int f = 0; f < 3; ++f) {
        const std::string prefix = kFamilies[f];
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(),
                                              [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        return std::pair{f, std::stoi(digits)};
    }
    return std::nullopt;
}

std::string readAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) return {};
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}

// The kernel's tty "type" attribute of a UART port; 0 means no UART.
std::optional<bool> uartFromSysfs(const fs::path& ttyClass) {
    std::error_code ec;
    if (!fs::exists(ttyClass / "type", ec)) return std::nullopt;
    const std::string type = readAttribute(ttyClass / "type");
    if (type.empty()) return std::nullopt;
    return type != "0";
}

// Maker, product and serial number of the USB device above the tty, if any.
void readUsbIdentity(const fs::path& sysRoot, const std::string& name, link::SerialDevice& d) {
    std::error_code ec;
    fs::path at = fs::canonical(sysRoot / "class" / "tty" / name / "device", ec);
    if (ec) return;
    const fs::path top = fs::weakly_canonical(sysRoot, ec);
    for (int i = 0; i < kUsbLevels && !at.empty() && at != top && at != at.root_path(); ++i) {
        if (fs::exists(at / "idVendor", ec)) {
            d.maker = readAttribute(at / "manufacturer");
            d.product = readAttribute(at / "product");
            d.serial = readAttribute(at / "serial");
            return;
        }
        at = at.parent_path();
    }
}

bool hasUart(const DiscoveryRoots& roots, const std::string& name, const std::string& path) {
    if (const auto known = uartFromSysfs(fs::path(roots.sys) / "class" / "tty" / name)) return *known;
    return roots.hasUart ? roots.hasUart(path) : probeUart(path);
}

}  // namespace

bool probeUart(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    serial_struct info{};
    const bool uart = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return uart;
}

link::DevicePresence presenceAt(const std::string& path, const DiscoveryRoots& roots) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? link::DevicePresence::Missing
                                                   : link::DevicePresence::NotTerminal;
    if (!S_ISCHR(st.st_mode)) return link::DevicePresence::NotTerminal;
    // Pseudo-terminal slaves have majors 136..143 and no node in sysfs; every
    // other tty driver's device sits under a "tty" class there.
    const unsigned maj = major(st.st_rdev);
    if (maj >= 136 && maj <= 143) return link::DevicePresence::Terminal;
    std::error_code ec;
    const fs::path node = fs::read_symlink(
        fs::path(roots.sys) / "dev" / "char" / (std::to_string(maj) + ":" + std::to_string(minor(st.st_rdev))), ec);
    return !ec && node.string().find("/tty/") != std::string::npos ? link::DevicePresence::Terminal
                                                                  : link::DevicePresence::NotTerminal;
}

bool sameDeviceNode(const std::string& name, const std::string& device) {
    if (name == device) return true;
    std::error_code a, b;
    const fs::path x = fs::canonical(name, a);
    const fs::path y = fs::canonical(device, b);
    return !a && !b && x == y;
}

std::vector<link::SerialDevice> findSerialDevices(const DiscoveryRoots& roots) {
    const fs::path dev(roots.dev);
    // Sorted by family and number, then by path for devices only by-id names.
    std::map<std::tuple<int, int, std::string>, link::SerialDevice> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dev, ec)) {
        const std::string name = entry.path().filename().string();
        const auto family = familyOf(name);
        if (!family) continue;
        const std::string path = (dev / name).string();
        if (family->first == 0 && !hasUart(roots, name, path)) continue;
        link::SerialDevice d;
        d.path = path;
        readUsbIdentity(roots.sys, name, d);
        found.emplace(std::tuple{family->first, family->second, std::string()}, std::move(d));
    }
    const fs::path byId = dev / "serial" / "by-id";
    std::vector<fs::path> links;
    for (const auto& entry : fs::directory_iterator(byId, ec)) links.push_back(entry.path());
    std::sort(links.begin(), links.end());
    for (const fs::path& link : links) {
        std::error_code lec;
        const fs::path target = fs::read_symlink(link, lec);
        if (lec) continue;
        const fs::path node = (target.is_absolute() ? target : byId / target).lexically_normal();
        if (!fs::exists(node, lec)) continue;  // a link left behind by an unplugged adapter
        const std::string nodePath = node.string();
        auto it = std::find_if(found.begin(), found.end(),
                               [&](const auto& kv) { return kv.second.path == nodePath; });
        if (it == found.end()) {
            // An adapter whose driver names its tty otherwise (ttyXRUSB0, ...).
            link::SerialDevice d;
            d.path = nodePath;
            readUsbIdentity(roots.sys, node.filename().string(), d);
            it = found.emplace(std::tuple{3, 0, nodePath}, std::move(d)).first;
        }
        it->second.byId.push_back(link.string());
    }
    std::vector<link::SerialDevice> out;
    for (auto& [key, d] : found) out.push_back(std::move(d));
    return out;
}

}  // namespace appgen::platform
