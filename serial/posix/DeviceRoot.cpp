#include "posix/DeviceRoot.h"

#include <cstdlib>

namespace radiosetup {

std::string DeviceRoot() {
    const char* root = std::getenv("RADIOSETUP_DEVICE_ROOT");
    return root != nullptr && *root != '\0' ? root : "/";
}

std::string UnderDeviceRoot(const std::string& absolutePath) {
    std::string root = DeviceRoot();
    while (!root.empty() && root.back() == '/') {
        root.pop_back();
    }
    return root + absolutePath;
}

}  // namespace radiosetup
