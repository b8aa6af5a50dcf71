#include "PortNaming.h"

namespace radiosetup {

// The device namespace form: plain "COM10" and above would name no device.
std::string PortDevicePath(int portNumber) {
    return "\\\\.\\COM" + std::to_string(portNumber);
}

}  // namespace radiosetup
