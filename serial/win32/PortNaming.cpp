#include "PortNaming.h"

#include "win32/ComPortName.h"

namespace radiosetup {

// The device namespace form: plain "COM10" and above would name no device.
std::string PortDevicePath(int portNumber) {
    return "\\\\.\\COM" + std::to_string(portNumber);
}

// Windows gives every port its COM number as the adapter arrives.
void NumberNewAdapters() {}

std::vector<NumberedPort> ListPorts() {
    std::vector<NumberedPort> listed;
    for (SerialPortInfo& port : EnumerateSerialPorts()) {
        const int number = ComPortNumber(port.stableName);
        listed.push_back({number, std::move(port)});
    }
    return listed;  // the enumeration's order: by number, unnumbered last
}

bool AssignPortNumber(int, const std::string&, std::string& reason) {
    reason = "COM numbers are assigned by the system's device manager";
    return false;
}

}  // namespace radiosetup
