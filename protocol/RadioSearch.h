#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "PcPortSettings.h"
#include "ReplyVerdict.h"
#include "ReplyWait.h"

namespace radiosetup {

class IClock;
class IRadioLink;

// How long each probe waits for the radio's acknowledgement.
constexpr std::chrono::milliseconds kProbeReplyWait{300};

// Sends the connect request carrying the line's own rate and parity and judges what
// came back after 300 ms by the connect rule (exactly an acknowledgement).
ReplyVerdict ProbeRadio(IRadioLink& link, IClock& clock, int baudRate, int parity,
                        IReplyWait& wait = FixedWait());

// Opens a PC port at a rate and parity for one probe; null when it does not open.
using ProbeLinkOpener = std::function<std::unique_ptr<IRadioLink>(const PcPortSettings&)>;

// The search for the radio: ports 1 and 2 (or only startPort when it is above 2), each at
// 19200, 9600, 4800, 2400 bit/s, each with no, odd and even parity. onTry hears of each
// combination before it is probed; a port that does not open gets no probe. Returns the
// first combination that answered.
std::optional<PcPortSettings> SearchForRadio(
    int startPort, const ProbeLinkOpener& open, IClock& clock,
    const std::function<void(const PcPortSettings&)>& onTry);

// The same for one port alone.
std::optional<PcPortSettings> SearchPort(int portNumber, const ProbeLinkOpener& open, IClock& clock,
                                         const std::function<void(const PcPortSettings&)>& onTry,
                                         IReplyWait& wait = FixedWait());

}  // namespace radiosetup
