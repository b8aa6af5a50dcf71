#pragma once

#include "Clock.h"
#include "PcPort.h"
#include "RadioSearch.h"

namespace radiosetup {

// What the windows reach the radio through, given by the application: the port the main
// window owns (the radio-port dialog borrows it while the window has it closed), a port
// of its own for each probe of the search, and the clock every wait runs on.
struct RadioLinks {
    IPcPort& port;
    ProbeLinkOpener openProbe;
    IClock& clock;
};

}  // namespace radiosetup
