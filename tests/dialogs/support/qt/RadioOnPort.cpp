#include "RadioOnPort.h"

#include <stdexcept>

#include "SimRadio.h"
#include "TestSupport.h"

struct CRadioOnPort::Backend {
    CScopedSettingsHome home;
    CTempDir workFolder;
    CScopedWorkingDir inWorkFolder{workFolder.Path()};
    CSimRadio radio;
};

CRadioOnPort::CRadioOnPort(RadioManner manner, int portNumber)
    : m_pBackend(std::make_unique<Backend>()) {
    SimFaults faults;
    faults.silent = manner == RadioManner::Silent;
    m_pBackend->radio.SetFaults(faults);
    if (!m_pBackend->radio.Start()) {
        throw std::runtime_error("the simulated radio could not start");
    }
    m_pBackend->home.MapPort(portNumber, m_pBackend->radio.SlavePath());
}

CRadioOnPort::~CRadioOnPort() = default;

std::vector<std::string> CRadioOnPort::Frames() const {
    std::vector<std::string> frames;
    for (const SimFrameRecord& record : m_pBackend->radio.Frames()) {
        frames.push_back(HexText(record.frame.data(), record.frame.size()));
    }
    return frames;
}
