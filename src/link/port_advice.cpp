#include "link/port_advice.h"

namespace appgen::link {
namespace {

// "/dev/ttyUSB0" for a path given as it is; "COM3 is /dev/ttyUSB0 (from the
// port map)" for a COM name.
std::string portPhrase(const PortAnswer& port) {
    if (port.source == PortSource::Given || port.name.empty() || port.name == port.device)
        return port.device;
    std::string s = port.name + " is " + port.device;
    switch (port.source) {
        case PortSource::Environment: s += " (from APPGEN_" + port.name + ")"; break;
        case PortSource::PortMap: s += " (from the port map)"; break;
        case PortSource::Default: s += " (the default)"; break;
        case PortSource::Given: break;
    }
    return s;
}

std::string deviceList(const std::vector<SerialDevice>& found) {
    std::string s;
    for (const SerialDevice& d : found) {
        if (!s.empty()) s += ", ";
        s += d.label();
    }
    return s;
}

}  // namespace

std::string openFailureAdvice(const PortAnswer& port, OpenProblem problem, const std::string& reason,
                              const std::vector<SerialDevice>& found, PortNaming naming) {
    std::string text = portPhrase(port) + ": " + reason;
    if (!text.ends_with('.')) text += '.';  // Windows' own texts end with one
    switch (problem) {
        case OpenProblem::Forbidden:
            if (naming == PortNaming::PortMap) {
                text += " Serial devices belong to the \"dialout\" group: add your user to it "
                        "(sudo usermod -aG dialout $USER), then log out and log in again.";
            }
            break;
        case OpenProblem::Missing: {
            if (found.empty()) {
                text += " No serial devices were found: plug in the cable or the cradle's adapter.";
                break;
            }
            text += " Serial devices found: " + deviceList(found) + ".";
            if (naming == PortNaming::SystemNames) {
                text += " A USB adapter's COM number is set in the Device Manager (Ports (COM & LPT), the "
                        "adapter's Port Settings, Advanced).";
            } else if (port.source == PortSource::Environment) {
                text += " APPGEN_" + port.name + " names the device: set it to one of them, or unset it.";
            } else if (port.source != PortSource::Given) {
                text += " Choose the device for " + port.name +
                        " in \"Настройка COM порта\" or with \"appgen-cli ports set " + port.name +
                        " DEVICE\".";
            }
            break;
        }
        case OpenProblem::Busy: text += " Another program has the port open: close it and try again."; break;
        case OpenProblem::NotSerial: text += " It is not a serial port."; break;
        case OpenProblem::Other: break;
    }
    return text;
}

std::string openFailureText(const std::string& name, const OpenResult& result) {
    const PortAnswer port =
        result.port.device.empty() ? PortAnswer{name, name, PortSource::Given} : result.port;
    return openFailureAdvice(port, result.problem, result.reason, result.found, result.naming);
}

std::string timeoutAdvice(const PortAnswer& port, std::uint32_t baud, TransferKind kind, bool cradle) {
    const char* mode = kind == TransferKind::Download ? "download" : "upload";
    return "No answer on " + portPhrase(port) + " at " + std::to_string(baud) +
           " bit/s. Check that the terminal is in its " + mode + " mode, " +
           (cradle ? "stands on the cradle" : "its cable is plugged in at both ends") +
           ", and is set to the same speed.";
}

std::string stoppedAnsweringAdvice(const PortAnswer& port, std::uint32_t baud, bool cradle) {
    return "The terminal on " + portPhrase(port) + " at " + std::to_string(baud) +
           " bit/s stopped acknowledging the transfer. Check that it " +
           (cradle ? "still stands on the cradle" : "is still plugged in at both ends of its cable") +
           " and has not been switched off, then try again.";
}

}  // namespace appgen::link
