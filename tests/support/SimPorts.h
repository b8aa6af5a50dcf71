#pragma once

#include <map>
#include <memory>
#include <optional>

#include "PcPort.h"
#include "RadioSearch.h"
#include "SimLink.h"
#include "TestNamespaces.h"

// The PC's serial ports in virtual time, by number, some with a simulated radio behind
// them. A port opens only where a radio is; bytes sent at another rate or parity than
// the radio's own are lost, as a real radio cannot decode them. A failed open names the
// device as the program would (PortDevicePath).
class CSimPorts {
public:
    explicit CSimPorts(const IClock& clock) : m_clock(clock), m_mainPort(*this) {}

    CSimLink& AddRadio(int portNumber, const SimRadioState& state = SimRadioState());
    // The radio's device goes away, as an unplugged adapter does.
    void Vanish(int portNumber) { m_devices.at(portNumber).vanished = true; }
    // Opening portNumber fails with failure (another program holds it, ...).
    void FailOpen(int portNumber, const PortFailure& failure) {
        m_devices[portNumber].openFailure = failure;
    }

    // The port the main window owns.
    IPcPort& MainPort() { return m_mainPort; }
    // A port of its own for each probe of the search.
    ProbeLinkOpener ProbeOpener();

private:
    struct Device {
        std::unique_ptr<CSimLink> radio;
        bool vanished = false;
        std::optional<PortFailure> openFailure;
    };

    class CPort final : public IPcPort {
    public:
        explicit CPort(CSimPorts& ports) : m_ports(ports) {}
        bool Open(int portNumber, int baudRate, int parity) override;
        bool Close() override;
        bool IsOpen() const override { return m_pDevice != nullptr; }
        std::optional<PortFailure> Failure() const override;
        int Send(const std::uint8_t* bytes, int length) override;
        int PendingInput() override;
        int Read(std::uint8_t* buffer, int limit) override;

    private:
        // The radio's link while the port is open and its device there.
        IRadioLink* Reachable() const;

        CSimPorts& m_ports;
        Device* m_pDevice = nullptr;
        int m_nPortNumber = 0;
        int m_nBaudRate = 0;
        int m_nParity = 0;
        std::optional<PortFailure> m_openFailure;
    };

    const IClock& m_clock;
    std::map<int, Device> m_devices;
    CPort m_mainPort;
};
