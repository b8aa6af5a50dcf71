#include "SerialLinks.h"

#include <memory>

#include "SteadyClock.h"

namespace radiosetup {

namespace {

std::unique_ptr<IRadioLink> OpenSerialProbe(const PcPortSettings& settings) {
    auto port = std::make_unique<CSerialPort>();
    if (!port->Open(settings.m_nPortNumber, settings.m_nBaudRate, settings.m_nParity)) {
        return nullptr;
    }
    return port;
}

}  // namespace

RadioLinks SerialLinks(CSerialPort& mainPort) {
    return RadioLinks{mainPort, OpenSerialProbe, SteadyClock()};
}

}  // namespace radiosetup
