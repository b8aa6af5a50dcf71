#pragma once

#include <string>

#include "RadioLinks.h"
#include "SimPorts.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "VirtualClock.h"

// A radio on portNumber whose port home maps to a file in devices standing for its
// device, so that the port is present, as a plugged-in adapter is.
inline CSimLink& PlugRadio(CSimPorts& ports, const CScopedSettingsHome& home,
                           const CTempDir& devices, int portNumber,
                           const SimRadioState& state = SimRadioState()) {
    const std::string device = devices.File("radio-com" + std::to_string(portNumber));
    WriteWholeFile(device, "");
    home.MapPort(portNumber, device);
    return ports.AddRadio(portNumber, state);
}

// What the application gives the windows, in virtual time: simulated PC ports on one
// virtual clock (RunInVirtualTime runs the windows' timers on it).
struct CVirtualLinks {
    RadioLinks Links() { return RadioLinks{ports.MainPort(), ports.ProbeOpener(), clock}; }
    CSimLink& PlugRadio(const CScopedSettingsHome& home, int portNumber,
                        const SimRadioState& state = SimRadioState()) {
        return ::PlugRadio(ports, home, devices, portNumber, state);
    }

    CVirtualClock clock;
    CSimPorts ports{clock};
    CTempDir devices;
};
