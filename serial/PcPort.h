#pragma once

#include <optional>

#include "PortFailure.h"
#include "RadioLink.h"

namespace radiosetup {

// A PC serial port a window owns: opened by number, closed and opened again as the
// operator changes its settings. CSerialPort in the program; tests give a simulated one.
class IPcPort : public IRadioLink {
public:
    // parity: 0 none, 1 odd, 2 even. An open port stays as it is and returns true.
    virtual bool Open(int portNumber, int baudRate, int parity) = 0;
    virtual bool Close() = 0;
    virtual bool IsOpen() const = 0;
    // Why the last Open failed, or that the device went away while open; nullopt when
    // neither happened since the last successful Open.
    virtual std::optional<PortFailure> Failure() const = 0;
};

}  // namespace radiosetup
