#pragma once

#include <string>

#include "SerialPortInfo.h"

namespace radiosetup {

// Why a port could not be opened, or stopped working while open. The front ends turn
// it into words; the port itself shows no text.
struct PortFailure {
    enum class Kind {
        Absent,           // no such device: unplugged, or never there
        NoPermission,     // the user may not open it
        InUse,            // another program has it
        NotSerial,        // opens, but is no serial device
        SettingsRefused,  // the device refused the rate or parity
        Vanished,         // went away while open
    };
    Kind kind = Kind::Absent;
    std::string devicePath;
    PortHolder holder;  // InUse: who, where known
    std::string group;  // NoPermission: the device's group, where it has one
};

}  // namespace radiosetup
