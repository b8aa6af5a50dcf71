#include "WholeAnswerWait.h"

#include "Clock.h"
#include "RadioLink.h"

namespace radiosetup {

CWholeAnswerWait::CWholeAnswerWait(std::function<bool()> stop) : m_stop(std::move(stop)) {}

void CWholeAnswerWait::Await(IRadioLink& link, IClock& clock, bool sent, int whole,
                             std::chrono::milliseconds wait) {
    if (!sent) {
        return;
    }
    const std::chrono::milliseconds end = clock.Now() + wait;
    while (link.PendingInput() < whole && clock.Now() < end && !(m_stop && m_stop())) {
        clock.Sleep(kPoll);
    }
}

}  // namespace radiosetup
