#include "PortFailureWords.h"

#include "CommandLine.h"

namespace radiosetup {

std::string HolderPhrase(const PortHolder& holder) {
    if (holder.pid == 0) {
        return "another program";
    }
    const std::string pid = std::to_string(holder.pid);
    return holder.program.empty() ? "process " + pid : holder.program + " (PID " + pid + ")";
}

std::string OpenFailureCause(const PortFailure& failure, int baudRate, int parity) {
    const std::string& device = failure.devicePath;
    using Kind = PortFailure::Kind;
    switch (failure.kind) {
        case Kind::Absent:
            return device +
                   " is not there (unplugged?); plug it in or choose another port (radioctl "
                   "ports lists them)";
        case Kind::NoPermission:
            return "you may not open " + device + "; " + NoPermissionAdvice(failure.group);
        case Kind::InUse:
            return device + " is in use by " + HolderPhrase(failure.holder);
        case Kind::NotSerial:
            return device + " is not a serial device";
        case Kind::SettingsRefused:
            return device + " refused " + std::to_string(baudRate) + " bit/s, " +
                   ParityPhrase(parity);
        case Kind::Vanished:
            break;
    }
    return device + " went away; plug it back in and run the command again";
}

std::string VanishedNote(const PortFailure& failure) {
    return " (the device went away: " + failure.devicePath +
           " closed; plug it back in and run the command again)";
}

}  // namespace radiosetup
