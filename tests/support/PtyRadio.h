#pragma once

#include "SimRadio.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

// The simulated radio answering on a pseudo-terminal, which a private settings folder maps
// as COM1: what the program's real serial port opens.
class CPtyRadio {
public:
    // Throws std::runtime_error when the radio cannot start.
    explicit CPtyRadio(const SimRadioState& radioState = SimRadioState());

    CScopedSettingsHome home;
    CSimRadio radio;
};
