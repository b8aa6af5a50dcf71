#include "PortNaming.h"

#include "posix/ConfFile.h"

namespace radiosetup {

std::string PortDevicePath(int portNumber) {
    // Read afresh each time: the map may change while the program runs.
    CConfFile settings(CConfFile::DefaultPath());
    settings.Load();
    const auto mapped = settings.Value("Ports", "COM" + std::to_string(portNumber));
    if (mapped && !mapped->empty()) {
        return *mapped;
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

}  // namespace radiosetup
