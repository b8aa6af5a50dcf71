#pragma once

#include <string>

#include "PortFailure.h"
#include "SerialPortInfo.h"

namespace radiosetup {

// "radioctl (PID 1234)", "process 1234", or "another program" when nobody is known.
std::string HolderPhrase(const PortHolder& holder);

// Why a port did not open and what to do, e.g. "/dev/ttyUSB0 is not there (unplugged?);
// plug it in or choose another port (radioctl ports lists them)".
std::string OpenFailureCause(const PortFailure& failure, int baudRate, int parity);

// " (the device went away: /dev/pts/5 closed; plug it back in and run the command again)".
std::string VanishedNote(const PortFailure& failure);

// What a user who may not open a device does about it; a backend per platform.
std::string NoPermissionAdvice(const std::string& group);

}  // namespace radiosetup
