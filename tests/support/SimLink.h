#pragma once

#include <vector>

#include "ScriptedLink.h"
#include "SimFrameFinder.h"
#include "SimRadio.h"

// The simulated radio's own answers without a pseudo-terminal, in virtual time: every
// request frame sent is answered by the radio's rules, the answer arriving when a
// 9600 bit/s line would have carried the frame and the answer. For long runs of
// correct exchanges; faults, line settings and the real link stay with CSimRadio.
class CSimLink {
public:
    explicit CSimLink(const IClock& clock, SimRadioState state = SimRadioState());

    // The link; answers scripted on it go ahead of the radio's own.
    CScriptedLink& Link() { return m_link; }
    const SimRadioState& State() const { return m_state; }
    const std::vector<SimRequestFrame>& Frames() const { return m_frames; }

private:
    std::vector<CScriptedLink::Part> Answer(const std::vector<std::uint8_t>& sent);

    CScriptedLink m_link;
    SimRadioState m_state;
    CSimFrameFinder m_finder;
    std::vector<SimRequestFrame> m_frames;
};
