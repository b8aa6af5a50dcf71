#include "RadioOnPort1.h"

#include <stdexcept>

#include "SimRadio.h"
#include "TestSupport.h"

struct CRadioOnPort1::Backend {
    CScopedSettingsHome home;
    CTempDir workFolder;
    CScopedWorkingDir inWorkFolder{workFolder.Path()};
    CSimRadio radio;
};

CRadioOnPort1::CRadioOnPort1(RadioManner manner) : m_pBackend(std::make_unique<Backend>()) {
    SimFaults faults;
    faults.silent = manner == RadioManner::Silent;
    m_pBackend->radio.SetFaults(faults);
    if (!m_pBackend->radio.Start()) {
        throw std::runtime_error("the simulated radio could not start");
    }
    m_pBackend->home.MapPort(1, m_pBackend->radio.SlavePath());
}

CRadioOnPort1::~CRadioOnPort1() = default;

std::vector<std::string> CRadioOnPort1::Frames() const {
    std::vector<std::string> frames;
    for (const SimFrameRecord& record : m_pBackend->radio.Frames()) {
        frames.push_back(HexText(record.frame.data(), record.frame.size()));
    }
    return frames;
}
