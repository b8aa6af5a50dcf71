#include "EngineRig.h"

#include <stdexcept>

#include "SteadyClock.h"
#include "TestNamespaces.h"

CEngineRig::CEngineRig(SimRadioState radioState)
    : CPtyRadio(radioState), engine(host, port, SteadyClock(), params, settings) {
    settings.m_nPortNumber = 1;
    settings.m_nBaudRate = radioState.baudRate;
    settings.m_nParity = static_cast<std::uint8_t>(radioState.parity);
    if (!port.Open(settings.m_nPortNumber, settings.m_nBaudRate, settings.m_nParity)) {
        throw std::runtime_error("the simulated radio's port could not be opened");
    }
}

bool CEngineRig::RunUntilDone(std::chrono::milliseconds limit) {
    return TickUntilDone(engine, SteadyClock(), limit);
}

void CEngineRig::RunFor(std::chrono::milliseconds duration) {
    TickFor(engine, SteadyClock(), duration);
}

void CEngineRig::ConnectAndQuery() {
    engine.Connect();
    if (!RunUntilDone()) {
        throw std::runtime_error("connect and query did not finish");
    }
    radio.ClearFrames();
}
