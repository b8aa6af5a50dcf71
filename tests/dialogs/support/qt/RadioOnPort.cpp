#include "RadioOnPort.h"

#include "DialogClock.h"
#include "TestSupport.h"
#include "VirtualLinks.h"

struct CRadioOnPort::Backend {
    CScopedSettingsHome home;
    CTempDir workFolder;
    CScopedWorkingDir inWorkFolder{workFolder.Path()};
    CTempDir devices;
    CSimPorts ports{DialogClock()};
    CSimLink* radio = nullptr;
};

CRadioOnPort::CRadioOnPort(RadioManner manner, int portNumber)
    : m_pBackend(std::make_unique<Backend>()) {
    SimFaults faults;
    faults.silent = manner == RadioManner::Silent;
    m_pBackend->radio =
        &PlugRadio(m_pBackend->ports, m_pBackend->home, m_pBackend->devices, portNumber);
    m_pBackend->radio->SetFaults(faults);
}

CRadioOnPort::~CRadioOnPort() = default;

RadioLinks CRadioOnPort::Links() {
    return RadioLinks{m_pBackend->ports.MainPort(), m_pBackend->ports.ProbeOpener(), DialogClock()};
}

std::vector<std::string> CRadioOnPort::Frames() const {
    std::vector<std::string> frames;
    for (const SimFrameRecord& record : m_pBackend->radio->Frames()) {
        frames.push_back(HexText(record.frame.data(), record.frame.size()));
    }
    return frames;
}
