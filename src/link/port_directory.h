// Which device each COMn of a project stands for on this PC, and the serial
// devices the PC has. The project keeps only COM1..COM6; the device behind a
// name belongs to the machine, so it comes from the environment, the user's
// port map or the usual default, and the dialogs and commands that show or
// change it see the machine through this interface.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace appgen::link {

// A serial device of the machine, as found.
struct SerialDevice {
    std::string path;                 // /dev/ttyUSB0
    std::vector<std::string> byId;    // its stable names (/dev/serial/by-id/...), sorted
    std::string maker;                // USB manufacturer, product and serial number,
    std::string product;              //   empty where the device has none
    std::string serial;

    // "FT232R USB UART": the product, else the maker; empty for a plain UART.
    std::string description() const;
    // "/dev/ttyUSB0 — FT232R USB UART" (UTF-8), or the path alone.
    std::string label() const;
    // The name to keep in the port map: the first stable name, so a re-plugged
    // adapter keeps its COMn, else the path.
    const std::string& preferredName() const { return byId.empty() ? path : byId.front(); }
    // The device is `name` itself or one of its stable names.
    bool isNamed(const std::string& name) const;
};

enum class PortSource {
    Environment,  // APPGEN_COMn
    PortMap,      // a COMn=DEVICE line of the user's port map
    Default,      // /dev/ttyS<n-1>
    Given,        // not a COMn name: a device path taken as it is
};

// The answer for one port name.
struct PortAnswer {
    std::string name;    // as asked: "COM3" or a path
    std::string device;  // what is opened
    PortSource source = PortSource::Default;
};

struct PortMapSaveResult {
    bool ok = false;
    std::string path;    // the port map's file
    std::string reason;  // when it failed, in the system's words
};

// What is at a device name that no device found leads to.
enum class DevicePresence {
    Missing,      // nothing by that name: "not found"
    Terminal,     // a terminal device the search passes over (a pseudo-terminal,
                  // a socat link, a tty without a UART): shown by its path
    NotTerminal,  // a file or device that is no terminal
};

class PortDirectory {
public:
    virtual ~PortDirectory() = default;
    // The serial devices found now.
    virtual std::vector<SerialDevice> devices() = 0;
    // The device a port name leads to, and where that answer came from.
    virtual PortAnswer resolve(const std::string& name) = 0;
    // The device the port map names for COMn (1-based), if it has a line for it.
    virtual std::optional<std::string> mapped(int com) = 0;
    // Writes COMn=DEVICE into the port map, or removes COMn's line when
    // `device` is empty.
    virtual PortMapSaveResult assign(int com, const std::optional<std::string>& device) = 0;
    // Whether `name` leads to the device: its path, a stable name, or (on a
    // real machine) any other link to it.
    virtual bool leadsTo(const std::string& name, const SerialDevice& device) {
        return device.isNamed(name);
    }

    // What `name` is when none of the devices found is it; on a real machine
    // the node is looked at, elsewhere only the devices found exist.
    virtual DevicePresence presenceOf(const std::string& name) {
        (void)name;
        return DevicePresence::Missing;
    }

    // The first of `devices` that `name` leads to, or null.
    const SerialDevice* deviceNamed(const std::vector<SerialDevice>& devices, const std::string& name);
};

}  // namespace appgen::link
