#include "PtyRadio.h"

#include <stdexcept>

#include "TestNamespaces.h"

CPtyRadio::CPtyRadio(const SimRadioState& radioState) : radio(radioState) {
    if (!radio.Start()) {
        throw std::runtime_error("the simulated radio could not start");
    }
    home.MapPort(1, radio.SlavePath());
}
