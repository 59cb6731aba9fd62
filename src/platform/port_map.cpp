#include "platform/port_map.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/safe_file.h"

namespace appgen::platform {

namespace fs = std::filesystem;

EnvLookup processEnvironment() {
    return [](const char* name) -> const char* { return std::getenv(name); };
}

std::string portMapPath(const EnvLookup& env) {
    // A relative XDG_CONFIG_HOME is to be ignored, as the base directory rules say.
    if (const char* xdg = env("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        return std::string(xdg) + "/appgen/ports.conf";
    if (const char* home = env("HOME"); home && home[0] == '/')
        return std::string(home) + "/.config/appgen/ports.conf";
    return {};
}

PortMapFile readPortMap(const std::string& path) {
    PortMapFile f;
    f.path = path;
    if (path.empty()) return f;
    std::error_code ec;
    if (!fs::exists(path, ec)) return f;
    f.exists = true;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        f.readError = std::strerror(errno);
        return f;
    }
    f.text.assign(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) {
        f.readError = "read error";
        f.text.clear();
        return f;
    }
    f.map = parsePortMap(f.text);
    return f;
}

link::PortMapSaveResult writePortMapLine(const std::string& path, int com,
                                         const std::optional<std::string>& device) {
    link::PortMapSaveResult r;
    r.path = path;
    if (path.empty()) {
        r.reason = "neither XDG_CONFIG_HOME nor HOME says where the user's settings live";
        return r;
    }
    const PortMapFile old = readPortMap(path);
    if (!old.readError.empty()) {
        r.reason = old.readError;
        return r;
    }
    if (!old.exists && !device) {
        r.ok = true;  // nothing to remove
        return r;
    }
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    if (ec) {
        r.reason = ec.message();
        return r;
    }
    const FileWriteResult w = replaceFile(path, editPortMap(old.text, com, device));
    r.ok = w.ok;
    r.reason = w.reason;
    return r;
}

link::PortAnswer resolvePortName(const std::string& name, const EnvLookup& env,
                                 const PortMapText& map) {
    const auto com = comNumberOf(name);
    if (!com) return {name, name, link::PortSource::Given};
    const std::string canonical = "COM" + std::to_string(*com);
    const std::string var = "APPGEN_" + canonical;
    if (const char* dev = env(var.c_str()); dev && *dev)
        return {canonical, dev, link::PortSource::Environment};
    if (const PortMapEntry* e = map.find(*com))
        return {canonical, e->device, link::PortSource::PortMap};
    return {canonical, "/dev/ttyS" + std::to_string(*com - 1), link::PortSource::Default};
}

link::PortAnswer resolvePortName(const std::string& name) {
    const EnvLookup env = processEnvironment();
    if (!comNumberOf(name)) return resolvePortName(name, env, {});
    return resolvePortName(name, env, readPortMap(portMapPath(env)).map);
}

}  // namespace appgen::platform
