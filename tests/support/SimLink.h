#pragma once

#include <vector>

#include "ScriptedLink.h"
#include "SimFrameFinder.h"
#include "SimRadio.h"
#include "TestNamespaces.h"

// The simulated radio without a pseudo-terminal, in virtual time: every request frame
// sent is answered by the radio's rules and faults, the answer arriving when a 9600
// bit/s line would have carried the frame and the answer. Its methods mirror CSimRadio's,
// so a test can run either way; line settings and the real link stay with CSimRadio.
class CSimLink {
public:
    explicit CSimLink(const IClock& clock, SimRadioState state = SimRadioState());

    // The link; answers scripted on it go ahead of the radio's own.
    CScriptedLink& Link() { return m_link; }
    SimRadioState State() const { return m_state; }
    void SetState(const SimRadioState& state) { m_state = state; }
    void SetFaults(const SimFaults& faults) { m_faults = faults; }
    std::vector<SimFrameRecord> Frames() const { return m_frames; }
    void ClearFrames() { m_frames.clear(); }
    // Bytes that reach the PC unasked.
    void Inject(const std::vector<std::uint8_t>& bytes) { m_link.Arrive(bytes); }

private:
    std::vector<CScriptedLink::Part> Answer(const std::vector<std::uint8_t>& sent);
    std::vector<CScriptedLink::Part> Deliver(const std::vector<std::uint8_t>& reply,
                                             std::chrono::milliseconds sentAt) const;

    const IClock& m_clock;
    CScriptedLink m_link;
    SimRadioState m_state;
    SimFaults m_faults;
    CSimFrameFinder m_finder;
    std::vector<SimFrameRecord> m_frames;
};
