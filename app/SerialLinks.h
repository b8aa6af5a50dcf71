#pragma once

#include "RadioLinks.h"
#include "SerialPort.h"

namespace radiosetup {

// The program's real links: mainPort for the main window, a serial port of its own for
// each probe of the search, the steady clock.
RadioLinks SerialLinks(CSerialPort& mainPort);

}  // namespace radiosetup
