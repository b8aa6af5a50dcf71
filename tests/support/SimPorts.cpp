#include "SimPorts.h"

#include "PortNaming.h"
#include "TestNamespaces.h"

CSimLink& CSimPorts::AddRadio(int portNumber, const SimRadioState& state) {
    Device& device = m_devices[portNumber];
    device.radio = std::make_unique<CSimLink>(m_clock, state);
    device.vanished = false;
    return *device.radio;
}

ProbeLinkOpener CSimPorts::ProbeOpener() {
    return [this](const PcPortSettings& settings) -> std::unique_ptr<IRadioLink> {
        auto port = std::make_unique<CPort>(*this);
        if (!port->Open(settings.m_nPortNumber, settings.m_nBaudRate, settings.m_nParity)) {
            return nullptr;
        }
        return port;
    };
}

bool CSimPorts::CPort::Open(int portNumber, int baudRate, int parity) {
    if (IsOpen()) {
        return true;
    }
    const auto found = m_ports.m_devices.find(portNumber);
    if (found != m_ports.m_devices.end() && found->second.openFailure) {
        m_openFailure = found->second.openFailure;
        return false;
    }
    if (found == m_ports.m_devices.end() || !found->second.radio || found->second.vanished) {
        m_openFailure = PortFailure{PortFailure::Kind::Absent, PortDevicePath(portNumber), {}, {}};
        return false;
    }
    m_pDevice = &found->second;
    m_nPortNumber = portNumber;
    m_nBaudRate = baudRate;
    m_nParity = parity;
    m_openFailure.reset();
    // A freshly opened port starts with its input queue empty.
    std::uint8_t discarded[256];
    while (Read(discarded, sizeof(discarded)) > 0) {
    }
    return true;
}

bool CSimPorts::CPort::Close() {
    m_pDevice = nullptr;
    return true;
}

std::optional<PortFailure> CSimPorts::CPort::Failure() const {
    if (m_pDevice != nullptr && m_pDevice->vanished) {
        return PortFailure{PortFailure::Kind::Vanished, PortDevicePath(m_nPortNumber), {}, {}};
    }
    return m_openFailure;
}

IRadioLink* CSimPorts::CPort::Reachable() const {
    return m_pDevice != nullptr && !m_pDevice->vanished ? &m_pDevice->radio->Link() : nullptr;
}

int CSimPorts::CPort::Send(const std::uint8_t* bytes, int length) {
    if (!IsOpen() || length <= 0) {
        return 0;
    }
    const SimRadioState radio = m_pDevice->radio->State();
    IRadioLink* link = Reachable();
    if (link != nullptr && radio.baudRate == m_nBaudRate && radio.parity == m_nParity) {
        link->Send(bytes, length);
    }
    return length;
}

int CSimPorts::CPort::PendingInput() {
    IRadioLink* link = Reachable();
    return link != nullptr ? link->PendingInput() : 0;
}

int CSimPorts::CPort::Read(std::uint8_t* buffer, int limit) {
    IRadioLink* link = Reachable();
    return link != nullptr ? link->Read(buffer, limit) : 0;
}
