#pragma once

#include <string>

namespace radiosetup {

// Where /sys and /dev are looked for: / unless RADIOSETUP_DEVICE_ROOT names another
// folder, so that tests build a machine of their own.
std::string DeviceRoot();

// An absolute path of the machine ("/dev/ttyS0") under the device root.
std::string UnderDeviceRoot(const std::string& absolutePath);

}  // namespace radiosetup
