#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ChannelFreqPair.h"
#include "OpKind.h"
#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "RadioFrame.h"
#include "ReplyVerdict.h"

namespace radiosetup {

class IClock;
class IRadioLink;

// Hears one line per frame sent or received, for --trace (the time is the hearer's).
using TraceSink = std::function<void(const std::string& line)>;

// The command line's side of the conversation: the window's requests and judges, but an
// answer is taken as soon as all of it is in. The window's fixed waits are only the
// deadlines, so a run is as fast as the 40 ms pause and the wire allow.
class CRadioSession {
public:
    // The window's waits: the 2500 ms budget and the 500 ms pick-up, plus the 800 ms
    // second read of a parameter block; the multi-channel window's 300 and 900 ms.
    static constexpr std::chrono::milliseconds kStatusDeadline{3000};
    static constexpr std::chrono::milliseconds kQueryDeadline{3800};
    static constexpr std::chrono::milliseconds kChannelAckDeadline{300};
    static constexpr std::chrono::milliseconds kChannelBlockDeadline{900};

    // linkGone, when given, ends a wait at once: a device that went away answers nothing.
    CRadioSession(IRadioLink& link, IClock& clock, TraceSink trace = {},
                  std::function<bool()> linkGone = {});

    ReplyVerdict Connect(const PcPortSettings& line);
    // Every parameter the radio reports, into params.
    ReplyVerdict Query(CParameterSet& params);
    // One of the window's status operations (a switch, a field's OK, a frame of the
    // parameter write), judged as the window judges it.
    ReplyVerdict Send(OpKind opKind, const RadioPayload& payload, const std::string& what);
    // What Send had accepted so far, by its what ("set ani"), for an account of a run.
    const std::vector<std::string>& Accepted() const { return m_accepted; }
    // Channels start .. start + count - 1 (count 1 to 10).
    ReplyVerdict ReadChannels(int start, int count, std::vector<ChannelFreqPair>& channels);
    // Receive, then transmit frequency; the second only after the first was accepted.
    ReplyVerdict WriteChannel(int channel, const ChannelFreqPair& pair);

private:
    std::vector<std::uint8_t> Ask(const RadioPayload& payload, int answerSize,
                                  std::chrono::milliseconds deadline, const std::string& what);
    void Trace(const char* direction, const std::uint8_t* bytes, std::size_t count,
               const std::string& what) const;
    // Traces the last reply with the verdict on it.
    ReplyVerdict Judged(ReplyVerdict verdict, const std::string& what) const;

    IRadioLink& m_link;
    IClock& m_clock;
    TraceSink m_trace;
    std::function<bool()> m_linkGone;
    std::vector<std::uint8_t> m_lastReply;  // what the last request got, for the trace
    std::vector<std::string> m_accepted;
};

}  // namespace radiosetup
