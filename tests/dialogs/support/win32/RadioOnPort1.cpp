#include "RadioOnPort1.h"

#include "WinTestSupport.h"

struct CRadioOnPort1::Backend {
    CScopedRegistryRoots roots;
    CWinTempDir workFolder;
    CScopedWorkingFolder inWorkFolder{workFolder};
    std::size_t framesBefore = RadioLogFrames("radio-com1.log").size();
};

CRadioOnPort1::CRadioOnPort1() : m_pBackend(std::make_unique<Backend>()) {}

CRadioOnPort1::~CRadioOnPort1() = default;

std::vector<std::string> CRadioOnPort1::Frames() const {
    std::vector<std::string> frames = RadioLogFrames("radio-com1.log");
    frames.erase(frames.begin(),
                 frames.begin() + static_cast<std::ptrdiff_t>(m_pBackend->framesBefore));
    return frames;
}
