#pragma once

#include <string>
#include <vector>

namespace radiosetup {

// Whether a port can be opened now, as far as can be told without opening it.
enum class PortState { Free, InUse, NoPermission, Absent };

// Who holds a port, as a lock file or the system's lock table says.
struct PortHolder {
    int pid = 0;          // 0: not known
    std::string program;  // empty: not known
};

// One serial port of this machine.
struct SerialPortInfo {
    std::string devicePath;   // the path that opens it
    std::string stableName;   // Linux: its /dev/serial/by-id link; Windows: COMn
    std::string description;  // the adapter's maker, product and serial, or its driver
    PortState state = PortState::Free;
    PortHolder holder;       // who has it, when in use
    bool isAdapter = false;  // USB or ACM: plugged in and out, numbered once and kept
};

// Every serial port present, in the order of their device names. A backend per platform.
std::vector<SerialPortInfo> EnumerateSerialPorts();

}  // namespace radiosetup
