#pragma once

#include <chrono>
#include <cstdint>

#include "ReplyVerdict.h"
#include "ReplyWait.h"

namespace radiosetup {

class IClock;
class IRadioLink;

// Asks the radio to change its own serial settings (0x1C with the line code) over a
// link at its present settings. The answer is polled for every 30 ms; once bytes are
// there, the rest of the answer gets 100 ms before it is read (the wait policy may take it
// sooner). Silent after 2500 ms.
class CLineSettingsTransaction {
public:
    static constexpr std::chrono::milliseconds kPoll{30};
    static constexpr std::chrono::milliseconds kReadDelay{100};

    CLineSettingsTransaction(IRadioLink& link, IClock& clock, IReplyWait& wait = FixedWait());

    ReplyVerdict Send(int baudRate, int parity);

private:
    IRadioLink& m_link;
    IClock& m_clock;
    IReplyWait& m_wait;
};

// The status is the byte at offset 2 of whatever came, zero when the answer is shorter:
// the radio switches its line right after answering, so the rest may be lost.
ReplyVerdict JudgeLineSettingsReply(int count, const std::uint8_t* reply);

}  // namespace radiosetup
