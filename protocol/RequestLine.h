#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "RadioFrame.h"
#include "ReplyVerdict.h"

namespace radiosetup {

class IClock;
class IExchangeObserver;
class IRadioLink;
class IReplyWait;

// The step every exchange is made of: a request goes out (after the 40 ms pause), its
// answer is awaited as the wait policy says, and what has come is read up to a limit.
// The observer, when there is one, hears of the frame and of the judged reply.
class CRequestLine {
public:
    CRequestLine(IRadioLink& link, IClock& clock, IReplyWait& wait, IExchangeObserver* observer);

    // The answer as read: at most readLimit bytes of what came within the wait.
    const std::vector<std::uint8_t>& Ask(const RadioPayload& payload, int whole,
                                         std::chrono::milliseconds wait, int readLimit);
    // Tells the observer the verdict on the last answer; returns it.
    ReplyVerdict Judged(ReplyVerdict verdict) const;

private:
    IRadioLink& m_link;
    IClock& m_clock;
    IReplyWait& m_wait;
    IExchangeObserver* m_pObserver;
    std::vector<std::uint8_t> m_reply;
};

}  // namespace radiosetup
