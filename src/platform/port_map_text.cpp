#include "platform/port_map_text.h"

namespace appgen::platform {
namespace {

constexpr int kMaxCom = 255;
constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::string_view kHeader =
    "# The device each COM port of appgen stands for, one COMn=DEVICE a line.\n";

std::string_view trim(std::string_view s) {
    const auto b = s.find_first_not_of(kBlanks);
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(kBlanks);
    return s.substr(b, e - b + 1);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        lines.push_back(text.substr(0, nl));
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

bool hasControl(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    }
    return false;
}

// One line read: nothing to say (blank or comment), an entry, or damage.
struct LineRead {
    std::optional<PortMapEntry> entry;
    std::optional<std::string> why;
};

LineRead readLine(std::string_view raw) {
    std::string_view body = raw.substr(0, raw.find('#'));
    body = trim(body);
    if (body.empty()) return {};
    const auto eq = body.find('=');
    if (eq == std::string_view::npos) return {std::nullopt, "not COMn=DEVICE"};
    const std::string_view key = trim(body.substr(0, eq));
    const std::string_view value = trim(body.substr(eq + 1));
    const auto com = comNumberOf(key);
    if (!com) {
        std::string why(key);
        why += " is not a port name (COM1, COM2, ...)";
        return {std::nullopt, std::move(why)};
    }
    if (value.empty()) return {std::nullopt, "no device after '='"};
    if (hasControl(value)) return {std::nullopt, "the device name holds control characters"};
    return {PortMapEntry{*com, std::string(value), 0}, std::nullopt};
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string stripBom(std::string_view text) {
    if (text.substr(0, 3) == kBom) text.remove_prefix(3);
    return std::string(text);
}

}  // namespace

const PortMapEntry* PortMapText::find(int com) const {
    for (const PortMapEntry& e : entries) {
        if (e.com == com) return &e;
    }
    return nullptr;
}

std::optional<int> comNumberOf(std::string_view name) {
    if (name.size() < 4 || name.size() > 6) return std::nullopt;
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M') return std::nullopt;
    int n = 0;
    for (const char c : name.substr(3)) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > kMaxCom) return std::nullopt;
    return n;
}

PortMapText parsePortMap(std::string_view text) {
    const std::string owned = stripBom(text);
    PortMapText map;
    int n = 0;
    for (const std::string_view raw : splitLines(owned)) {
        ++n;
        LineRead r = readLine(raw);
        const std::string shown(trim(raw));
        if (r.why) {
            map.damaged.push_back({n, shown, *r.why});
        } else if (r.entry) {
            if (const PortMapEntry* first = map.find(r.entry->com)) {
                map.damaged.push_back({n, shown,
                                       "COM" + std::to_string(r.entry->com) +
                                           " is already given on line " + std::to_string(first->line)});
                continue;
            }
            r.entry->line = n;
            map.entries.push_back(std::move(*r.entry));
        }
    }
    return map;
}

std::optional<std::string> unwritableDevice(std::string_view device) {
    if (trim(device).empty()) return "no device given";
    if (trim(device).size() != device.size()) return "the device name starts or ends with a blank";
    if (device.find('#') != std::string_view::npos) return "a '#' would start a comment";
    if (hasControl(device)) return "the device name holds control characters";
    return std::nullopt;
}

std::string editPortMap(std::string_view text, int com, const std::optional<std::string>& device) {
    const std::string owned = stripBom(text);
    const std::string line = device ? "COM" + std::to_string(com) + "=" + *device : std::string();
    std::string out;
    bool placed = false;
    for (const std::string_view raw : splitLines(owned)) {
        const LineRead r = readLine(raw);
        if (r.entry && r.entry->com == com) {
            if (device && !placed) {
                out += line;
                // The operator's note on that line stays with it.
                if (const auto hash = raw.find('#'); hash != std::string_view::npos)
                    out += "  " + std::string(trim(raw.substr(hash)));
                out += '\n';
                placed = true;
            }
            continue;
        }
        out += raw;
        out += '\n';
    }
    if (device && !placed) {
        if (trim(out).empty()) out = kHeader;
        out += line + '\n';
    }
    // A file's own byte-order mark stays; and a later line that began with
    // one must not become the first line and lose it, or a line the parser
    // skipped would start to count.
    if (text.substr(0, 3) == kBom || std::string_view(out).substr(0, 3) == kBom) out.insert(0, kBom);
    return out;
}

}  // namespace appgen::platform
