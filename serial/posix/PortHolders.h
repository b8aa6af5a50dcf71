#pragma once

#include <string>

#include "SerialPortInfo.h"

namespace radiosetup {

// The process that holds a device: the live owner of its UUCP lock file, else a process
// with a lock on it in the system's lock table (/proc/locks). pid 0 when none is known.
PortHolder HolderOf(const std::string& devicePath);

// The state of the device at the path, without opening it; holder is set when in use.
PortState ProbePortState(const std::string& devicePath, PortHolder& holder);

// The name of a running process (/proc/PID/comm); empty when it cannot be read.
std::string ProgramOf(int pid);

}  // namespace radiosetup
